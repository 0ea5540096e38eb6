#include "windows/Controls.h"

#include "windows/Twips.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace windows {

bool isShown(const QWidget& control)
{
    return control.isWindow() ? control.isVisible() : control.isVisibleTo(control.window());
}

void toggleShown(QWidget& control)
{
    control.setVisible(!isShown(control));
}

// ---- Line ---------------------------------------------------------------------------------

Line::Line(QColor lineColour, int widthPixels) : colour(lineColour), penWidth(widthPixels)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    place();
}

void Line::setX1(float value)
{
    setEnds(value, y1, x2, y2);
}
void Line::setY1(float value)
{
    setEnds(x1, value, x2, y2);
}
void Line::setX2(float value)
{
    setEnds(x1, y1, value, y2);
}
void Line::setY2(float value)
{
    setEnds(x1, y1, x2, value);
}

void Line::setEnds(float newX1, float newY1, float newX2, float newY2)
{
    x1 = newX1;
    y1 = newY1;
    x2 = newX2;
    y2 = newY2;
    place();
}

// The widget covers just the line and its pen, so hiding or moving it repaints only that much.
void Line::place()
{
    const int px1 = twips::toPixels(x1), py1 = twips::toPixels(y1);
    const int px2 = twips::toPixels(x2), py2 = twips::toPixels(y2);
    const int margin = penWidth;
    setGeometry(QRect(QPoint(std::min(px1, px2) - margin, std::min(py1, py2) - margin),
                      QPoint(std::max(px1, px2) + margin, std::max(py1, py2) + margin)));
    update();
}

void Line::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(colour, penWidth, Qt::SolidLine, Qt::SquareCap));
    const QPoint origin = pos();
    // A pen of even width straddles the pixel edge: shift by half a pixel so it covers whole pixels.
    const QPointF shift(penWidth % 2 == 0 ? 0.0 : 0.5, penWidth % 2 == 0 ? 0.0 : 0.5);
    painter.drawLine(QPointF(twips::toPixels(x1), twips::toPixels(y1)) - origin + shift,
                     QPointF(twips::toPixels(x2), twips::toPixels(y2)) - origin + shift);
}

// ---- Shape --------------------------------------------------------------------------------

Shape::Shape(QColor borderColour, int borderWidthPixels) : colour(borderColour), borderWidth(borderWidthPixels)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void Shape::setTop(float value)
{
    top = value;
    place();
}

void Shape::setTwipsGeometry(float newLeft, float newTop, float newWidth, float newHeight)
{
    left = newLeft;
    top = newTop;
    width = newWidth;
    height = newHeight;
    place();
}

void Shape::place()
{
    setGeometry(twips::toPixels(left, top, width, height));
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const QRect r = rect();
    const int b = borderWidth;
    painter.drawRect(0, 0, r.width(), b);
    painter.drawRect(0, r.height() - b, r.width(), b);
    painter.drawRect(0, b, b, r.height() - 2 * b);
    painter.drawRect(r.width() - b, b, b, r.height() - 2 * b);
}

// ---- Buttons and links made of other controls ---------------------------------------------

void Clicks::press(const QMouseEvent& event)
{
    pressed = event.button() == Qt::LeftButton;
}

bool Clicks::release(const QWidget& control, const QMouseEvent& event)
{
    const bool click
        = pressed && event.button() == Qt::LeftButton && control.rect().contains(event.position().toPoint());
    pressed = false;
    return click;
}

