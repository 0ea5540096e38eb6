// The yardstick for Telimer's start-up: a bare Qt window of the main window's size holding as
// many plain widgets as the main window has controls, timed the same way.

#include "FirstPaint.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <array>

namespace {

// The main window's 27 controls by kind: 2 frames, 10 labels, 7 pictures, 2 lines,
// 3 text boxes, 1 list and 2 option buttons. Pictures and lines become plain labels.
constexpr int FrameCount = 2;
constexpr int LabelCount = 10 + 7 + 2;
constexpr int TextBoxCount = 3;
constexpr int OptionCount = 2;

class BareWindow : public QWidget {
public:
    BareWindow()
    {
        setWindowTitle(QStringLiteral("Bare"));
        setFixedSize(640, 375);
        frames[1].setTitle(QStringLiteral("Frame"));
        int slot = 0;
        place(frames[0], slot);
        place(frames[1], slot);
        for (QLabel& label : labels) {
            label.setText(QStringLiteral("Label"));
            place(label, slot);
        }
        for (QLineEdit& box : boxes) {
            box.setText(QStringLiteral("70"));
            place(box, slot);
        }
        combo.addItems({QStringLiteral("m"), QStringLiteral("cm")});
        place(combo, slot);
        for (QRadioButton& option : options) {
            option.setText(QStringLiteral("Option"));
            place(option, slot);
        }
    }

private:
    // A plain grid, four columns of 160 x 53 pixels: positions matter little, only the count.
    void place(QWidget& widget, int& slot)
    {
        widget.setParent(this);
        widget.setGeometry(slot % 4 * 160 + 4, slot / 4 * 53 + 4, 150, 24);
        ++slot;
    }

    std::array<QGroupBox, FrameCount> frames;
    std::array<QLabel, LabelCount> labels;
    std::array<QLineEdit, TextBoxCount> boxes;
    QComboBox combo;
    std::array<QRadioButton, OptionCount> options;
};

} // namespace

int main(int argc, char* argv[])
{
    bench::markPhase("main");
    QApplication app(argc, argv);
    bench::markPhase("application");
    BareWindow window;
    bench::markPhase("window");
    bench::FirstPaintProbe probe(window);
    window.show();
    return QApplication::exec();
}
