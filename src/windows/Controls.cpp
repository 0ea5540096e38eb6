#include "windows/Controls.h"

#include "windows/Accessible.h"
#include "windows/Twips.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace windows {

bool isShown(const QWidget& control)
{
    return control.isWindow() ? control.isVisible() : control.isVisibleTo(control.window());
}

void toggleShown(QWidget& control) { control.setVisible(!isShown(control)); }

// ---- Line ---------------------------------------------------------------------------------

Line::Line(QColor lineColour, int widthPixels) : colour(lineColour), penWidth(widthPixels)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    place();
}

void Line::setX1(float value) { setEnds(value, y1, x2, y2); }
void Line::setY1(float value) { setEnds(x1, value, x2, y2); }
void Line::setX2(float value) { setEnds(x1, y1, value, y2); }
void Line::setY2(float value) { setEnds(x1, y1, x2, value); }

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

Shape::Shape(QColor borderColour, int borderWidthPixels)
    : colour(borderColour), borderWidth(borderWidthPixels)
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

void Shape::place() { setGeometry(twips::toPixels(left, top, width, height)); }

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

bool isActivationKey(const QKeyEvent& event)
{
    const int key = event.key();
    const bool activating = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    return activating && !event.isAutoRepeat()
        && (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// A frame in the selection colour just inside the control's edge. The style's own focus frame
// is a faint line that vanishes against the miniatures' grey border. As on the desktops, only
// for keyboard users: Qt marks a window once focus has moved in it by Tab, Backtab or a shortcut.
void paintFocusFrame(QWidget& control)
{
    if (!control.hasFocus() || !control.window()->testAttribute(Qt::WA_KeyboardFocusChange))
        return;
    QPainter painter(&control);
    constexpr int width = 2;
    painter.setPen(QPen(control.palette().color(QPalette::Highlight), width));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(control.rect()).adjusted(width / 2.0, width / 2.0, -width / 2.0, -width / 2.0));
}

// ---- Picture ------------------------------------------------------------------------------

Picture::Picture(const pictures::Picture& picture) : source(&picture)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_NoSystemBackground);
    installAccessibleRoles();
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

void Picture::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setClipRegion(event->region());
    // Painting the light ground itself keeps the picture readable whatever the window's colour.
    if (source->onButtonFace)
        painter.fillRect(rect(), pictures::ButtonFace);
    if (!loaded.isNull()) {
        painter.drawPixmap(0, 0, loaded);
    } else {
        const qreal ratio = devicePixelRatioF();
        if (cache.isNull() || cache.devicePixelRatio() != ratio)
            cache = QPixmap::fromImage(pictures::render(*source, ratio));
        painter.drawPixmap(0, 0, cache);
    }
    painter.end();
    if (button)
        paintFocusFrame(*this);
}

void Picture::mousePressEvent(QMouseEvent* event)
{
    pressed = event->button() == Qt::LeftButton;
}

void Picture::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed = false;
    if (click)
        emit clicked();
}

void Picture::mouseMoveEvent(QMouseEvent*) { emit mouseMoved(); }

void Picture::keyPressEvent(QKeyEvent* event)
{
    if (button && isActivationKey(*event)) {
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

// ---- Labels, fonts, layout ----------------------------------------------------------------

QString visibleCaption(const QString& caption)
{
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&')
                shown += u'&';
            ++i;
            if (i < caption.size() && caption[i] != u'&')
                shown += caption[i];
            continue;
        }
        shown += caption[i];
    }
    return shown;
}

void nameAfterLabel(QWidget& control, QLabel& label)
{
    QString name = label.text().trimmed();
    if (name.endsWith(u':'))
        name.chop(1);
    control.setAccessibleName(name.trimmed());
    label.setBuddy(&control);
}

std::string decimalSeparator() { return QLocale::system().decimalPoint().toStdString(); }

void setupLabel(QLabel& label, const QString& caption, Qt::Alignment horizontal)
{
    label.setText(visibleCaption(caption));
    label.setTextFormat(Qt::PlainText);
    label.setWordWrap(true);
    label.setAlignment(horizontal | Qt::AlignTop);
    label.setContentsMargins(0, 0, 0, 0);
    label.setIndent(0);
}

// ---- Plain tooltips -------------------------------------------------------------------------

namespace {

// Shows its control's tooltip as plain text in place of Qt's own showing.
class PlainToolTip : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip)
            return false;
        auto* control = static_cast<QWidget*>(watched);
        const QString text = control->toolTip();
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), plainToolTipMarkup(text), control,
                               QRect(), control->toolTipDuration());
        }
        return true;
    }
};

// A run of this many characters without a blank gets a place to wrap, so that a long address
// wraps within the tooltip's width instead of stretching it past the screen.
constexpr int LongestUnbrokenRun = 40;
// A text up to this long stays on one line, as a plain tooltip would show it; Qt would
// otherwise narrow a short wrapped tooltip to a quarter of its width.
constexpr int LongestSingleLine = 80;

} // namespace

QString plainToolTipMarkup(const QString& text)
{
    QString breakable;
    breakable.reserve(text.size() + text.size() / LongestUnbrokenRun);
    int run = 0;
    for (const QChar c : text) {
        breakable += c;
        run = c.isSpace() ? 0 : run + 1;
        if (run == LongestUnbrokenRun) {
            breakable += QChar(0x200b);
            run = 0;
        }
    }
    const QString blanks = text.size() <= LongestSingleLine ? QStringLiteral("pre") : QStringLiteral("pre-wrap");
    return QStringLiteral("<p style=\"white-space:%1\">%2</p>").arg(blanks, breakable.toHtmlEscaped());
}

void setPlainToolTip(QWidget& control, const QString& text)
{
    if (!control.findChild<PlainToolTip*>(QString(), Qt::FindDirectChildrenOnly))
        control.installEventFilter(new PlainToolTip(&control));
    control.setToolTip(text);
}

void keepSingleLineLabelsWhole(QWidget& window)
{
    for (QLabel* label : window.findChildren<QLabel*>()) {
        const QFontMetrics metrics(label->font());
        if (label->height() >= 2 * metrics.lineSpacing())
            continue;
        label->setWordWrap(false);
        QRect box = label->geometry();
        const int missing = label->sizeHint().width() - box.width();
        if (missing <= 0)
            continue;
        if (label->alignment() & Qt::AlignHCenter)
            box.adjust(-missing / 2, 0, missing - missing / 2, 0);
        else
            box.setWidth(box.width() + missing);
        label->setGeometry(box.intersected(QRect(QPoint(0, box.top()), label->parentWidget()->size())));
    }
}

QFont controlFont(Face face, double points, bool bold)
{
    return fonts::font(face, twips::pointsToPixels(points), bold);
}

void applyLayout(std::initializer_list<Placement> table)
{
    for (const Placement& p : table) {
        p.control->setParent(p.container);
        p.control->setGeometry(twips::toPixels(p.left, p.top, p.width, p.height));
    }
    // Raising from the back of the list to its front leaves the first control on top.
    for (auto it = std::rbegin(table); it != std::rend(table); ++it)
        it->control->raise();
}

} // namespace windows
