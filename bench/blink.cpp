// What one blink of the main window's marker repaints. Counts the paint events that reach the
// chart picture Image1 across a few Timer1 ticks and compares their area with the marker's
// rectangle; exits with 1 when a tick repaints more of the chart than the marker covers.

#include "Offscreen.h"

#include "windows/Form1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPaintEvent>

#include <cstdio>

namespace {

constexpr int Ticks = 8;

// Lets every posted update and repaint run, however Qt schedules them.
void settle()
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 50)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Paint events of one widget, or with no widget given, of every widget of the main window
// (then in the window's coordinates).
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget* watched) : only(watched)
    {
        if (only)
            only->installEventFilter(this);
        else
            qApp->installEventFilter(this);
    }

    void reset()
    {
        painted = {};
        events = 0;
    }

    QRegion painted;
    int events = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget && (only || widget->window() == Form1::existing())) {
            const QRegion region = static_cast<QPaintEvent*>(event)->region();
            painted += only ? region : region.translated(widget->mapTo(widget->window(), QPoint()));
            ++events;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* only = nullptr;
};

long long area(const QRegion& region)
{
    long long sum = 0;
    for (const QRect& r : region)
        sum += static_cast<long long>(r.width()) * r.height();
    return sum;
}

// Where the two marker arms lie, in the chart picture's own coordinates.
QRegion markerOnChart(const Form1& form)
{
    QRegion marker;
    for (const windows::Line* arm : {&form.Line1, &form.Line2})
        marker += QRect(form.Image1.mapFrom(arm->parentWidget(), arm->pos()), arm->size());
    return marker & form.Image1.rect();
}

} // namespace

int main(int argc, char* argv[])
{
    bench::useOffscreenUnlessChosen();
    QApplication app(argc, argv);
    // The focused box's text cursor blinks on a timer of its own; keep its repaints out of the count.
    QApplication::setCursorFlashTime(0);
    Form1& form = Form1::instance();
    form.Timer1.stop(); // the ticks below are the only ones
    form.show();
    settle();

    PaintRecorder chart(&form.Image1);
    PaintRecorder window(nullptr);
    const QRegion marker = markerOnChart(form);
    std::printf("chart %dx%d = %lld px, marker rectangle %lld px\n", form.Image1.width(), form.Image1.height(),
                area(form.Image1.rect()), area(marker));

    bool onlyMarker = true;
    for (int tick = 1; tick <= Ticks; ++tick) {
        chart.reset();
        window.reset();
        form.Timer1_Timer();
        settle();
        const bool inside = (chart.painted - marker).isEmpty();
        onlyMarker = onlyMarker && inside;
        std::printf("tick %d: chart %d paint event(s), %lld px, bounds %dx%d%s; whole window %d event(s), %lld px\n",
                    tick, chart.events, area(chart.painted), chart.painted.boundingRect().width(),
                    chart.painted.boundingRect().height(), inside ? "" : " (beyond the marker)", window.events,
                    area(window.painted));
    }
    std::printf("blink repaints only the marker: %s\n", onlyMarker ? "yes" : "no");
    return onlyMarker ? 0 : 1;
}
