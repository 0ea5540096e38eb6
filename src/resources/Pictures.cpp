#include "resources/Pictures.h"

#include "resources/Painting.h"

#include <QPainter>
#include <QtMath>

// The registry: each picture's natural size and its painter, which lives in a file of its own.
namespace pictures {

const Picture BmiChart{307, 300, paintBmiChart, true};
const Picture Legend{260, 39, paintLegend, true};
const Picture TableMiniature{55, 61, paintTableMiniature};
const Picture ChartMiniature{55, 61, paintChartMiniature};
const Picture HelpButton{32, 32, paintHelpButton, true};
const Picture AboutButton{32, 32, paintAboutButton, true};
const Picture QuitButton{32, 32, paintQuitButton, true};
const Picture Icon{32, 32, paintIcon};
const Picture WeightTable{431, 481, paintWeightTable};
const Picture WeightChart{799, 444, paintWeightChart};
const Picture RangeWarning{46, 46, paintRangeWarning};
const Picture BuiltInBanner{468, 60, paintBuiltInBanner};

QImage render(const Picture& picture, qreal devicePixelRatio, const QColor& ground)
{
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    // On an opaque ground the image needs no alpha, which also spares a check of every pixel
    // when it becomes a pixmap.
    const QImage::Format format = ground.alpha() == 255 ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
    QImage image(qCeil(picture.width * dpr), qCeil(picture.height * dpr), format);
    if (image.isNull())
        return image;
    image.setDevicePixelRatio(dpr);
    image.fill(ground);
    if (picture.paint) {
        QPainter painter(&image);
        // The painter scales up to the image's ratio by itself, but never down: a ratio below 1
        // would show the top-left corner of the picture at its natural size.
        if (const qreal applied = painter.deviceTransform().m11(); applied != dpr)
            painter.scale(dpr / applied, dpr / applied);
        picture.paint(painter);
    }
    return image;
}

} // namespace pictures
