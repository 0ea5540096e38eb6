#pragma once

// How the windows look whatever the desktop's theme: the colours of the pictures and texts
// are made for a light ground, so the program keeps a light palette of its own.

#include <QColor>
#include <QGroupBox>
#include <QPalette>
#include <QStaticText>

#include <optional>

namespace windows {

// The desktop's colour for greyed text, as current Windows draws it: unlike the classic mid grey
// it stays readable (4.5:1) on the button face.
inline const QColor GreyText{109, 109, 109};

// The light palette the program's colours are made for: black text on the button face, white
// boxes, and greyed text still readable (at least 4.5:1 on the button face).
QPalette lightPalette();

// Makes the light palette the application's; a dark desktop theme then changes nothing.
// Call once the QApplication exists.
void useLightLook();

// Option buttons lower than their style's circle grow, centred on their place, so the circle
// is never cut; the layouts give them the height of a smaller circle. Call once the window's
// controls are placed.
void keepOptionCirclesWhole(QWidget& window);

// A frame whose caption sits on the top border line, which passes through the caption's middle
// and stops on either side of it. Its contents keep their places in the frame.
class Frame : public QGroupBox {
public:
    Frame() = default;

    // Where the caption's text is drawn, and the row of the top border line, in the frame.
    QRect captionRect() const;
    int borderTop() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The caption as laid out for its title and font. A box inside the frame repaints the
    // frame beneath it at every blink of its text cursor; shaping the caption each time would
    // cost more than the blink itself.
    struct Caption {
        QString title;
        QStaticText text;
        QRect rect;
    };
    const Caption& caption() const;

    mutable std::optional<Caption> laidOut;
};

} // namespace windows
