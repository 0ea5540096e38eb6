#include "resources/Painting.h"

#include <array>

// The table of weights for men and women.
namespace pictures {
namespace {

namespace table {

constexpr int Width = 431;
constexpr int Height = 481;
constexpr int DataRows = 24;
constexpr int FooterRow = DataRows;

struct Rule {
    int at;    // first pixel
    int width; // in pixels
    int end() const { return at + width; }
};

// Outer frame, the line after the height column, then the six weight columns.
constexpr std::array<Rule, 8> Verticals{{{0, 2}, {54, 2}, {117, 1}, {179, 1}, {242, 1}, {304, 1}, {367, 1}, {429, 2}}};
constexpr int GroupColumn = 4; // Verticals index of the line between men and women

// Heading: title, group and column lines over the weight columns.
constexpr std::array<int, 4> HeadingTops{2, 19, 36, 52};

// Horizontal rules below the heading, r = 0..25: heading bottom, the lines between the 24 data
// rows (they drift from 69 to 431, 16 or 17 px apart), the footer line and the outer frame.
Rule rowRule(int r)
{
    if (r == 0)
        return {52, 2};
    if (r == FooterRow)
        return {447, 2};
    if (r == FooterRow + 1)
        return {479, 2};
    return {qRound(69 + (r - 1) * 362.0 / 22), 1};
}

// Inner rectangle of body row r (0..23 data, 24 footer) in column c (0 labels, 1..6 weights).
QRect cell(int c, int r)
{
    return QRect(QPoint(Verticals[c].end(), rowRule(r).end()), QPoint(Verticals[c + 1].at - 1, rowRule(r + 1).at - 1));
}

QRect headingCell(int firstColumn, int lastColumn, int headingRow, int rows = 1)
{
    return QRect(QPoint(Verticals[firstColumn].end(), HeadingTops[headingRow]),
                 QPoint(Verticals[lastColumn + 1].at - 1, HeadingTops[headingRow + rows] - 2));
}

const QColor LabelGrey(192, 192, 192);

struct ColumnKind {
    const char* name;
    QColor header;
    QColor cell;
    QColor headerText;
};

const std::array<ColumnKind, 3> ColumnKinds{{
    {"průměr", QColor(0, 255, 0), QColor(204, 255, 204), Qt::black},
    {"rozsah", QColor(255, 204, 0), QColor(255, 204, 153), Qt::black},
    {"obézní", QColor(153, 51, 0), QColor(255, 204, 153), Qt::white},
}};

const ColumnKind& kindOf(int column)
{
    return ColumnKinds[(column - 1) % 3];
}

struct Row {
    const char* label;
    std::array<const char*, 6> cells; // men average, range, obese; women the same; "" is blank
};

const std::array<Row, DataRows + 1> Rows{{
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

constexpr int TextSize = 12;
constexpr int Columns = 6;

void paintHeading(QPainter& p, Detail detail)
{
    const QRect heightLabel = headingCell(0, 0, 0, 3);
    p.fillRect(heightLabel, LabelGrey);
    p.setPen(Qt::black);
    p.setFont(monoFont(TextSize, true));
    drawText(p, heightLabel, Qt::AlignCenter, QStringLiteral("Výška\nv cm"), detail);
    drawText(p, headingCell(1, Columns, 0), Qt::AlignCenter, QStringLiteral("Hmotnost v kg"), detail);
    drawText(p, headingCell(1, 3, 1), Qt::AlignCenter, QStringLiteral("MUŽI"), detail);
    drawText(p, headingCell(4, Columns, 1), Qt::AlignCenter, QStringLiteral("ŽENY"), detail);
    p.setFont(monoFont(TextSize));
    for (int c = 1; c <= Columns; ++c) {
        const QRect box = headingCell(c, c, 2);
        p.fillRect(box, kindOf(c).header);
        p.setPen(kindOf(c).headerText);
        drawText(p, box, Qt::AlignCenter, QString::fromUtf8(kindOf(c).name), detail);
    }
}

// The footer's ranges do not fit their columns on one line, so they break after the dash.
QString footerText(const char* text)
{
    return QString::fromUtf8(text).replace(QStringLiteral("–"), QStringLiteral("–\n"));
}

void paintBody(QPainter& p, Detail detail)
{
    // Each column's colour runs down its data rows in one piece; the rules between the rows are
    // drawn over it later.
    for (int c = 0; c <= Columns; ++c) {
        p.fillRect(cell(c, 0).united(cell(c, FooterRow - 1)), c == 0 ? LabelGrey : kindOf(c).cell);
        p.fillRect(cell(c, FooterRow), c == 0 ? LabelGrey : kindOf(c).header);
    }
    for (int r = 0; r <= FooterRow; ++r) {
        const bool footer = r == FooterRow;
        p.setFont(monoFont(TextSize, footer));
        p.setPen(Qt::black);
        drawText(p, cell(0, r), Qt::AlignCenter, QString::fromUtf8(Rows[r].label), detail);
        for (int c = 1; c <= Columns; ++c) {
            const ColumnKind& kind = kindOf(c);
            p.setPen(footer ? kind.headerText : QColor(Qt::black));
            const char* text = Rows[r].cells[c - 1];
            drawText(p, cell(c, r), Qt::AlignCenter, footer ? footerText(text) : QString::fromUtf8(text), detail);
        }
    }
}

void paintRules(QPainter& p)
{
    const QRect whole(0, 0, Width, Height);
    fillFrame(p, whole, 2, Qt::black);
    p.fillRect(QRect(Verticals[1].at, 0, Verticals[1].width, Height), Qt::black);
    for (int r = 0; r <= FooterRow; ++r)
        p.fillRect(QRect(0, rowRule(r).at, Width, rowRule(r).width), Qt::black);
    const int weightsLeft = Verticals[1].end();
    const int weightsWidth = Verticals.back().at - weightsLeft;
    for (int i = 1; i <= 2; ++i)
        p.fillRect(QRect(weightsLeft, HeadingTops[i] - 1, weightsWidth, 1), Qt::black);
    for (int v = 2; v < int(Verticals.size()) - 1; ++v) {
        const int top = HeadingTops[v == GroupColumn ? 1 : 2] - 1;
        p.fillRect(QRect(Verticals[v].at, top, Verticals[v].width, Height - top), Qt::black);
    }
}

void paintTable(QPainter& p, Detail detail)
{
    p.fillRect(QRect(0, 0, Width, Height), Qt::white);
    paintHeading(p, detail);
    paintBody(p, detail);
    paintRules(p);
}

} // namespace table

} // namespace

void paintWeightTable(QPainter& p)
{
    table::paintTable(p, Detail::Full);
}
void paintWeightTable(QPainter& p, Detail detail)
{
    table::paintTable(p, detail);
}

const char* weightTableRowHeight(int row)
{
    return row >= 0 && row < table::DataRows ? table::Rows[static_cast<std::size_t>(row)].label : nullptr;
}

} // namespace pictures
