#include "resources/Painting.h"

#include "resources/Fonts.h"

namespace pictures {

QFont sansFont(int pixelSize, bool bold)
{
    return fonts::font(fonts::Face::Sans, pixelSize, bold);
}

QFont monoFont(int pixelSize, bool bold)
{
    return fonts::font(fonts::Face::Mono, pixelSize, bold);
}

void drawRotatedText(QPainter& p, QPointF anchor, qreal degrees, const QRectF& box, int flags,
                     const QString& text)
{
    p.save();
    p.translate(anchor);
    p.rotate(degrees);
    p.drawText(box, flags, text);
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
