// One edit of the weight box through the real main window: the change handling, the
// evaluation, the captions, the marker and both reference windows following.

#include "Offscreen.h"

#include "windows/Form1.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <array>

namespace {

constexpr int Repetitions = 20;

// Two different texts in turn, so that every setText really changes the box.
const std::array<QString, 2> Weights{QStringLiteral("70"), QStringLiteral("71")};

// The shown main window, or nothing when an edit of the weight box would not re-evaluate
// (then there would be nothing worth timing).
Form1* shownForm(benchmark::State& state)
{
    Form1& form = Form1::instance();
    // The blink would add repaints of its own to the measured ones.
    form.Timer1.stop();
    form.show();
    QCoreApplication::processEvents();
    form.Text1.setText(Weights[1]);
    const QString before = form.Label3.text();
    form.Text1.setText(Weights[0]);
    if (form.Label3.text() == before) {
        state.SkipWithError("an edit of the weight box does not change the result line");
        return nullptr;
    }
    return &form;
}

// One edit; with `repaint`, also the repaint that follows it on the next turn of the event loop.
void WeightEdit(benchmark::State& state, bool repaint)
{
    Form1* form = shownForm(state);
    if (!form)
        return;
    std::size_t next = 1;
    for (auto _ : state) {
        form->Text1.setText(Weights[next]);
        next ^= 1;
        if (repaint)
            QCoreApplication::processEvents();
    }
}
BENCHMARK_CAPTURE(WeightEdit, alone, false)->Repetitions(Repetitions)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(WeightEdit, repainted, true)->Repetitions(Repetitions)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char* argv[])
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    bench::useOffscreenUnlessChosen();
    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
