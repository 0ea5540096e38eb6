#include "resources/Pictures.h"

#include "resources/Fonts.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPolygonF>
#include <QRadialGradient>
#include <QtMath>

#include <array>
#include <limits>
#include <vector>

namespace pictures {
namespace {

// Every picture is shown at 15 twips per pixel; the windows' marker formulas are in twips.
constexpr qreal kTwipsPerPixel = 15.0;

QFont sansFont(int pixelSize, bool bold = false)
{
    return fonts::font(fonts::Face::Sans, pixelSize, bold);
}

QFont monoFont(int pixelSize, bool bold = false)
{
    return fonts::font(fonts::Face::Mono, pixelSize, bold);
}

// Draws text into box after rotating the coordinate system about anchor.
void drawRotatedText(QPainter& p, QPointF anchor, qreal degrees, const QRectF& box, int flags,
                     const QString& text)
{
    p.save();
    p.translate(anchor);
    p.rotate(degrees);
    p.drawText(box, flags, text);
    p.restore();
}

// A frame of the given width drawn inside rect, pixel-exact at any device pixel ratio.
void fillFrame(QPainter& p, const QRect& rect, int width, const QColor& colour)
{
    p.fillRect(QRect(rect.left(), rect.top(), rect.width(), width), colour);
    p.fillRect(QRect(rect.left(), rect.bottom() - width + 1, rect.width(), width), colour);
    p.fillRect(QRect(rect.left(), rect.top(), width, rect.height()), colour);
    p.fillRect(QRect(rect.right() - width + 1, rect.top(), width, rect.height()), colour);
}

// ---------------------------------------------------------------------------------------------
// BMI by age (Form1 Image1) and its legend (Form1 Image2)

namespace bmi {

// The main window's marker puts BMI 0 at 3740 twips and age 18 at 650 twips.
constexpr qreal kZeroTwips = 3740.0;
constexpr qreal kTwipsPerUnit = 60.83;
constexpr qreal kTwipsPerYear = 81.875;
constexpr qreal kAgeOffsetTwips = 823.75;
constexpr int kFirstAge = 18;
constexpr int kLastAge = 66;
constexpr int kTopValue = 60;

qreal rowOf(qreal value) { return (kZeroTwips - value * kTwipsPerUnit) / kTwipsPerPixel; }
qreal columnOf(qreal age) { return (age * kTwipsPerYear - kAgeOffsetTwips) / kTwipsPerPixel; }
int gridRow(int value) { return qRound(rowOf(value)); }

const int kPlotLeft = qFloor(columnOf(kFirstAge));     // 43, the BMI axis
const int kPlotRight = qCeil(columnOf(kLastAge));      // 306, first column past age 66
const QColor kZeroLineColour(0, 128, 128);

struct Curve {
    QColor colour;
    const char* label;
    std::vector<QPointF> points; // (age, BMI)
};

// Legend order: two rows of three, thinnest class first.
const std::vector<Curve>& curves()
{
    static const std::vector<Curve> table = {
        {QColor(128, 0, 128), "Podváha",
         {{18, 18.0}, {22, 18.1}, {26, 18.4}, {30, 18.6}, {34, 19.1}, {38, 19.8}, {42, 20.4},
          {46, 20.9}, {50, 21.4}, {54, 22.0}, {58, 22.8}, {62, 24.4}, {65, 25.8}}},
        {QColor(0, 0, 255), "Norma",
         {{18, 24.0}, {22, 24.1}, {26, 24.3}, {30, 24.6}, {34, 24.8}, {38, 25.3}, {42, 25.8},
          {46, 26.0}, {50, 26.5}, {54, 27.0}, {58, 27.5}, {62, 28.4}, {66, 29.8}}},
        {QColor(0, 128, 0), "Nadváha",
         {{18, 26.9}, {22, 27.0}, {26, 27.5}, {30, 28.9}, {34, 29.8}, {38, 30.5}, {42, 30.7},
          {46, 31.2}, {50, 31.5}, {54, 32.0}, {58, 32.5}, {62, 32.7}, {66, 33.2}}},
        {QColor(128, 128, 0), "Obezita I",
         {{18, 29.9}, {22, 30.0}, {26, 30.6}, {30, 32.6}, {34, 33.7}, {38, 34.4}, {42, 34.7},
          {46, 35.2}, {50, 35.4}, {54, 35.9}, {58, 36.4}, {62, 36.7}, {66, 37.2}}},
        {QColor(128, 0, 0), "Obezita II",
         {{18, 33.1}, {22, 33.2}, {26, 34.3}, {30, 37.0}, {34, 38.8}, {38, 39.4}, {42, 39.6},
          {46, 40.1}, {50, 40.6}, {54, 40.9}, {58, 41.4}, {62, 41.6}, {66, 42.1}}},
        {QColor(255, 0, 0), "Obezita III",
         {{18, 38.0}, {22, 38.1}, {26, 39.3}, {30, 42.2}, {34, 43.3}, {38, 44.3}, {42, 44.8},
          {44, 45.0}, {45, 50.0}, {46, 50.2}, {50, 50.5}, {54, 51.0}, {58, 51.5}, {62, 51.7},
          {66, 52.2}}},
    };
    return table;
}

void paintGrid(QPainter& p)
{
    for (int value = 10; value <= kTopValue; value += 10)
        p.fillRect(QRect(kPlotLeft, gridRow(value), kPlotRight - kPlotLeft, 1), Qt::black);
    for (int x = kPlotLeft + 1; x < kPlotRight; x += 2)
        p.fillRect(QRect(x, gridRow(0), 1, 1), kZeroLineColour);
}

void paintValueAxis(QPainter& p)
{
    const int top = gridRow(kTopValue);
    p.fillRect(QRect(kPlotLeft, top, 1, gridRow(0) - top + 1), Qt::black);
    p.setFont(sansFont(10));
    for (int value = 0; value <= kTopValue; value += 10) {
        const int y = gridRow(value);
        p.fillRect(QRect(kPlotLeft - 3, y, 3, 1), Qt::black);
        p.drawText(QRectF(kPlotLeft - 30, y - 7, 25, 14), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(value));
    }
    p.setFont(sansFont(11, true));
    drawRotatedText(p, QPointF(9, (top + gridRow(0)) / 2.0), -90, QRectF(-50, -7, 100, 14),
                    Qt::AlignCenter, QStringLiteral("Index BMI"));
}

void paintAgeAxis(QPainter& p)
{
    const int axisRow = gridRow(0);
    p.setFont(sansFont(10));
    for (int age = kFirstAge; age <= kLastAge; ++age) {
        const int x = qRound(columnOf(age));
        p.fillRect(QRect(x, axisRow + 1, 1, 3), Qt::black);
        if ((age - kFirstAge) % 5 == 0)
            drawRotatedText(p, QPointF(x + 3, axisRow + 7), -45, QRectF(-30, -6, 30, 12),
                            Qt::AlignRight | Qt::AlignVCenter, QString::number(age));
    }
    p.setFont(sansFont(11, true));
    p.drawText(QRectF(kPlotLeft, axisRow + 33, kPlotRight - kPlotLeft, 15), Qt::AlignCenter,
               QStringLiteral("Věk"));
}

void paintCurves(QPainter& p)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (const Curve& curve : curves()) {
        QPolygonF line;
        for (const QPointF& point : curve.points)
            line << QPointF(columnOf(point.x()), rowOf(point.y()));
        p.setPen(QPen(curve.colour, 2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p.drawPolyline(line);
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
    p.setFont(sansFont(11));
    p.setPen(Qt::black);
    const auto& all = curves();
    for (int i = 0; i < int(all.size()); ++i) {
        const int x = 10 + (i % 3) * 84;
        const int y = i < 3 ? 11 : 25;
        p.fillRect(QRect(x, y, 18, 2), all[i].colour);
        p.drawText(QRectF(x + 24, y - 7, 58, 16), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromUtf8(all[i].label));
    }
}

} // namespace bmi

// ---------------------------------------------------------------------------------------------
// Weights for men and women (Form2 Image1)

namespace table {

constexpr int kWidth = 431;
constexpr int kHeight = 481;
constexpr int kDataRows = 24;
constexpr int kFooterRow = kDataRows;

struct Rule {
    int at;    // first pixel
    int width; // in pixels
    int end() const { return at + width; }
};

// Outer frame, the line after the height column, then the six weight columns.
constexpr std::array<Rule, 8> kVerticals{
    {{0, 2}, {54, 2}, {117, 1}, {179, 1}, {242, 1}, {304, 1}, {367, 1}, {429, 2}}};
constexpr int kGroupColumn = 4; // kVerticals index of the line between men and women

// Heading: title, group and column lines over the weight columns.
constexpr std::array<int, 4> kHeadingTops{2, 19, 36, 52};

// Horizontal rules below the heading, r = 0..25: heading bottom, the lines between the 24 data
// rows (they drift from 69 to 431, 16 or 17 px apart), the footer line and the outer frame.
Rule rowRule(int r)
{
    if (r == 0)
        return {52, 2};
    if (r == kFooterRow)
        return {447, 2};
    if (r == kFooterRow + 1)
        return {479, 2};
    return {qRound(69 + (r - 1) * 362.0 / 22), 1};
}

// Inner rectangle of body row r (0..23 data, 24 footer) in column c (0 labels, 1..6 weights).
QRect cell(int c, int r)
{
    return QRect(QPoint(kVerticals[c].end(), rowRule(r).end()),
                 QPoint(kVerticals[c + 1].at - 1, rowRule(r + 1).at - 1));
}

QRect headingCell(int firstColumn, int lastColumn, int headingRow, int rows = 1)
{
    return QRect(QPoint(kVerticals[firstColumn].end(), kHeadingTops[headingRow]),
                 QPoint(kVerticals[lastColumn + 1].at - 1, kHeadingTops[headingRow + rows] - 2));
}

const QColor kLabelGrey(192, 192, 192);

struct ColumnKind {
    const char* name;
    QColor header;
    QColor cell;
    QColor headerText;
};

const std::array<ColumnKind, 3> kColumnKinds{{
    {"průměr", QColor(0, 255, 0), QColor(204, 255, 204), Qt::black},
    {"rozsah", QColor(255, 204, 0), QColor(255, 204, 153), Qt::black},
    {"obézní", QColor(153, 51, 0), QColor(255, 204, 153), Qt::white},
}};

const ColumnKind& kindOf(int column) { return kColumnKinds[(column - 1) % 3]; }

struct Row {
    const char* label;
    std::array<const char*, 6> cells; // men average, range, obese; women the same; "" is blank
};

const std::array<Row, kDataRows + 1> kRows{{
    {"145", {"", "", "", "46,0", "42–53", "63"}},
    {"148", {"", "", "", "46,5", "42–54", "65"}},
    {"150", {"", "", "", "47,0", "43–55", "66"}},
    {"152", {"", "", "", "48,8", "44–55", "68"}},
    {"154", {"", "", "", "49,5", "44–58", "70"}},
    {"156", {"", "", "", "50,4", "45–58", "70"}},
    {"158", {"55,8", "51–64", "77", "51,3", "46–59", "71"}},
    {"160", {"57,6", "52–65", "78", "52,6", "48–61", "73"}},
    {"162", {"58,6", "53–66", "79", "54,0", "49–62", "74"}},
    {"164", {"59,6", "54–67", "80", "55,4", "50–64", "77"}},
    {"166", {"60,6", "55–69", "83", "56,8", "51–63", "78"}},
    {"168", {"61,7", "56–71", "85", "58,1", "52–66", "79"}},
    {"170", {"63,5", "58–73", "88", "60,0", "53–67", "80"}},
    {"172", {"65,0", "59–74", "89", "61,3", "55–69", "83"}},
    {"174", {"66,5", "60–75", "90", "62,6", "56–70", "84"}},
    {"176", {"68,0", "62–77", "92", "64,0", "58–72", "86"}},
    {"178", {"69,4", "64–79", "95", "65,3", "59–74", "89"}},
    {"180", {"71,0", "65–80", "96", "", "", ""}},
    {"182", {"72,6", "66–82", "98", "", "", ""}},
    {"184", {"74,2", "67–84", "101", "", "", ""}},
    {"186", {"75,8", "69–86", "103", "", "", ""}},
    {"188", {"77,6", "71–88", "106", "", "", ""}},
    {"190", {"79,3", "73–90", "108", "", "", ""}},
    {"192", {"81,0", "75–93", "112", "", "", ""}},
    {"BMI", {"22,0", "20,1–25,0", "30,0", "20,8", "18,7–23,8", "28,6"}},
}};

constexpr int kTextSize = 12;
constexpr int kColumns = 6;

void paintHeading(QPainter& p)
{
    const QRect heightLabel = headingCell(0, 0, 0, 3);
    p.fillRect(heightLabel, kLabelGrey);
    p.setPen(Qt::black);
    p.setFont(monoFont(kTextSize, true));
    p.drawText(heightLabel, Qt::AlignCenter, QStringLiteral("Výška\nv cm"));
    p.drawText(headingCell(1, kColumns, 0), Qt::AlignCenter, QStringLiteral("Hmotnost v kg"));
    p.drawText(headingCell(1, 3, 1), Qt::AlignCenter, QStringLiteral("MUŽI"));
    p.drawText(headingCell(4, kColumns, 1), Qt::AlignCenter, QStringLiteral("ŽENY"));
    p.setFont(monoFont(kTextSize));
    for (int c = 1; c <= kColumns; ++c) {
        const QRect box = headingCell(c, c, 2);
        p.fillRect(box, kindOf(c).header);
        p.setPen(kindOf(c).headerText);
        p.drawText(box, Qt::AlignCenter, QString::fromUtf8(kindOf(c).name));
    }
}

// The footer's ranges do not fit their columns on one line, so they break after the dash.
QString footerText(const char* text)
{
    return QString::fromUtf8(text).replace(QStringLiteral("–"), QStringLiteral("–\n"));
}

void paintBody(QPainter& p)
{
    for (int r = 0; r <= kFooterRow; ++r) {
        const bool footer = r == kFooterRow;
        p.setFont(monoFont(kTextSize, footer));
        p.fillRect(cell(0, r), kLabelGrey);
        p.setPen(Qt::black);
        p.drawText(cell(0, r), Qt::AlignCenter, QString::fromUtf8(kRows[r].label));
        for (int c = 1; c <= kColumns; ++c) {
            const ColumnKind& kind = kindOf(c);
            p.fillRect(cell(c, r), footer ? kind.header : kind.cell);
            p.setPen(footer ? kind.headerText : QColor(Qt::black));
            const char* text = kRows[r].cells[c - 1];
            p.drawText(cell(c, r), Qt::AlignCenter,
                       footer ? footerText(text) : QString::fromUtf8(text));
        }
    }
}

void paintRules(QPainter& p)
{
    const QRect whole(0, 0, kWidth, kHeight);
    fillFrame(p, whole, 2, Qt::black);
    p.fillRect(QRect(kVerticals[1].at, 0, kVerticals[1].width, kHeight), Qt::black);
    for (int r = 0; r <= kFooterRow; ++r)
        p.fillRect(QRect(0, rowRule(r).at, kWidth, rowRule(r).width), Qt::black);
    const int weightsLeft = kVerticals[1].end();
    const int weightsWidth = kVerticals.back().at - weightsLeft;
    for (int i = 1; i <= 2; ++i)
        p.fillRect(QRect(weightsLeft, kHeadingTops[i] - 1, weightsWidth, 1), Qt::black);
    for (int v = 2; v < int(kVerticals.size()) - 1; ++v) {
        const int top = kHeadingTops[v == kGroupColumn ? 1 : 2] - 1;
        p.fillRect(QRect(kVerticals[v].at, top, kVerticals[v].width, kHeight - top), Qt::black);
    }
}

void paintTable(QPainter& p)
{
    p.fillRect(QRect(0, 0, kWidth, kHeight), Qt::white);
    paintHeading(p);
    paintBody(p);
    paintRules(p);
}

} // namespace table

// ---------------------------------------------------------------------------------------------
// Weight by height (Form5 Image1)

namespace chart {

// The cross of Form5 puts 150 cm at 740 twips and 40 kg at 5960 twips.
constexpr qreal kTwipsPerCm = 184.17;
constexpr qreal kTwipsPerKg = 64.22;
constexpr qreal kLeftTwips = 740.0;
constexpr qreal kBottomTwips = 5960.0;
constexpr int kMinHeight = 150;
constexpr int kMaxHeight = 210;
constexpr int kMinWeight = 40;
constexpr int kMaxWeight = 130;

qreal columnOf(qreal heightCm)
{
    return ((heightCm - kMinHeight) * kTwipsPerCm + kLeftTwips) / kTwipsPerPixel;
}

qreal rowOf(qreal weightKg)
{
    return (kBottomTwips - (weightKg - kMinWeight) * kTwipsPerKg) / kTwipsPerPixel;
}

qreal weightAt(qreal bmi, qreal heightCm) { return bmi * (heightCm / 100) * (heightCm / 100); }

// The axes sit on the pixels that hold the chart's limits; the bands fill what lies inside.
const QRect kFrame(QPoint(qFloor(columnOf(kMinHeight)), qFloor(rowOf(kMaxWeight))),
                   QPoint(qFloor(columnOf(kMaxHeight)), qFloor(rowOf(kMinWeight))));
const QRect kInside = kFrame.adjusted(1, 1, -1, -1);

struct Band {
    const char* name;
    qreal upperBmi;    // the curve above the band; none for the top band
    QColor fill;
    qreal labelHeight; // cm at which the name sits, where the band is roomy enough
};

constexpr qreal kNoCurve = std::numeric_limits<qreal>::infinity();

const std::array<Band, 6> kBands{{
    {"Podvýživa", 18.5, QColor(153, 204, 254), 197},
    {"Ideální váha", 25, Qt::white, 190},
    {"Nadváha", 30, QColor(254, 254, 204), 178},
    {"Mírná obezita", 35, QColor(254, 204, 0), 169},
    {"Střední obezita", 40, QColor(254, 101, 0), 160},
    {"Morbidní obezita", kNoCurve, QColor(254, 0, 0), 160},
}};

QPolygonF curve(qreal bmi)
{
    QPolygonF line;
    for (qreal h = kMinHeight; h <= kMaxHeight; h += 0.5)
        line << QPointF(columnOf(h), rowOf(weightAt(bmi, h)));
    return line;
}

void paintBands(QPainter& p)
{
    p.save();
    p.setClipRect(kInside);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(kInside, kBands.back().fill);
    // Each band below overpaints everything under its upper curve, top band first.
    for (int i = int(kBands.size()) - 2; i >= 0; --i) {
        QPolygonF area = curve(kBands[i].upperBmi);
        area << QPointF(kFrame.right() + 1, kFrame.bottom() + 1)
             << QPointF(kFrame.left(), kFrame.bottom() + 1);
        p.setPen(Qt::NoPen);
        p.setBrush(kBands[i].fill);
        p.drawPolygon(area);
    }
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i + 1 < int(kBands.size()); ++i)
        p.drawPolyline(curve(kBands[i].upperBmi));
    p.restore();
}

void paintBandNames(QPainter& p)
{
    p.setFont(sansFont(13, true));
    p.setPen(Qt::black);
    for (int i = 0; i < int(kBands.size()); ++i) {
        const Band& band = kBands[i];
        const qreal h = band.labelHeight;
        const qreal lower = i == 0 ? kMinWeight : weightAt(kBands[i - 1].upperBmi, h);
        const qreal upper = band.upperBmi == kNoCurve ? kMaxWeight : weightAt(band.upperBmi, h);
        const qreal weight = (lower + upper) / 2;
        // The name follows the band: it runs along the constant-BMI curve through its centre.
        const qreal kgPerCm = 2 * weight / h;
        const qreal degrees = -qRadiansToDegrees(qAtan2(kgPerCm * kTwipsPerKg, kTwipsPerCm));
        drawRotatedText(p, QPointF(columnOf(h), rowOf(weight)), degrees,
                        QRectF(-80, -9, 160, 18), Qt::AlignCenter, QString::fromUtf8(band.name));
    }
}

void paintAxes(QPainter& p)
{
    fillFrame(p, kFrame, 1, Qt::black);
    p.setPen(Qt::black);
    p.setFont(sansFont(11));
    for (int w = kMinWeight; w <= kMaxWeight; w += 10) {
        const int y = qFloor(rowOf(w));
        p.fillRect(QRect(kFrame.left() - 4, y, 4, 1), Qt::black);
        p.drawText(QRectF(kFrame.left() - 33, y - 7, 27, 14), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(w));
    }
    for (int h = kMinHeight; h <= kMaxHeight; h += 5) {
        const int x = qFloor(columnOf(h));
        p.fillRect(QRect(x, kFrame.bottom() + 1, 1, 4), Qt::black);
        p.drawText(QRectF(x - 15, kFrame.bottom() + 6, 30, 14), Qt::AlignCenter,
                   QString::number(h));
    }
    p.setFont(sansFont(12, true));
    drawRotatedText(p, QPointF(9, kFrame.center().y()), -90, QRectF(-60, -8, 120, 16),
                    Qt::AlignCenter, QStringLiteral("hmotnost [kg]"));
    p.drawText(QRectF(kFrame.left(), kFrame.bottom() + 24, kFrame.width(), 16), Qt::AlignCenter,
               QStringLiteral("výška [cm]"));
}

void paintChart(QPainter& p)
{
    p.fillRect(QRect(0, 0, 799, 444), Qt::white);
    paintBands(p);
    paintBandNames(p);
    paintAxes(p);
}

} // namespace chart

// ---------------------------------------------------------------------------------------------
// Miniatures (Form1 Image3 and Image7)

// Downscales part of a big picture by area averaging, which keeps its lines and colours
// readable where plain sampling would drop them.
// Paints the source straight through a scaled painter: rendering it whole and scaling the
// image down would cost the main window's start-up several times as much.
void paintReduced(QPainter& p, const Picture& source, const QRect& part, const QSize& size)
{
    const QRect target(QPoint(0, 0), size);
    p.save();
    p.fillRect(target, Qt::white);
    p.setClipRect(target);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(qreal(size.width()) / part.width(), qreal(size.height()) / part.height());
    p.translate(-part.topLeft());
    source.paint(p);
    p.restore();
}

void paintTableMiniature(QPainter& p)
{
    paintReduced(p, WeightTable, QRect(0, 0, WeightTable.width, WeightTable.height),
                 QSize(TableMiniature.width, TableMiniature.height));
}

// The whole chart would be squeezed to a sliver; its bands alone tell what the button opens.
void paintChartMiniature(QPainter& p)
{
    const QSize size(ChartMiniature.width, ChartMiniature.height);
    paintReduced(p, WeightChart, chart::kFrame, size);
    fillFrame(p, QRect(QPoint(0, 0), size), 1, QColor(64, 64, 64));
}

// ---------------------------------------------------------------------------------------------
// Round buttons (Form1 Image4, Image5, Image6)

QPainterPath strokedPath(const QPainterPath& centreLine, qreal width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(centreLine).simplified();
}

QPainterPath questionMark()
{
    QPainterPath path;
    path.addText(0, 0, sansFont(24, true), QStringLiteral("?"));
    const QRectF bounds = path.boundingRect();
    return path.translated(QPointF(16, 16.5) - bounds.center());
}

QPainterPath tick()
{
    QPainterPath line(QPointF(9.5, 16.5));
    line.lineTo(14, 21.5);
    line.lineTo(22.5, 10.5);
    return strokedPath(line, 3.6);
}

QPainterPath cross()
{
    QPainterPath lines(QPointF(11, 11));
    lines.lineTo(21, 21);
    lines.moveTo(21, 11);
    lines.lineTo(11, 21);
    return strokedPath(lines, 3.6);
}

void paintRoundButton(QPainter& p, const QColor& base, const QPainterPath& symbol)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(1, 1, 30, 30);
    QRadialGradient body(QPointF(16, 19), 17, QPointF(16, 24));
    body.setColorAt(0, base.lighter(160));
    body.setColorAt(0.55, base);
    body.setColorAt(1, base.darker(170));
    p.setPen(QPen(base.darker(260), 1));
    p.setBrush(body);
    p.drawEllipse(disc);

