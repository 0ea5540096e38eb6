#pragma once

#include "windows/Accessible.h"
#include "windows/Application.h"

#include <QCloseEvent>
#include <QWidget>

// Every window of the program exists at most once. Its first use (showing it, calling one of
// its methods, touching one of its controls) creates it hidden and runs its Form_Load; closing
// it with its close box runs its Form_Unload, if it has one, and destroys it, so that the next
// use starts afresh from its design state.
namespace windows {

template <class Form, class Base = QWidget>
class SingleWindow : public Base {
public:
    static Form& instance()
    {
        if (!current) {
            current = new Form();
            current->Form_Load();
        }
        return *current;
    }

    // The instance if one exists; never creates it.
    static Form* existing() { return current; }

    SingleWindow(const SingleWindow&) = delete;
    SingleWindow& operator=(const SingleWindow&) = delete;

protected:
    SingleWindow()
    {
        // Before the window's controls exist, so that each is described by its role at once.
        installAccessibleRoles();
        this->setAttribute(Qt::WA_DeleteOnClose);
        this->setFont(programFont());
    }

    ~SingleWindow() override
    {
        if (current == static_cast<Base*>(this))
            current = nullptr;
    }

    void closeEvent(QCloseEvent* event) override
    {
        Base::closeEvent(event);
        if (!event->isAccepted())
            return;
        // Forgotten at once: Qt deletes the window only on the next turn of the event loop,
        // and a use before then must already get a fresh one.
        if (current == static_cast<Base*>(this))
            current = nullptr;
        if constexpr (requires(Form & form) { form.Form_Unload(); })
            static_cast<Form*>(this)->Form_Unload();
    }

private:
    static inline Form* current = nullptr;
};

} // namespace windows
