#include "windows/Form1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The program ends only through its main window, never because some other window closed.
    QApplication::setQuitOnLastWindowClosed(false);
    Form1::instance().show();
    return QApplication::exec();
}
