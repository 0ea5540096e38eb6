#include "windows/ToolWindow.h"

#include "resources/Pictures.h"

#include <QPixmap>
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

QIcon programIcon()
{
    // Title bars and task bars take the small sizes, each drawn for its size rather than
    // scaled down from the natural one.
    static const QIcon icon = [] {
        QIcon sizes;
        for (const int size : {16, 22, 24, 32}) {
            QImage image = pictures::render(pictures::Icon, size / qreal(pictures::Icon.width));
            image.setDevicePixelRatio(1);
            sizes.addPixmap(QPixmap::fromImage(image));
        }
        return sizes;
    }();
    return icon;
}

} // namespace windows