bool Clicks::isActivationKey(const QKeyEvent& event)
{
    const int key = event.key();
    const bool activating = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    return activating && !event.isAutoRepeat() && (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// A frame in the selection colour just inside the control's edge. The style's own focus frame
// is a faint line that vanishes against the miniatures' grey border. As on the desktops, only
// for keyboard users: Qt marks a window once focus has moved in it by Tab, Backtab or a shortcut.
void paintFocusFrame(QWidget& control)
{
    if (!control.hasFocus() || !control.window()->testAttribute(Qt::WA_KeyboardFocusChange))
        return;
    QPainter painter(&control);
    constexpr int FrameWidth = 2;
    painter.setPen(QPen(control.palette().color(QPalette::Highlight), FrameWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(
        QRectF(control.rect()).adjusted(FrameWidth / 2.0, FrameWidth / 2.0, -FrameWidth / 2.0, -FrameWidth / 2.0));
}

// ---- Picture ------------------------------------------------------------------------------

Picture::Picture(const pictures::Picture& picture) : source(&picture)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_NoSystemBackground);
    // Such a picture paints its own ground: nothing beneath it needs painting first, which
    // spares the window's background at every blink of a marker lying over it.
    setAttribute(Qt::WA_OpaquePaintEvent, picture.onButtonFace);
}

void Picture::actAsButton()
{
    button = true;
    setFocusPolicy(Qt::TabFocus);
}

void Picture::setPixmap(const QPixmap& pixmap)
{
    loaded = pixmap;
    update();
}

void Picture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Painting the light ground itself keeps the picture readable whatever the window's colour.
    if (!loaded.isNull()) {
        if (source->onButtonFace)
            painter.fillRect(rect(), pictures::ButtonFace);
        painter.drawPixmap(0, 0, loaded);
    } else {
        // A rendered picture holds its ground; only a control larger than it needs more.
        const qreal ratio = devicePixelRatioF();
        const QColor ground = source->onButtonFace ? pictures::ButtonFace : QColor(Qt::transparent);
        if (cache.isNull() || cache.devicePixelRatio() != ratio)
            cache = QPixmap::fromImage(pictures::render(*source, ratio, ground));
        painter.drawPixmap(0, 0, cache);
        const QRect drawn(0, 0, source->width, source->height);
        if (source->onButtonFace && !drawn.contains(rect())) {
            for (const QRect& beyond : QRegion(rect()) - drawn)
                painter.fillRect(beyond, ground);
        }
    }
    painter.end();
    if (button)
        paintFocusFrame(*this);
}

void Picture::mousePressEvent(QMouseEvent* event)
{
    clicks.press(*event);
}

void Picture::mouseReleaseEvent(QMouseEvent* event)
{
    if (clicks.release(*this, *event))
        emit clicked();
}

void Picture::mouseMoveEvent(QMouseEvent*)
{
    emit mouseMoved();
}

void Picture::keyPressEvent(QKeyEvent* event)
{
    if (button && Clicks::isActivationKey(*event)) {
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

// ---- TextBox ------------------------------------------------------------------------------

TextBox::TextBox(KeyFilter keyFilter) : filter(std::move(keyFilter))
{
    // As long as the platform's edit control takes by default: the whole line is laid out again
    // at every blink of the cursor, so a box holding a huge paste would keep a core busy.
    setMaxLength(MaxLength);
}

std::optional<short> TextBox::characterCode(const QKeyEvent& event)
{
    // X delivers Ctrl+V as "\x16" while other paths give "v" with Control held: both are code 22.
    const int key = event.key();
    if ((event.modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<short>(key - Qt::Key_A + 1);
    const QString text = event.text();
    if (text.isEmpty())
        return std::nullopt;
    const char16_t c = text.front().unicode();
    if (c == 0x7f || key == Qt::Key_Delete) // Delete is an editing key, not a character
        return std::nullopt;
    return static_cast<short>(c);
}

bool TextBox::accepts(short code) const
{
    short filtered = code;
    if (filter)
        filter(filtered);
    return filtered != 0;
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    const auto code = characterCode(*event);
    if (code && !accepts(*code)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TextBox::inputMethodEvent(QInputMethodEvent* event)
{
    // Composed text is judged character by character, like typed keys.
    const QString commit = event->commitString();
    QString kept;
    for (const QChar c : commit) {
        if (accepts(static_cast<short>(c.unicode())))
            kept += c;
    }
    if (kept == commit) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
}

} // namespace windows
