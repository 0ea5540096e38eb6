#pragma once

#include "Clock.h"

#include <QObject>
#include <QStringList>

class QWidget;

// Start-up measurement shared by the Telimer and the bare program, so that both are timed the
// same way. The launcher stamps CLOCK_MONOTONIC right before it execs the program and passes
// the stamp on in STARTUP_T0_NS; the probe stamps again once the window's first paint has
// reached the X server, prints the difference and the peak resident memory, and quits.
namespace bench {

// Notes how far start-up has got, for the breakdown the probe prints with its report as
// "phase NAME MS" lines, in milliseconds since process start.
void markPhase(const char* name);

class FirstPaintProbe : public QObject {
public:
    // Watches window's paint events; window must outlive the probe's report.
    explicit FirstPaintProbe(QWidget& window);
    // Watches every window of the program and reports when the one titled `title` first
    // paints; the first paint of any other window is noted as a phase named after its title.
    explicit FirstPaintProbe(const QString& title);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void report();

    QWidget* window = nullptr;
    QString title;
    QStringList seen;
    bool painted = false;
};

} // namespace bench
