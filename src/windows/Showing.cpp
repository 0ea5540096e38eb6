#include "windows/Showing.h"

#include <QEventLoop>
#include <QPointer>
#include <QWidget>

namespace windows {

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

} // namespace windows
