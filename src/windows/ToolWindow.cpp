#include "windows/ToolWindow.h"

#include <QImage>
#include <QPixmap>
#include <QShortcut>
#include <QWidget>

#include <vector>

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
    struct Size {
        int side;
        std::vector<quint32> pixels;
    };
    static const QIcon icon = [] {
        const Size sizes[] = {
#include "WindowIcon.inc"
        };
        QIcon icon;
        for (const Size& size : sizes) {
            const QImage image(reinterpret_cast<const uchar*>(size.pixels.data()), size.side, size.side,
                               QImage::Format_ARGB32_Premultiplied);
            icon.addPixmap(QPixmap::fromImage(image));
        }
        return icon;
    }();
    return icon;
}

} // namespace windows
