#include "FirstPaint.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <sys/resource.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace bench {

namespace {

std::vector<std::pair<std::string, long long>>& phases()
{
    static std::vector<std::pair<std::string, long long>> marks;
    return marks;
}

// The stamp the launcher took right before exec, or nothing when started some other way.
bool startStamp(long long& stamp)
{
    const char* text = std::getenv(StartStampVariable);
    if (!text)
        return false;
    const char* end = text + std::strlen(text);
    const auto [rest, error] = std::from_chars(text, end, stamp);
    return error == std::errc() && rest == end;
}

// Waits until the X server has handled every request sent so far, the flushed frame included.
void waitForXServer()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return;
    xcb_connection_t* connection = x11->connection();
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

} // namespace

void markPhase(const char* name)
{
    phases().emplace_back(name, monotonicNanoseconds());
}

FirstPaintProbe::FirstPaintProbe(QWidget& watched) : window(&watched)
{
    window->installEventFilter(this);
}

FirstPaintProbe::FirstPaintProbe(const QString& title) : title(title)
{
    qApp->installEventFilter(this);
}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (!window && event->type() == QEvent::Paint && watched->isWidgetType()) {
        const QWidget* painting = static_cast<QWidget*>(watched)->window();
        if (painting->windowTitle() == title)
            window = static_cast<QWidget*>(watched);
        else if (!seen.contains(painting->windowTitle())) {
            seen.append(painting->windowTitle());
            markPhase(painting->windowTitle().toUtf8().constData());
        }
    }
    if (watched == window && event->type() == QEvent::Paint && !painted) {
        painted = true;
        markPhase("paint");
        // The backing store is flushed to the screen after every widget of this frame has
        // painted, so look again only once control is back in the event loop.
        QMetaObject::invokeMethod(this, &FirstPaintProbe::report, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void FirstPaintProbe::report()
{
    waitForXServer();
    const long long now = monotonicNanoseconds();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    long long start = 0;
    if (startStamp(start)) {
        for (const auto& [name, stamp] : phases())
            std::printf("phase %s %.3f\n", name.c_str(), static_cast<double>(stamp - start) / 1e6);
        std::printf("startup_ms %.3f\n", static_cast<double>(now - start) / 1e6);
    }
    std::printf("maxrss_kb %ld\n", usage.ru_maxrss);
    std::fflush(stdout);
    QCoreApplication::exit(0);
}

} // namespace bench
