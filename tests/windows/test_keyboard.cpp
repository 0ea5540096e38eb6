#include "ProgramState.h"
#include "windows/Showing.h"

#include <QAccessible>
#include <QTest>

#include <functional>
#include <map>
#include <string>
#include <vector>

// The main window and the windows it opens, driven by real key events.
namespace {

class Keyboard : public ProgramTest {
protected:
    Form1& activeMain()
    {
        Form1& f = Form1::instance();
        f.show();
        activate(f);
        return f;
    }
    static void activate(QWidget& window)
    {
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    static QWidget* focused() { return QApplication::focusWidget(); }
};

TEST_F(Keyboard, TabKeepsTheBoxesOrderThenReachesThePictureButtons)
{
    Form1& f = activeMain();
    f.Text3.setFocus();
    const std::vector<QWidget*> expected = {&f.Text3,  &f.Option1, &f.Text1,  &f.Text2,  &f.Combo1, &f.Image3,
                                            &f.Image7, &f.Image4,  &f.Image5, &f.Image6, &f.Text3};
    std::vector<QWidget*> visited = {focused()};
    for (std::size_t i = 1; i < expected.size(); ++i) {
        QTest::keyClick(focused(), Qt::Key_Tab);
        visited.push_back(focused());
    }
    EXPECT_EQ(visited, expected);
    // The pictures that are no buttons stay out of the way.
    EXPECT_EQ(f.Image1.focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(f.Image2.focusPolicy(), Qt::NoFocus);
}

TEST_F(Keyboard, PictureButtonsShowAFocusFrameToKeyboardUsers)
{
    Form1& f = activeMain();
    f.Combo1.setFocus();
    for (windows::Picture* button : {&f.Image3, &f.Image7, &f.Image4, &f.Image5, &f.Image6}) {
        const QImage plain = button->grab().toImage();
        QTest::keyClick(focused(), Qt::Key_Tab);
        ASSERT_TRUE(button->hasFocus());
        EXPECT_NE(button->grab().toImage(), plain) << button->accessibleName().toStdString();
    }
}

// Enter, the keypad's Enter and Space each act as a click on a focused picture button.
struct KeyCase {
    const char* button;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    std::function<QWidget*()> opened;
};

TEST_F(Keyboard, PictureButtonsActOnEnterAndSpace)
{
    const KeyCase cases[] = {
        {"Image3", Qt::Key_Return, Qt::NoModifier, [] { return static_cast<QWidget*>(Form2::existing()); }},
        {"Image7", Qt::Key_Space, Qt::NoModifier, [] { return static_cast<QWidget*>(Form5::existing()); }},
        {"Image4", Qt::Key_Enter, Qt::KeypadModifier, [] { return static_cast<QWidget*>(Form4::existing()); }},
    };
    for (const KeyCase& c : cases) {
        reset();
        Form1& f = activeMain();
        const std::map<std::string, windows::Picture*> byName
            = {{"Image3", &f.Image3}, {"Image7", &f.Image7}, {"Image4", &f.Image4}};
        windows::Picture* button = byName.at(c.button);
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, c.key, c.modifiers);
        QWidget* window = c.opened();
        ASSERT_NE(window, nullptr) << c.button;
        EXPECT_TRUE(window->isVisible()) << c.button;
    }
    // Space on the quit button ends the program as its click does.
    Form1& f = activeMain();
    f.Image6.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&f.Image6, Qt::Key_Space);
    EXPECT_FALSE(f.isVisible());
}

TEST_F(Keyboard, F1OpensHelpFromTheMainWindow)
{
    Form1& f = activeMain();
    f.Text1.setFocus();
    QTest::keyClick(&f.Text1, Qt::Key_F1);
    ASSERT_NE(Form4::existing(), nullptr);
    EXPECT_TRUE(Form4::existing()->isVisible());
}

TEST_F(Keyboard, EscapeClosesHelpAndReferenceWindowsButNotTheMainWindow)
{
    Form1& f = activeMain();
    const std::vector<std::pair<QWidget*, std::function<bool()>>> windows = {
        {&Form2::instance(), [] { return Form2::existing() == nullptr; }},
        {&Form5::instance(), [] { return Form5::existing() == nullptr; }},
        {&Form4::instance(), [] { return Form4::existing() == nullptr; }},
    };
    for (const auto& [window, closed] : windows) {
        windows::showInFront(*window);
        activate(*window);
        QWidget* target = window->focusWidget() ? window->focusWidget() : window;
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_TRUE(closed()) << window->windowTitle().toStdString();
    }
    activate(f);
    QTest::keyClick(&f.Text3, Qt::Key_Escape);
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(Form1::existing(), &f);
}

TEST_F(Keyboard, RefilledOneIsReplacedByTheNextDigits)
{
    // Emptying a box or typing a lone 0 leaves a selected "1", so what is typed next replaces it.
    struct Case {
        windows::TextBox* box;
        Qt::Key emptyingKey;
        const char* typed;
    };
    Form1& f = activeMain();
    const Case cases[] = {
        {&f.Text1, Qt::Key_Backspace, "70"},
        {&f.Text2, Qt::Key_Delete, "180"},
        {&f.Text3, Qt::Key_0, "35"},
    };
    for (const Case& c : cases) {
        c.box->setFocus();
        c.box->selectAll();
        QTest::keyClick(c.box, c.emptyingKey);
        EXPECT_EQ(c.box->text(), "1");
        EXPECT_EQ(c.box->selectedText(), "1");
        QTest::keyClicks(c.box, c.typed);
        EXPECT_EQ(c.box->text(), c.typed);
    }
    EXPECT_EQ(Module1::Hmotnost, 70.0f);
    EXPECT_EQ(Module1::Vyska, 180.0f);
    EXPECT_EQ(f.Vek, 35.0f);
}

TEST_F(Keyboard, TypingInsideABoxKeepsTheCursorWhereItIs)
{
    Form1& f = activeMain();
    f.Text2.setFocus();
    f.Text2.setCursorPosition(1);
    QTest::keyClick(&f.Text2, Qt::Key_8);
    EXPECT_EQ(f.Text2.text(), "1876");
    EXPECT_EQ(f.Text2.cursorPosition(), 2);
}

TEST_F(Keyboard, AlreadyOpenWindowComesToTheFrontAndIsActivated)
{
    Form1& f = activeMain();
    const std::vector<std::pair<windows::Picture*, std::function<QWidget*()>>> buttons = {
        {&f.Image3, [] { return static_cast<QWidget*>(Form2::existing()); }},
        {&f.Image7, [] { return static_cast<QWidget*>(Form5::existing()); }},
        {&f.Image4, [] { return static_cast<QWidget*>(Form4::existing()); }},
    };
    for (const auto& [button, window] : buttons) {
        emit button->clicked();
        ASSERT_NE(window(), nullptr);
        activate(f); // the main window comes over it again
        emit button->clicked();
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == window(); }, 2000))
            << window()->windowTitle().toStdString();
    }
}

TEST_F(Keyboard, PictureButtonsAreButtonsToAssistiveTechnology)
{
    Form1& f = activeMain();
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(&f.Image3);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->role(), QAccessible::PushButton);
    EXPECT_EQ(button->text(QAccessible::Name), "Hmotnost u mužů a žen");
    ASSERT_NE(button->actionInterface(), nullptr);
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_FALSE(Form2::instance().isVisible()); // queued: the caller never waits for the click
    EXPECT_TRUE(QTest::qWaitFor([] { return Form2::existing() && Form2::existing()->isVisible(); }, 2000));

    QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(&f.Image1);
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->role(), QAccessible::Graphic);
    QAccessibleInterface* result = QAccessible::queryAccessibleInterface(&f.Label3);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->role(), QAccessible::StatusBar);
}

} // namespace
