#include "windows/SingleWindow.h"
#include "windows/Layout.h"

#include "resources/Fonts.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>

namespace windows {

QFont programFont()
{
    // The default 8-point dialog font, sized in pixels so that the twips layout holds on any screen.
    return fonts::font(fonts::Face::Sans, 11);
}

void showModal(QWidget& window)
{
    QPointer<QWidget> guard(&window);
    QEventLoop loop;
    QObject::connect(&window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window.setWindowModality(Qt::ApplicationModal);
    window.show();
    if (guard)
        loop.exec();
}

void showInFront(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

void endProgram()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}

} // namespace windows
