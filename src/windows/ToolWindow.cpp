#include "windows/ToolWindow.h"

#include "resources/Pictures.h"

#include <QPixmap>
#include <QShortcut>
#include <QWidget>

namespace windows {

void makeToolWindow(QWidget& window, QSize clientSize)
{
    window.setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint);
    window.setFixedSize(clientSize);
    closeOnEscape(window);
}

void closeOnEscape(QWidget& window)
{
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(escape, &QShortcut::activated, &window, &QWidget::close);
}

QIcon programIcon()
{
    static const QIcon icon(QPixmap::fromImage(pictures::render(pictures::Icon)));
    return icon;
}

} // namespace windows
