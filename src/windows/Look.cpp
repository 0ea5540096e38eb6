#include "windows/Look.h"

#include "resources/Pictures.h"
#include "windows/Labels.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QRadioButton>
#include <QStyle>
#include <qdrawutil.h>

namespace windows {
namespace {

// The caption starts a little in from the frame's left edge, with a blank on either side.
constexpr int CaptionIndent = 8;
constexpr int CaptionPadding = 2;

} // namespace

QPalette lightPalette()
{
    struct Role {
        QPalette::ColorRole role;
        QColor colour;
    };
    // The colours of a current light Windows desktop, whose button face the pictures expect.
    const QColor face = pictures::ButtonFace;
    const Role roles[] = {
        {QPalette::Window, face},
        {QPalette::WindowText, Qt::black},
        {QPalette::Base, Qt::white},
        {QPalette::AlternateBase, QColor(245, 245, 245)},
        {QPalette::ToolTipBase, QColor(255, 255, 225)},
        {QPalette::ToolTipText, Qt::black},
        {QPalette::PlaceholderText, GreyText},
        {QPalette::Text, Qt::black},
        {QPalette::Button, face},
        {QPalette::ButtonText, Qt::black},
        {QPalette::BrightText, Qt::white},
        {QPalette::Light, Qt::white},
        {QPalette::Midlight, QColor(227, 227, 227)},
        {QPalette::Mid, QColor(200, 200, 200)},
        {QPalette::Dark, QColor(160, 160, 160)},
        {QPalette::Shadow, QColor(105, 105, 105)},
        {QPalette::Highlight, QColor(0, 120, 215)},
        {QPalette::HighlightedText, Qt::white},
        {QPalette::Link, QColor(0, 0, 255)},
        {QPalette::LinkVisited, QColor(128, 0, 128)},
    };
    QPalette palette;
    // Setting every role in every group marks it as the program's own, so a theme's palette
    // cannot fill any of them in.
    for (const Role& r : roles)
        palette.setColor(QPalette::All, r.role, r.colour);
    for (const QPalette::ColorRole greyed : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, greyed, GreyText);
    palette.setColor(QPalette::Disabled, QPalette::Base, face);
    return palette;
}

void useLightLook()
{
    QApplication::setPalette(lightPalette());
}

void keepOptionCirclesWhole(QWidget& window)
{
    for (QRadioButton* option : window.findChildren<QRadioButton*>()) {
        const int circle = option->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, option);
        const int missing = circle - option->height();
        if (missing > 0)
            option->setGeometry(option->geometry().adjusted(0, -missing / 2, 0, missing - missing / 2));
    }
}

// ---- Frame --------------------------------------------------------------------------------

const Frame::Caption& Frame::caption() const
{
    if (!laidOut || laidOut->title != title()) {
        QStaticText text(visibleCaption(title()));
        text.setTextFormat(Qt::PlainText);
        const QFontMetrics metrics = fontMetrics();
        const int width = metrics.horizontalAdvance(text.text());
        laidOut = Caption{title(), text, QRect(CaptionIndent + CaptionPadding, 0, width, metrics.height())};
    }
    return *laidOut;
}

QRect Frame::captionRect() const
{
    return caption().rect;
}

int Frame::borderTop() const
{
    return captionRect().center().y();
}

void Frame::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        laidOut.reset();
    QGroupBox::changeEvent(event);
}

void Frame::paintEvent(QPaintEvent* event)
{
    const Caption& shown = caption();
    const int top = shown.rect.center().y();
    const QRect border(0, top, width(), height() - top);
    // Most repaints are of a box inside, and touch neither the border nor the caption.
    constexpr int BorderWidth = 2;
    const QRect damaged = event->rect();
    const bool onBorder = !border.adjusted(BorderWidth, BorderWidth, -BorderWidth, -BorderWidth).contains(damaged);
    const bool onCaption = !shown.text.text().isEmpty() && damaged.intersects(shown.rect);
    if (!onBorder && !onCaption)
        return;

    QPainter painter(this);
    if (onBorder) {
        // The etched border (a dark line with a light one beside it) leaves a gap for the caption.
        QRegion outside(rect());
        if (!shown.text.text().isEmpty())
            outside -= shown.rect.adjusted(-CaptionPadding, 0, CaptionPadding, 0);
        painter.setClipRegion(outside);
        qDrawShadeRect(&painter, border, palette(), true, 1);
        painter.setClipping(false);
    }
    if (onCaption) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawStaticText(shown.rect.topLeft(), shown.text);
    }
}

} // namespace windows
