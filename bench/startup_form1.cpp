// Telimer from process start to its main window's first frame on screen, along the program's own
// path: the banner with its two downloads, five seconds of banner, then the main window. The
// banner's first frame is printed as the phase "Form6".

#include "FirstPaint.h"

#include "windows/Application.h"
#include "windows/Form6.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    bench::markPhase("main");
    QApplication app(argc, argv);
    bench::markPhase("application");
    windows::prepareApplication();
    bench::FirstPaintProbe probe(QStringLiteral("Telimer"));
    Form6::instance().show();
    return QApplication::exec();
}
