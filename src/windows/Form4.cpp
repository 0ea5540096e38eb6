#include "windows/Form4.h"

#include "resources/Fonts.h"
#include "resources/Strings.h"
#include "windows/Controls.h"
#include "windows/Layout.h"
#include "windows/ToolWindow.h"

#include <QResizeEvent>
#include <QScrollBar>
#include <QStyleOptionSlider>

namespace {

// Qt's styles keep the drawn parts of a scroll bar in the program-wide picture cache under the
// identity of its palette, and every new window's palette is a new one: each opening of help
// would leave its own copies behind, a few kilobytes a time, until the cache is full. The help
// windows' scroll bars draw with one palette for as long as its colours stay the same.
class ScrollBar : public QScrollBar {
protected:
    void initStyleOption(QStyleOptionSlider* option) const override
    {
        QScrollBar::initStyleOption(option);
        static QPalette shared = option->palette;
        if (shared != option->palette)
            shared = option->palette;
        option->palette = shared;
    }
};

} // namespace

Form4::Form4()
{
    setWindowTitle(QStringLiteral("Nápověda"));
    resize(695, 429);
    windows::closeOnEscape(*this);
    windows::applyLayout({{&Text1, this, 0, 0, 6495, 4455}});
    Text1.setVerticalScrollBar(new ScrollBar);
    Text1.setReadOnly(true);
    Text1.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text1.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1.setFont(fonts::font(fonts::Face::Mono, fonts::WindowCaptionSize, true));
}

void Form4::Form_Load()
{
    // The string keeps its CR CR LF line ends; the box shows each as one line break.
    Text1.setPlainText(strings::forDisplay(strings::load(strings::HelpText)));
}

void Form4::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Form4::Form_Resize()
{
    Text1.setGeometry(0, 0, width(), height());
}
