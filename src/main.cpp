#include "windows/Form6.h"
#include "windows/Look.h"
#include "windows/QtCzech.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    windows::useLightLook();
    windows::loadQtCzech();
    // The program ends only through its main window, never because some other window closed.
    QApplication::setQuitOnLastWindowClosed(false);
    // The banner opens the program and hands over to the main window when its time is up.
    Form6::instance().show();
    return QApplication::exec();
}
