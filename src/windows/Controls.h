#pragma once

#include "resources/Fonts.h"
#include "resources/Pictures.h"

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

// The few kinds of control the windows need that Qt lacks, and the rules every control shares.
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
    bool pressed = false;
    bool button = false;
};

// Keys that act as a click on a focused button or link.
bool isActivationKey(const QKeyEvent& event);

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

// How a caption reads on screen: "&&" shows one ampersand, a lone "&" marks nothing here.
QString visibleCaption(const QString& caption);

// Names a control after the label in front of it, without the label's trailing colon, and
// makes the label its buddy, so assistive technology also finds the label by the control.
void nameAfterLabel(QWidget& control, QLabel& label);

// The decimal separator of the user's regional settings, for numbers the program shows.
std::string decimalSeparator();

// Every label wraps at word boundaries within its box and starts at its top, as the layouts expect.
void setupLabel(QLabel& label, const QString& caption, Qt::Alignment horizontal = Qt::AlignLeft);

// Every text shown from outside the program is plain text. Labels are set up that way (see
// setupLabel); a tooltip Qt would take for rich text whenever it looks like markup, where a
// picture or a deep table from the network costs memory and time without end. The control keeps
// the text as its toolTip(), and it is shown literally, wrapped within a readable width.
void setPlainToolTip(QWidget& control, const QString& text);

// The markup that shows a plain text as a tooltip: escaped, its blanks kept, on one line when
// short, else with a place to wrap in every long run without blanks. Zero-width spaces are the
// only characters it adds.
QString plainToolTipMarkup(const QString& text);

// A label too low for two lines keeps its text on one line. Where the stand-in font runs wider
// than the fonts the layouts were made for, it grows into the free space beside it (to the
// right, or to both sides when centred), never past its container. Call once the window's
// labels have their texts and fonts.
void keepSingleLineLabelsWhole(QWidget& window);

// The desktop's colour for greyed text, as current Windows draws it: unlike the classic mid grey
// it stays readable (4.5:1) on the button face.
inline const QColor GreyText{109, 109, 109};

// A font of the program in points as the layouts give them.
using fonts::Face;
QFont controlFont(Face face, double points, bool bold);

// One row of a window's layout table: where a control sits, in twips of its container.
struct Placement {
    QWidget* control;
    QWidget* container;
    double left, top, width, height;
};

// Puts every control in its container at its place. The table lists each container's controls
// from front to back, so the first stays on top.
void applyLayout(std::initializer_list<Placement> table);

} // namespace windows
