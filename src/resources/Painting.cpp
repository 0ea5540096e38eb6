#include "resources/Painting.h"

#include "resources/Fonts.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace pictures {

QFont sansFont(int pixelSize, bool bold)
{
    return fonts::font(fonts::Face::Sans, pixelSize, bold);
}

QFont monoFont(int pixelSize, bool bold)
{
    return fonts::font(fonts::Face::Mono, pixelSize, bold);
}

namespace {

// The program's faces in proportion to their size: the advance of an average letter (every
// letter of the mono face), the height of a capital or digit, the distance of two lines.
constexpr qreal MonoAdvance = 0.6;
constexpr qreal SansAdvance = 0.55;
constexpr qreal InkHeight = 0.7;
constexpr qreal LineDistance = 1.15;
// How much of a line's box the letters' ink covers, measured on the weights table's cells.
constexpr qreal RegularInk = 0.27;
constexpr qreal BoldInk = 0.38;

// Hinted letters stand on whole rows of device pixels: so does their ink, unless the painter
// turns the text.
QRectF onWholeRows(const QPainter& p, const QRectF& r)
{
    const QTransform& device = p.deviceTransform();
    if (device.type() > QTransform::TxScale || device.m22() <= 0)
        return r;
    const auto row = [&](qreal y) { return device.m22() * y + device.dy(); };
    const qreal top = std::round(row(r.top()));
    const qreal rows = std::max(qreal(1), std::round(device.m22() * r.height()));
    return QRectF(r.left(), (top - device.dy()) / device.m22(), r.width(), rows / device.m22());
}

// Where the letters of each line would stand, without asking the font: a reduced copy must not
// load one just to smear its letters.
void drawInk(QPainter& p, const QRectF& box, int flags, const QString& text)
{
    const QFont& font = p.font();
    const qreal em = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96 / 72;
    const qreal advance = em * (font.styleHint() == QFont::TypeWriter ? MonoAdvance : SansAdvance);
    const QStringList lines = text.split(u'\n');
    const qreal blockHeight = (lines.size() - 1) * em * LineDistance + em * InkHeight;
    qreal top = box.top();
    if (flags & Qt::AlignVCenter)
        top = box.center().y() - blockHeight / 2;
    else if (flags & Qt::AlignBottom)
        top = box.bottom() - blockHeight;
    QColor ink = p.pen().color();
    ink.setAlphaF(ink.alphaF() * (font.bold() ? BoldInk : RegularInk));
    for (const QString& line : lines) {
        const qreal width = line.size() * advance;
        qreal left = box.center().x() - width / 2;
        if (flags & Qt::AlignRight)
            left = box.right() - width;
        else if (!(flags & Qt::AlignHCenter))
            left = box.left();
        // One bar per word or number: blanks, commas and dashes leave their gaps.
        for (qsizetype start = 0; start < line.size();) {
            qsizetype end = start;
            while (end < line.size() && line[end].isLetterOrNumber())
                ++end;
            if (end > start) {
                const QRectF word(left + start * advance, top, (end - start) * advance, em * InkHeight);
                p.fillRect(onWholeRows(p, word), ink);
            }
            start = end + 1;
        }
        top += em * LineDistance;
    }
}

} // namespace

void drawText(QPainter& p, const QRectF& box, int flags, const QString& text, Detail detail)
{
    // The boxes place the text; nothing needs cutting off at their edges. A box that the text
    // outgrows would otherwise clip it, which in a turned painter costs a clip path for each word.
    if (detail == Detail::Full)
        p.drawText(box, flags | Qt::TextDontClip, text);
    else
        drawInk(p, box, flags, text);
}

void drawRotatedText(QPainter& p, QPointF anchor, qreal degrees, const QRectF& box, int flags, const QString& text,
                     Detail detail)
{
    p.save();
    p.translate(anchor);
    p.rotate(degrees);
    drawText(p, box, flags, text, detail);
    p.restore();
}

void fillFrame(QPainter& p, const QRect& rect, int width, const QColor& colour)
{
    p.fillRect(QRect(rect.left(), rect.top(), rect.width(), width), colour);
    p.fillRect(QRect(rect.left(), rect.bottom() - width + 1, rect.width(), width), colour);
    p.fillRect(QRect(rect.left(), rect.top(), width, rect.height()), colour);
    p.fillRect(QRect(rect.right() - width + 1, rect.top(), width, rect.height()), colour);
}

} // namespace pictures
