#include "windows/Form2.h"

#include "model/Module1.h"
#include "model/ReferencePlacement.h"
#include "model/Spoken.h"
#include "resources/Pictures.h"
#include "windows/Layout.h"
#include "windows/ProgramIcon.h"
#include "windows/ToolWindow.h"

Form2::Form2() : Shape1(QColor(255, 0, 0), 2), Image1(pictures::WeightTable)
{
    setWindowTitle(QStringLiteral("Hmotnost u mužů a žen"));
    windows::makeToolWindow(*this, QSize(431, 481));
    setWindowIcon(windows::programIcon());
    windows::applyLayout({
        {&Shape1, this, 15, 795, 6440, 255},
        {&Image1, this, 0, 0, 6465, 7215},
    });
    Shape1.setTwipsGeometry(15, 795, 6440, 255);
    Image1.setAccessibleName(QStringLiteral("Tabulka hmotností"));
}

void Form2::Form_Load()
{
    Zobrazeni();
}

void Form2::Zobrazeni()
{
    if (const auto row = model::tableRow(Module1::Vyska)) {
        Shape1.setTop(static_cast<float>(model::tableRowTop(*row)));
        if (const char* height = pictures::weightTableRowHeight(*row))
            Image1.setAccessibleDescription(QString::fromStdString(model::weightTableDescription(height)));
    }
}
