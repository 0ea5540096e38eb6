#pragma once

class QWidget;

// The two ways a window opens from another.
namespace windows {

// Shows a window modally: returns when the window has been closed.
void showModal(QWidget& window);

// Shows a window, or brings it to the front and activates it when it is already open.
void showInFront(QWidget& window);

} // namespace windows