    QLinearGradient gloss(0, 2, 0, 16);
    gloss.setColorAt(0, QColor(255, 255, 255, 210));
    gloss.setColorAt(1, QColor(255, 255, 255, 25));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawEllipse(QRectF(5.5, 2.5, 21, 13));

    p.setBrush(QColor(0, 0, 0, 90));
    p.drawPath(symbol.translated(0.8, 1.0));
    p.setBrush(Qt::white);
    p.drawPath(symbol);
}

void paintHelpButton(QPainter& p) { paintRoundButton(p, QColor(30, 90, 210), questionMark()); }
void paintAboutButton(QPainter& p) { paintRoundButton(p, QColor(30, 150, 40), tick()); }
void paintQuitButton(QPainter& p) { paintRoundButton(p, QColor(210, 30, 30), cross()); }

// ---------------------------------------------------------------------------------------------
// Program icon, range warning and built-in banner

// The icon as menus show it, 16 pixels square, drawn pixel by pixel: at that size the
// scaled letters would melt into their outlines. r red, y yellow, . the ground.
constexpr std::array<const char*, 16> kSmallIcon{
    "................",
    "................",
    "yyyyyyyyy.yyyyyy",
    "yrrryyrryyyrryrr",
    "yrryryrrryrrryrr",
    "yrryryrrrrrrryrr",
    "yrryryrryryrryrr",
    "yrrryyrryyyrryrr",
    "yrryryrry.yrryrr",
    "yrryryrry.yrryrr",
    "yrryryrry.yrryrr",
    "yrryryrry.yrryrr",
    "yrrryyrry.yrryrr",
    "yyyyyyyyy.yyyyyy",
    "................",
    "................",
};

void paintIcon(QPainter& p)
{
    QLinearGradient ground(0, 0, 0, 32);
    ground.setColorAt(0, QColor(40, 44, 72));
    ground.setColorAt(1, QColor(6, 6, 18));
    p.fillRect(QRect(0, 0, 32, 32), ground);
    const QColor red(230, 0, 0), yellow(255, 230, 0);

    // One screen pixel in the drawing's units: 1 at the natural size, 2 for the menus' icon.
    const qreal pixel = 1 / qMax(p.deviceTransform().m11(), qreal(0.01));
    if (pixel >= 2) {
        const qreal cell = 32.0 / int(kSmallIcon.size());
        for (int y = 0; y < int(kSmallIcon.size()); ++y)
            for (int x = 0; kSmallIcon[y][x]; ++x)
                if (const char c = kSmallIcon[y][x]; c != '.')
                    p.fillRect(QRectF(x * cell, y * cell, cell, cell), c == 'r' ? red : yellow);
        return;
    }

    // Between that and the natural size the letters fill the square and keep an outline one
    // screen pixel wide, instead of shrinking to a thin band.
    const bool small = pixel > 1;
    const qreal width = small ? 32 - 2 * pixel : 27;
    const qreal height = small ? width / 1.3 : 18;
    const QRectF target((32 - width) / 2, (32 - height) / 2, width, height);

    QPainterPath letters;
    letters.addText(0, 0, sansFont(20, true), QStringLiteral("BMI"));
    const QRectF bounds = letters.boundingRect();
    QTransform fit;
    fit.translate(target.left(), target.top());
    fit.scale(target.width() / bounds.width(), target.height() / bounds.height());
    fit.translate(-bounds.left(), -bounds.top());
    letters = fit.map(letters);

    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(yellow, small ? 2 * pixel : 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(letters);
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawPath(letters);
}

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

void paintBuiltInBanner(QPainter& p)
{
    const QRect whole(0, 0, 468, 60);
    p.fillRect(whole, QColor(248, 248, 248));
    fillFrame(p, whole, 1, Qt::black);

    // The letters keep their height and are narrowed or widened to fill the banner.
    const QString text = QStringLiteral("I Vy zde můžete mít reklamu");
    const QFont font = sansFont(33, true);
    const qreal natural = QFontMetricsF(font).horizontalAdvance(text);
    const qreal wanted = whole.width() - 16;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(whole.center().x() + 0.5, whole.center().y() + 0.5);
    p.scale(wanted / natural, 1.0);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRectF(-natural / 2, -30, natural, 60), Qt::AlignCenter, text);
    p.restore();
}

} // namespace

const char* weightTableRowHeight(int row)
{
    return row >= 0 && row < table::kDataRows ? table::kRows[static_cast<std::size_t>(row)].label : nullptr;
}

const Picture BmiChart{307, 300, bmi::paintChart, true};
const Picture Legend{260, 39, bmi::paintLegend, true};
const Picture TableMiniature{55, 61, paintTableMiniature};
const Picture ChartMiniature{55, 61, paintChartMiniature};
const Picture HelpButton{32, 32, paintHelpButton, true};
const Picture AboutButton{32, 32, paintAboutButton, true};
const Picture QuitButton{32, 32, paintQuitButton, true};
const Picture Icon{32, 32, paintIcon};
const Picture WeightTable{431, 481, table::paintTable};
const Picture WeightChart{799, 444, chart::paintChart};
const Picture RangeWarning{46, 46, paintRangeWarning};
const Picture BuiltInBanner{468, 60, paintBuiltInBanner};

QImage render(const Picture& picture, qreal devicePixelRatio)
{
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QImage image(qCeil(picture.width * dpr), qCeil(picture.height * dpr),
                 QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
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
