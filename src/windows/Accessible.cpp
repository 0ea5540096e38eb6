#include "windows/Accessible.h"

#include "windows/Controls.h"
#include "windows/Labels.h"

#include <QAccessibleWidget>

namespace windows {
namespace {

// The role each of the program's own controls plays, or NoRole for a class Qt describes itself.
QAccessible::Role roleOf(QObject* control)
{
    if (const auto* picture = qobject_cast<Picture*>(control))
        return picture->isButton() ? QAccessible::PushButton : QAccessible::Graphic;
    if (qobject_cast<Link*>(control))
        return QAccessible::Link;
    if (qobject_cast<StatusLine*>(control))
        return QAccessible::StatusBar;
    if (qobject_cast<Notice*>(control))
        return QAccessible::Notification;
    return QAccessible::NoRole;
}

// A label without an accessible name of its own is named by its text, as Qt names its labels.
class ControlAccessible : public QAccessibleWidget {
public:
    explicit ControlAccessible(QWidget* control) : QAccessibleWidget(control) { }

    // Asked afresh: a picture becomes a button after it was made.
    QAccessible::Role role() const override { return roleOf(object()); }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            if (const auto* label = qobject_cast<const QLabel*>(widget()))
                return label->text();
        }
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (pressable())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& action) override
    {
        // Queued: a click may open a modal window, and the screen reader that asked must not
        // wait for its answer until that window closes.
        if (action == pressAction() && pressable())
            QMetaObject::invokeMethod(widget(), "clicked", Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(action);
    }

private:
    bool pressable() const { return role() == QAccessible::PushButton || role() == QAccessible::Link; }
};

QAccessibleInterface* describe(const QString&, QObject* object)
{
    // Qt asks once per class of the object's ancestry; the most derived class answers first.
    auto* control = qobject_cast<QWidget*>(object);
    if (!control || roleOf(object) == QAccessible::NoRole)
        return nullptr;
    return new ControlAccessible(control);
}

} // namespace

void installAccessibleRoles()
{
    static const bool installed = [] {
        QAccessible::installFactory(describe);
        return true;
    }();
    (void)installed;
}

} // namespace windows
