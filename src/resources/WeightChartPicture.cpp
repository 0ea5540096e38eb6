#include "resources/Painting.h"

#include "model/ChartGeometry.h"

#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

#include <array>
#include <limits>

// The weight-by-height chart and its out-of-range warning.
namespace pictures {
namespace {

namespace chart {

using model::weightChart::MaxHeight;
using model::weightChart::MaxWeight;
using model::weightChart::MinHeight;
using model::weightChart::MinWeight;

// Pixels of the picture, where the reference window's cross puts the same values in twips.
qreal columnOf(qreal heightCm)
{
    return model::weightChart::columnOf(heightCm) / model::TwipsPerPixel;
}
qreal rowOf(qreal weightKg)
{
    return model::weightChart::rowOf(weightKg) / model::TwipsPerPixel;
}

qreal weightAt(qreal bmi, qreal heightCm)
{
    return bmi * (heightCm / 100) * (heightCm / 100);
}

// The axes sit on the pixels that hold the chart's limits; the bands fill what lies inside.
const QRect Frame(QPoint(qFloor(columnOf(MinHeight)), qFloor(rowOf(MaxWeight))),
                  QPoint(qFloor(columnOf(MaxHeight)), qFloor(rowOf(MinWeight))));
const QRect Inside = Frame.adjusted(1, 1, -1, -1);

struct Band {
    const char* name;
    qreal upperBmi; // the curve above the band; none for the top band
    QColor fill;
    qreal labelHeight; // cm at which the name sits, where the band is roomy enough
};

constexpr qreal NoCurve = std::numeric_limits<qreal>::infinity();

const std::array<Band, 6> Bands{{
    {"Podvýživa", 18.5, QColor(153, 204, 254), 197},
    {"Ideální váha", 25, Qt::white, 190},
    {"Nadváha", 30, QColor(254, 254, 204), 178},
    {"Mírná obezita", 35, QColor(254, 204, 0), 169},
    {"Střední obezita", 40, QColor(254, 101, 0), 160},
    {"Morbidní obezita", NoCurve, QColor(254, 0, 0), 160},
}};

// Every half centimetre the curves stay smooth on the whole chart; a reduced copy cannot tell
// the straight pieces of every five from a curve.
QPolygonF curve(qreal bmi, Detail detail)
{
    const qreal step = detail == Detail::Full ? 0.5 : 5;
    QPolygonF line;
    for (qreal h = MinHeight; h <= MaxHeight; h += step)
        line << QPointF(columnOf(h), rowOf(weightAt(bmi, h)));
    return line;
}

void paintBands(QPainter& p, Detail detail)
{
    p.save();
    p.setClipRect(Inside);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(Inside, Bands.back().fill);
    // Each band below overpaints everything under its upper curve, top band first.
    for (int i = int(Bands.size()) - 2; i >= 0; --i) {
        QPolygonF area = curve(Bands[i].upperBmi, detail);
        area << QPointF(Frame.right() + 1, Frame.bottom() + 1) << QPointF(Frame.left(), Frame.bottom() + 1);
        p.setPen(Qt::NoPen);
        p.setBrush(Bands[i].fill);
        p.drawPolygon(area);
    }
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i + 1 < int(Bands.size()); ++i)
        p.drawPolyline(curve(Bands[i].upperBmi, detail));
    p.restore();
}

void paintBandNames(QPainter& p, Detail detail)
{
    p.setFont(sansFont(13, true));
    p.setPen(Qt::black);
    for (int i = 0; i < int(Bands.size()); ++i) {
        const Band& band = Bands[i];
        const qreal h = band.labelHeight;
        const qreal lower = i == 0 ? MinWeight : weightAt(Bands[i - 1].upperBmi, h);
        const qreal upper = band.upperBmi == NoCurve ? MaxWeight : weightAt(band.upperBmi, h);
        const qreal weight = (lower + upper) / 2;
        // The name follows the band: it runs along the constant-BMI curve through its centre.
        const qreal kgPerCm = 2 * weight / h;
        const qreal degrees
            = -qRadiansToDegrees(qAtan2(kgPerCm * model::weightChart::RowsPerKg, model::weightChart::ColumnsPerCm));
        drawRotatedText(p, QPointF(columnOf(h), rowOf(weight)), degrees, QRectF(-80, -9, 160, 18), Qt::AlignCenter,
                        QString::fromUtf8(band.name), detail);
    }
}

void paintAxes(QPainter& p)
{
    fillFrame(p, Frame, 1, Qt::black);
    p.setPen(Qt::black);
    p.setFont(sansFont(11));
    for (int w = MinWeight; w <= MaxWeight; w += 10) {
        const int y = qFloor(rowOf(w));
        p.fillRect(QRect(Frame.left() - 4, y, 4, 1), Qt::black);
        p.drawText(QRectF(Frame.left() - 33, y - 7, 27, 14), Qt::AlignRight | Qt::AlignVCenter, QString::number(w));
    }
    for (int h = MinHeight; h <= MaxHeight; h += 5) {
        const int x = qFloor(columnOf(h));
        p.fillRect(QRect(x, Frame.bottom() + 1, 1, 4), Qt::black);
        p.drawText(QRectF(x - 15, Frame.bottom() + 6, 30, 14), Qt::AlignCenter, QString::number(h));
    }
    p.setFont(sansFont(12, true));
    drawRotatedText(p, QPointF(9, Frame.center().y()), -90, QRectF(-60, -8, 120, 16), Qt::AlignCenter,
                    QStringLiteral("hmotnost [kg]"));
    p.drawText(QRectF(Frame.left(), Frame.bottom() + 24, Frame.width(), 16), Qt::AlignCenter,
               QStringLiteral("výška [cm]"));
}

void paintChart(QPainter& p)
{
    p.fillRect(QRect(0, 0, 799, 444), Qt::white);
    paintBands(p, Detail::Full);
    paintBandNames(p, Detail::Full);
    paintAxes(p);
}

} // namespace chart
namespace warning {

QPainterPath arrowUp(QPointF centre)
{
    QPainterPath arrow;
    arrow.setFillRule(Qt::WindingFill); // shaft and head overlap
    arrow.addRect(QRectF(centre.x() - 2, centre.y() - 12, 4, 9));
    QPolygonF head;
    head << QPointF(centre.x(), centre.y() - 18) << QPointF(centre.x() + 6, centre.y() - 11)
         << QPointF(centre.x() - 6, centre.y() - 11);
    arrow.addPolygon(head);
    arrow.closeSubpath();
    return arrow;
}

void paintRangeWarning(QPainter& p)
{
    const QPointF centre(23, 23);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF diamond;
    diamond << QPointF(23, 0.5) << QPointF(45.5, 23) << QPointF(23, 45.5) << QPointF(0.5, 23);
    QLinearGradient fill(0, 0, 46, 46);
    fill.setColorAt(0, QColor(90, 150, 255));
    fill.setColorAt(1, QColor(0, 20, 190));
    p.setPen(QPen(QColor(0, 0, 110), 1));
    p.setBrush(fill);
    p.drawPolygon(diamond);

    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(centre.x() - 4, centre.y() - 4, 8, 8));
    for (int quarter = 0; quarter < 4; ++quarter) {
        p.save();
        p.translate(centre);
        p.rotate(90 * quarter);
        p.translate(-centre);
        p.drawPath(arrowUp(centre));
        p.restore();
    }
}

} // namespace warning
} // namespace

void paintWeightChart(QPainter& p)
{
    chart::paintChart(p);
}

void paintWeightChartBands(QPainter& p, Detail detail)
{
    chart::paintBands(p, detail);
    chart::paintBandNames(p, detail);
}

QRect weightChartFrame()
{
    return chart::Frame;
}
void paintRangeWarning(QPainter& p)
{
    warning::paintRangeWarning(p);
}

} // namespace pictures
