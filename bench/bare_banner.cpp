// The yardstick for the banner's start-up: a bare borderless Qt window of the banner's size,
// centred, with one child that paints a picture, timed the same way.

#include "FirstPaint.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace {

class Box : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), QColor(248, 248, 248)); }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    window.setFixedSize(468, 60);
    Box box;
    box.setParent(&window);
    box.setGeometry(0, 0, 468, 60);
    QRect frame(QPoint(0, 0), window.size());
    frame.moveCenter(QGuiApplication::primaryScreen()->availableGeometry().center());
    window.move(frame.topLeft());
    bench::FirstPaintProbe probe(window);
    window.show();
    return QApplication::exec();
}
