#pragma once

#include "resources/Pictures.h"

#include <QColor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QWidget>

#include <functional>
#include <optional>

// The few kinds of control the windows need that Qt lacks.
namespace windows {

// A control's own visibility flag, as the windows' logic sees it: whether it would be on
// screen when its window is. QWidget::isVisible() would also say false for every control of
// a window that is merely hidden.
bool isShown(const QWidget& control);
void toggleShown(QWidget& control);

// A straight line between two end points given in twips of its container. The end points keep
// the single-precision values they were given; only drawing rounds them to pixels.
class Line : public QWidget {
public:
    explicit Line(QColor colour, int widthPixels = 2);

    float X1() const { return x1; }
    float Y1() const { return y1; }
    float X2() const { return x2; }
    float Y2() const { return y2; }
    void setX1(float value);
    void setY1(float value);
    void setX2(float value);
    void setY2(float value);
    void setEnds(float newX1, float newY1, float newX2, float newY2);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void place();

    QColor colour;
    int penWidth = 2;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// A rectangle outline with a transparent interior; its position and size are in twips.
class Shape : public QWidget {
public:
    Shape(QColor borderColour, int borderWidthPixels);

    float Top() const { return top; }
    void setTop(float value);
    void setTwipsGeometry(float newLeft, float newTop, float newWidth, float newHeight);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void place();

    QColor colour;
    int borderWidth = 1;
    float left = 0, top = 0, width = 0, height = 0;
};

// How a control made of another takes clicks as a button does: a press and a release of the
// left button both on the control, or Enter or Space while it has the focus.
class Clicks {
public:
    void press(const QMouseEvent& event);
    // Whether this release completes a click on `control`.
    bool release(const QWidget& control, const QMouseEvent& event);
    static bool isActivationKey(const QKeyEvent& event);

private:
    bool pressed = false;
};

// A picture drawn at its natural size from its top-left corner, which reports clicks and
// mouse movements over it.
class Picture : public QWidget {
    Q_OBJECT
public:
    explicit Picture(const pictures::Picture& picture);
    void setPixmap(const QPixmap& pixmap);

    // From now on the picture is a button for the keyboard and for assistive technology too:
    // it takes focus with Tab (never from a click, which acts at once), shows a focus frame to
    // keyboard users, and Enter or Space act as a click.
    void actAsButton();
    bool isButton() const { return button; }

signals:
    void clicked();
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const pictures::Picture* source = nullptr;
    QPixmap loaded;
    QPixmap cache;
    Clicks clicks;
    bool button = false;
};

// Draws the focus frame of a focused button or link over what it has painted, once the
// keyboard has moved the focus in its window.
void paintFocusFrame(QWidget& control);

// A single-line text box whose typed characters pass a key filter first. The filter gets the
// character's code and may set it to 0 to swallow the key; editing keys that insert nothing
// (arrows, Delete, Home, End) never reach it.
class TextBox : public QLineEdit {
public:
    using KeyFilter = std::function<void(short& keyAscii)>;
    explicit TextBox(KeyFilter filter);

    // Characters a box holds at most; a longer paste is cut there.
    static constexpr int MaxLength = 32767;

    // The code the filter sees for a key event, or nothing for a key that inserts no character.
    static std::optional<short> characterCode(const QKeyEvent& event);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    bool accepts(short code) const;

    KeyFilter filter;
};

} // namespace windows
