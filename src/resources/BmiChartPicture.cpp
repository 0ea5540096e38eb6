#include "resources/Painting.h"

#include "model/ChartGeometry.h"

#include <QtMath>

#include <vector>

// The BMI-by-age chart of the main window and its legend.
namespace pictures {
namespace {

namespace bmi {

using model::bmiChart::FirstAge;
using model::bmiChart::LastAge;
using model::bmiChart::TopValue;

// Pixels of the picture, where the main window's marker puts the same values in twips.
qreal rowOf(qreal value)
{
    return model::bmiChart::rowOf(value) / model::TwipsPerPixel;
}
qreal columnOf(qreal age)
{
    return model::bmiChart::columnOf(age) / model::TwipsPerPixel;
}
int gridRow(int value)
{
    return qRound(rowOf(value));
}

const int PlotLeft = qFloor(columnOf(FirstAge)); // 43, the BMI axis
const int PlotRight = qCeil(columnOf(LastAge));  // 306, first column past age 66
const QColor ZeroLineColour(0, 128, 128);

struct Curve {
    QColor colour;
    const char* label;
    std::vector<QPointF> points; // (age, BMI)
};

// Legend order: two rows of three, thinnest class first.
const std::vector<Curve>& curves()
{
    static const std::vector<Curve> table = {
        {QColor(128, 0, 128),
         "Podváha",
         {{18, 18.0},
          {22, 18.1},
          {26, 18.4},
          {30, 18.6},
          {34, 19.1},
          {38, 19.8},
          {42, 20.4},
          {46, 20.9},
          {50, 21.4},
          {54, 22.0},
          {58, 22.8},
          {62, 24.4},
          {65, 25.8}}},
        {QColor(0, 0, 255),
         "Norma",
         {{18, 24.0},
          {22, 24.1},
          {26, 24.3},
          {30, 24.6},
          {34, 24.8},
          {38, 25.3},
          {42, 25.8},
          {46, 26.0},
          {50, 26.5},
          {54, 27.0},
          {58, 27.5},
          {62, 28.4},
          {66, 29.8}}},
        {QColor(0, 128, 0),
         "Nadváha",
         {{18, 26.9},
          {22, 27.0},
          {26, 27.5},
          {30, 28.9},
          {34, 29.8},
          {38, 30.5},
          {42, 30.7},
          {46, 31.2},
          {50, 31.5},
          {54, 32.0},
          {58, 32.5},
          {62, 32.7},
          {66, 33.2}}},
        {QColor(128, 128, 0),
         "Obezita I",
         {{18, 29.9},
          {22, 30.0},
          {26, 30.6},
          {30, 32.6},
          {34, 33.7},
          {38, 34.4},
          {42, 34.7},
          {46, 35.2},
          {50, 35.4},
          {54, 35.9},
          {58, 36.4},
          {62, 36.7},
          {66, 37.2}}},
        {QColor(128, 0, 0),
         "Obezita II",
         {{18, 33.1},
          {22, 33.2},
          {26, 34.3},
          {30, 37.0},
          {34, 38.8},
          {38, 39.4},
          {42, 39.6},
          {46, 40.1},
          {50, 40.6},
          {54, 40.9},
          {58, 41.4},
          {62, 41.6},
          {66, 42.1}}},
        {QColor(255, 0, 0),
         "Obezita III",
         {{18, 38.0},
          {22, 38.1},
          {26, 39.3},
          {30, 42.2},
          {34, 43.3},
          {38, 44.3},
          {42, 44.8},
          {44, 45.0},
          {45, 50.0},
          {46, 50.2},
          {50, 50.5},
          {54, 51.0},
          {58, 51.5},
          {62, 51.7},
          {66, 52.2}}},
    };
    return table;
}

void paintGrid(QPainter& p)
{
    for (int value = 10; value <= TopValue; value += 10)
        p.fillRect(QRect(PlotLeft, gridRow(value), PlotRight - PlotLeft, 1), Qt::black);
    for (int x = PlotLeft + 1; x < PlotRight; x += 2)
        p.fillRect(QRect(x, gridRow(0), 1, 1), ZeroLineColour);
}

void paintValueAxis(QPainter& p)
{
    const int top = gridRow(TopValue);
    p.fillRect(QRect(PlotLeft, top, 1, gridRow(0) - top + 1), Qt::black);
    p.setFont(sansFont(fonts::WindowTextSize));
    for (int value = 0; value <= TopValue; value += 10) {
        const int y = gridRow(value);
        p.fillRect(QRect(PlotLeft - 3, y, 3, 1), Qt::black);
        p.drawText(QRectF(PlotLeft - 30, y - 7, 25, 14), Qt::AlignRight | Qt::AlignVCenter, QString::number(value));
    }
    p.setFont(sansFont(fonts::WindowCaptionSize, true));
    drawRotatedText(p, QPointF(9, (top + gridRow(0)) / 2.0), -90, QRectF(-60, -8, 120, 16), Qt::AlignCenter,
                    QStringLiteral("Index BMI"));
}

void paintAgeAxis(QPainter& p)
{
    const int axisRow = gridRow(0);
    p.setFont(sansFont(fonts::WindowTextSize));
    for (int age = FirstAge; age <= LastAge; ++age) {
        const int x = qRound(columnOf(age));
        p.fillRect(QRect(x, axisRow + 1, 1, 3), Qt::black);
        if ((age - FirstAge) % 5 == 0)
            drawRotatedText(p, QPointF(x + 3, axisRow + 7), -45, QRectF(-30, -6, 30, 12),
                            Qt::AlignRight | Qt::AlignVCenter, QString::number(age));
    }
    p.setFont(sansFont(fonts::WindowCaptionSize, true));
    p.drawText(QRectF(PlotLeft, axisRow + 32, PlotRight - PlotLeft, 17), Qt::AlignCenter, QStringLiteral("Věk"));
}

// Each curve is drawn piece by piece: the rasteriser fills a straight piece directly, where a
// joined line is first stroked into an outline, which costs ten times as much. A piece reaches a
// little past each bend so that no seam shows between two pieces, and at a sharp bend half the
// line's width, covering the corner as a join would.
constexpr qreal CurveWidth = 2;
constexpr qreal Overlap = 0.3;
constexpr qreal SharpBend = 20; // degrees

qreal reachAt(const std::vector<QPointF>& line, size_t bend)
{
    if (bend == 0 || bend + 1 >= line.size())
        return 0;
    const qreal turn = QLineF(line[bend - 1], line[bend]).angleTo(QLineF(line[bend], line[bend + 1]));
    return std::min(turn, 360 - turn) > SharpBend ? CurveWidth / 2 : Overlap;
}

void paintCurves(QPainter& p)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (const Curve& curve : curves()) {
        std::vector<QPointF> line;
        for (const QPointF& point : curve.points)
            line.emplace_back(columnOf(point.x()), rowOf(point.y()));
        std::vector<QLineF> pieces;
        for (size_t i = 1; i < line.size(); ++i) {
            const QPointF along = (line[i] - line[i - 1]) / QLineF(line[i - 1], line[i]).length();
            pieces.emplace_back(line[i - 1] - along * reachAt(line, i - 1), line[i] + along * reachAt(line, i));
        }
        p.setPen(QPen(curve.colour, CurveWidth, Qt::SolidLine, Qt::FlatCap));
        p.drawLines(pieces.data(), int(pieces.size()));
    }
    p.restore();
}

void paintChart(QPainter& p)
{
    paintGrid(p);
    paintValueAxis(p);
    paintAgeAxis(p);
    paintCurves(p);
}

void paintLegend(QPainter& p)
{
    fillFrame(p, QRect(0, 0, 260, 39), 1, Qt::black);
    p.setFont(sansFont(fonts::WindowTextSize));
    p.setPen(Qt::black);
    const auto& all = curves();
    for (int i = 0; i < int(all.size()); ++i) {
        const int x = 10 + (i % 3) * 84;
        const int y = i < 3 ? 11 : 25;
        p.fillRect(QRect(x, y, 18, 2), all[i].colour);
        p.drawText(QRectF(x + 24, y - 7, 58, 16), Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(all[i].label));
    }
}

} // namespace bmi

} // namespace

void paintBmiChart(QPainter& p)
{
    bmi::paintChart(p);
}
void paintLegend(QPainter& p)
{
    bmi::paintLegend(p);
}

} // namespace pictures
