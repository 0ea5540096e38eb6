#include "windows/ToolWindow.h"

#include "resources/Pictures.h"

#include <QPixmap>
#include <QWidget>

namespace windows {

void makeToolWindow(QWidget& window, QSize clientSize)
{
    window.setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint);
    window.setFixedSize(clientSize);
}

QIcon programIcon()
{
    static const QIcon icon(QPixmap::fromImage(pictures::render(pictures::Icon)));
    return icon;
}

} // namespace windows
