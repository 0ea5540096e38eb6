#include "windows/Form4.h"

#include "resources/Strings.h"
#include "windows/Controls.h"
#include "windows/ToolWindow.h"

#include <QResizeEvent>

Form4::Form4()
{
    setWindowTitle(QStringLiteral("Nápověda"));
    resize(695, 429);
    windows::closeOnEscape(*this);
    windows::applyLayout({{&Text1, this, 0, 0, 6495, 4455}});
    Text1.setReadOnly(true);
    Text1.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text1.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1.setFont(windows::controlFont(windows::Face::Mono, 9.75, true));
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

void Form4::Form_Resize() { Text1.setGeometry(0, 0, width(), height()); }
