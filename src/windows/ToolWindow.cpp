#include "windows/ToolWindow.h"

#include <QShortcut>
#include <QWidget>

namespace windows {

void makeToolWindow(QWidget& window, QSize clientSize)
{
    window.setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window.setFixedSize(clientSize);
    closeOnEscape(window);
}

void closeOnEscape(QWidget& window)
{
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(escape, &QShortcut::activated, &window, &QWidget::close);
}

} // namespace windows
