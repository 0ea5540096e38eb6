#include "windows/ProgramIcon.h"

#include <QImage>
#include <QPixmap>

#include <vector>

namespace windows {

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
