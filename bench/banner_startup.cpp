// Telimer's start-up banner from process start to its first frame on screen, started as main()
// starts it: created (hidden) with its load and both downloads, then shown.

#include "FirstPaint.h"

#include "windows/Application.h"
#include "windows/Form6.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    windows::prepareApplication();
    Form6& banner = Form6::instance();
    bench::FirstPaintProbe probe(banner);
    banner.show();
    return QApplication::exec();
}
