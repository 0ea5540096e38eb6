#include "windows/Application.h"

#include "resources/Fonts.h"
#include "windows/Look.h"
#include "windows/QtCzech.h"

#include <QApplication>

namespace windows {

QFont programFont()
{
    // The default 8-point dialog font, sized in pixels so that the twips layout holds on any screen.
    return fonts::font(fonts::Face::Sans, fonts::WindowTextSize);
}

void prepareApplication()
{
    fonts::loadCarriedFaces();
    // Menus and tooltips in the windows' own face too; the desktop's default face would be one
    // more font file and font engine held for the whole run.
    QApplication::setFont(programFont());
    useLightLook();
    loadQtCzech();
    // The program ends only through its main window, never because some other window closed.
    QApplication::setQuitOnLastWindowClosed(false);
}

void endProgram()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}

} // namespace windows
