#pragma once

#include <QSize>

class QWidget;

namespace windows {

// A fixed-size tool window: small caption with a close box only, not in the task bar.
void makeToolWindow(QWidget& window, QSize clientSize);

// Escape closes the window, as it does a dialog.
void closeOnEscape(QWidget& window);

} // namespace windows
