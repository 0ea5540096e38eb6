#include "resources/Painting.h"

#include "resources/Pictures.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>

#include <array>

// The main window's picture buttons, the program icon and the built-in banner.
namespace pictures {
namespace {

// Paints part of a big picture, in its reduced detail, straight through a scaled painter: the
// shrunken lines and colours come out antialiased as an area average would make them, at the
// cost of a few hundred rectangles.
void paintReduced(QPainter& p, void (*paint)(QPainter&, Detail), const QRect& part, const QSize& size)
{
    const QRect target(QPoint(0, 0), size);
    p.save();
    p.fillRect(target, Qt::white);
    p.setClipRect(target);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(qreal(size.width()) / part.width(), qreal(size.height()) / part.height());
    p.translate(-part.topLeft());
    paint(p, Detail::Reduced);
    p.restore();
}

} // namespace

void paintTableMiniature(QPainter& p)
{
    paintReduced(p, paintWeightTable, QRect(0, 0, WeightTable.width, WeightTable.height),
                 QSize(TableMiniature.width, TableMiniature.height));
}

// The whole chart would be squeezed to a sliver; its bands alone tell what the button opens.
void paintChartMiniature(QPainter& p)
{
    const QSize size(ChartMiniature.width, ChartMiniature.height);
    paintReduced(p, paintWeightChartBands, weightChartFrame(), size);
    fillFrame(p, QRect(QPoint(0, 0), size), 1, QColor(64, 64, 64));
}

namespace {

QPainterPath strokedPath(const QPainterPath& centreLine, qreal width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(centreLine).simplified();
}

// The icon's letters are cut from glyph outlines, which scale without loss: they take them at a
// size whose face the main window has loaded anyway.
QPainterPath outline(const QString& text, qreal size)
{
    QPainterPath path;
    path.addText(0, 0, sansFont(fonts::WindowCaptionSize, true), text);
    return QTransform::fromScale(size / fonts::WindowCaptionSize, size / fonts::WindowCaptionSize).map(path);
}

// Drawn as strokes, like the tick and the cross: cut from a glyph's outline, it would cost the
// main window more than painting its three buttons.
QPainterPath questionMark()
{
    QPainterPath line;
    const QRectF hook(11.3, 7.6, 9.4, 9.4);
    line.arcMoveTo(hook, 165);
    line.arcTo(hook, 165, -215);
    line.lineTo(16, 17.4);
    line.lineTo(16, 19);
    QPainterPath mark = strokedPath(line, 3.6);
    mark.addEllipse(QPointF(16, 23.2), 2.1, 2.1);
    return mark;
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

} // namespace

void paintHelpButton(QPainter& p)
{
    paintRoundButton(p, QColor(30, 90, 210), questionMark());
}
void paintAboutButton(QPainter& p)
{
    paintRoundButton(p, QColor(30, 150, 40), tick());
}
void paintQuitButton(QPainter& p)
{
    paintRoundButton(p, QColor(210, 30, 30), cross());
}

namespace {

// The icon as menus show it, 16 pixels square, drawn pixel by pixel: at that size the
// scaled letters would melt into their outlines. r red, y yellow, . the ground.
constexpr std::array<const char*, 16> SmallIcon{
    "................", "................", "yyyyyyyyy.yyyyyy", "yrrryyrryyyrryrr",
    "yrryryrrryrrryrr", "yrryryrrrrrrryrr", "yrryryrryryrryrr", "yrrryyrryyyrryrr",
    "yrryryrry.yrryrr", "yrryryrry.yrryrr", "yrryryrry.yrryrr", "yrryryrry.yrryrr",
    "yrrryyrry.yrryrr", "yyyyyyyyy.yyyyyy", "................", "................",
};

} // namespace

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
        const qreal cell = 32.0 / int(SmallIcon.size());
        for (int y = 0; y < int(SmallIcon.size()); ++y)
            for (int x = 0; SmallIcon[y][x]; ++x)
                if (const char c = SmallIcon[y][x]; c != '.')
                    p.fillRect(QRectF(x * cell, y * cell, cell, cell), c == 'r' ? red : yellow);
        return;
    }

    // Between that and the natural size the letters fill the square and keep an outline one
    // screen pixel wide, instead of shrinking to a thin band.
    const bool small = pixel > 1;
    const qreal width = small ? 32 - 2 * pixel : 27;
    const qreal height = small ? width / 1.3 : 18;
    const QRectF target((32 - width) / 2, (32 - height) / 2, width, height);

    // The window icon is painted at four sizes in a row: the letters are cut once.
    static const QPainterPath cut = outline(QStringLiteral("BMI"), 20);
    const QRectF bounds = cut.boundingRect();
    QTransform fit;
    fit.translate(target.left(), target.top());
    fit.scale(target.width() / bounds.width(), target.height() / bounds.height());
    fit.translate(-bounds.left(), -bounds.top());
    const QPainterPath letters = fit.map(cut);

    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(yellow, small ? 2 * pixel : 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(letters);
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawPath(letters);
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

} // namespace pictures
