// Telimer's main window from process start to its first frame on screen, started the way the
// program starts it once the banner is gone: created (hidden, loaded) and then shown.

#include "FirstPaint.h"

#include "windows/Form1.h"
#include "windows/Look.h"
#include "windows/QtCzech.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    bench::markPhase("main");
    QApplication app(argc, argv);
    bench::markPhase("application");
    windows::useLightLook();
    windows::loadQtCzech();
    QApplication::setQuitOnLastWindowClosed(false);
    Form1& form = Form1::instance();
    bench::markPhase("window");
    bench::FirstPaintProbe probe(form);
    form.show();
    return QApplication::exec();
}
