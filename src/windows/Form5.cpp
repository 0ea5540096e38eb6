#include "windows/Form5.h"

#include "model/Module1.h"
#include "model/ReferencePlacement.h"
#include "model/Spoken.h"
#include "resources/Fonts.h"
#include "resources/Pictures.h"
#include "windows/DecimalSeparator.h"
#include "windows/Labels.h"
#include "windows/Layout.h"
#include "windows/ToolWindow.h"

namespace {
const QColor CrossColour(128, 0, 0);
// Pure red, as the warning has always been. On the chart's white it reads at 4:1, enough for
// bold letters that blink beside their warning picture; the chart keeps that white under any
// desktop theme.
const QColor WarningColour(255, 0, 0);
} // namespace

Form5::Form5() : Image2(pictures::RangeWarning), Line2(CrossColour), Line1(CrossColour), Image1(pictures::WeightChart)
{
    setWindowTitle(QStringLiteral("Hmotnost podle výšky"));
    windows::makeToolWindow(*this, QSize(800, 444));
    windows::applyLayout({
        {&Label1, this, 4920, 3480, 2520, 240},
        {&Image2, this, 5880, 2760, 690, 690},
        {&Image1, this, 0, 0, 11985, 6660},
    });
    for (windows::Line* arm : {&Line1, &Line2}) {
        arm->setParent(this);
        arm->stackUnder(&Image2);
    }
    Line2.setEnds(2400, 3120, 2400, 2880);
    Line1.setEnds(2280, 3000, 2520, 3000);

    windows::setupLabel(Label1, QStringLiteral("M I M O   R O Z S A H"));
    Label1.setFont(fonts::font(fonts::Face::Mono, fonts::WindowCaptionSize, true));
    QPalette red = Label1.palette();
    red.setColor(QPalette::WindowText, WarningColour);
    Label1.setPalette(red);
    Label1.setAccessibleName(QStringLiteral("Mimo rozsah"));
    Image2.setAccessibleName(QStringLiteral("Varování"));
    Image1.setAccessibleName(QStringLiteral("Graf hmotnosti podle výšky"));
    Label1.hide();
    Image2.hide();
    windows::keepSingleLineLabelsWhole(*this);

    Timer1.setInterval(250);
    connect(&Timer1, &QTimer::timeout, this, &Form5::Timer1_Timer);
}

void Form5::Form_Load()
{
    Zobrazeni1();
}

void Form5::Zobrazeni1()
{
    const float w = Module1::Hmotnost;
    const float h = Module1::Vyska;
    const model::Cross cross = model::crossPlacement(w, h);
    Line1.setEnds(cross.horizontal.x1, cross.horizontal.y1, cross.horizontal.x2, cross.horizontal.y2);
    Line2.setEnds(cross.vertical.x1, cross.vertical.y1, cross.vertical.x2, cross.vertical.y2);
    Image1.setAccessibleDescription(
        QString::fromStdString(model::weightChartDescription(w, h, windows::decimalSeparator())));

    if (model::onWeightHeightChart(w, h)) {
        Timer1.stop();
        Image2.hide();
        Label1.hide();
        Line1.show();
        Line2.show();
    } else {
        if (!Timer1.isActive())
            Timer1.start();
        Line1.hide();
        Line2.hide();
    }
}

void Form5::Timer1_Timer()
{
    windows::toggleShown(Image2);
    windows::toggleShown(Label1);
}
