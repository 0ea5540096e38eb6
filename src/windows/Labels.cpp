#include "windows/Labels.h"

#include "windows/Accessible.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace windows {

// ---- Link ---------------------------------------------------------------------------------

Link::Link()
{
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    installAccessibleRoles();
}

void Link::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    paintFocusFrame(*this);
}

void Link::mousePressEvent(QMouseEvent* event)
{
    pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

// A click is a press and a release of the left button both on the link.
void Link::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

void Link::keyPressEvent(QKeyEvent* event)
{
    if (isActivationKey(*event)) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

// ---- StatusLine ---------------------------------------------------------------------------

Notice::Notice()
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFixedSize(0, 0);
    installAccessibleRoles();
}

StatusLine::StatusLine()
{
    notice.setParent(this);
    notice.hide();
    installAccessibleRoles();
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

} // namespace windows
