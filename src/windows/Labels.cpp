#include "windows/Labels.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QtMath>

namespace windows {

// ---- Link ---------------------------------------------------------------------------------

Link::Link()
{
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

void Link::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    paintFocusFrame(*this);
}

void Link::mousePressEvent(QMouseEvent* event)
{
    clicks.press(*event);
    QLabel::mousePressEvent(event);
}

void Link::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = clicks.release(*this, *event);
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

void Link::keyPressEvent(QKeyEvent* event)
{
    if (Clicks::isActivationKey(*event)) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

// ---- Notice and StatusLine ----------------------------------------------------------------

Notice::Notice()
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFixedSize(0, 0);
}

StatusLine::StatusLine()
{
    notice.setParent(this);
    notice.hide();
}

void StatusLine::announce(const QString& text)
{
    if (accessibleName() == text)
        return;
    setAccessibleName(text);
    notice.setAccessibleName(text);
    // Appearing is what a screen reader announces; a hidden window has nobody to tell.
    notice.hide();
    if (window()->isVisible())
        notice.show();
}

// ---- Label rules and plain tooltips -------------------------------------------------------

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

void setupLabel(QLabel& label, const QString& caption, Qt::Alignment horizontal)
{
    label.setText(visibleCaption(caption));
    label.setTextFormat(Qt::PlainText);
    label.setWordWrap(true);
    label.setAlignment(horizontal | Qt::AlignTop);
    label.setContentsMargins(0, 0, 0, 0);
    label.setIndent(0);
}

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
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), plainToolTipMarkup(text), control, QRect(),
                               control->toolTipDuration());
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
        // A line's advance is what the label's size hint would give for its plain text, without
        // the three layouts of the text that the hint makes.
        QString line = label->text();
        while (line.endsWith(u' '))
            line.chop(1);
        const int width = line.contains(u'\n') ? label->sizeHint().width()
                                               : qCeil(QFontMetricsF(label->font()).horizontalAdvance(line));
        const int missing = width - box.width();
        if (missing <= 0)
            continue;
        if (label->alignment() & Qt::AlignHCenter)
            box.adjust(-missing / 2, 0, missing - missing / 2, 0);
        else
            box.setWidth(box.width() + missing);
        label->setGeometry(box.intersected(QRect(QPoint(0, box.top()), label->parentWidget()->size())));
    }
}

} // namespace windows
