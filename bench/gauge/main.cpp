// The progress window in a loop on the GUI thread: the same loop of steps
// without a gauge and with the gauge's window, for a step of about 2 us
// (a row's text and some arithmetic: still less than a row of a table or
// an exchange file costs) and, for information, a step of about 0.4 us.
// The gauge must cost the loop little and still let events through at its
// interval; a window refreshed with events processed at every step is shown
// beside it. Times are the process's processor time (every thread, painting
// included): the wall clock of a shared machine says more about the
// neighbours. Each loop runs three times, the best run counts.

#include "BvGauge.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

constexpr int Runs = 3;
constexpr int EveryStepSteps = 2000; // slow: fewer steps, compared per step
constexpr double GaugeTarget = 1.20; // gauge loop / bare loop, row-sized steps

volatile double Sink = 0;

// One step's own work; the text is what a caller would show for the item.
QString Work(int i, int size) {
    double sum = 0;
    for (int k = 0; k < size; ++k)
        sum += (i ^ k) * 0.5;
    Sink = Sink + sum;
    return QStringLiteral("Patient %1").arg(i);
}

double CpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

template <class Fn>
double TimeMs(Fn fn) {
    const double start = CpuMs();
    fn();
    return CpuMs() - start;
}

struct TResult {
    double Bare = 1e300;  // ms
    double Gauge = 1e300; // ms
    double Wall = 0;      // ms of the best gauge run
    int Ticks = 0;        // event rounds in the best gauge run
};

// Two levels (4 files of steps / 4 rows), as an export reports them.
TResult Measure(int steps, int size) {
    TResult result;
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    for (int run = 0; run < Runs; ++run) {
        result.Bare = std::min(result.Bare, TimeMs([&] {
            for (int i = 1; i <= steps; ++i)
                (void)Work(i, size);
        }));
        TBvGauge gauge(nullptr, {}, QStringLiteral("Export"));
        ticker.start(0);
        ticks = 0;
        QElapsedTimer wall;
        wall.start();
        const double ms = TimeMs([&] {
            gauge.BeginLevel(QStringLiteral("Files"), 4);
            for (int file = 1; file <= 4; ++file) {
                gauge.Step(file, QStringLiteral("File"));
                gauge.BeginLevel(QStringLiteral("Rows"), steps / 4);
                for (int i = 1; i <= steps / 4; ++i)
                    gauge.Step(i, Work(i, size));
                gauge.EndLevel();
            }
            gauge.EndLevel();
        });
        const double wallMs = double(wall.elapsed());
        ticker.stop();
        if (ms < result.Gauge) {
            result.Gauge = ms;
            result.Wall = wallMs;
            result.Ticks = ticks;
        }
    }
    return result;
}

// Events went through at the gauge's interval: not at every step, and not
// much less often than every interval either.
bool Report(const char* name, int steps, const TResult& r, bool withTarget) {
    const double ratio = r.Gauge / r.Bare;
    const bool ratioOk = !withTarget || ratio <= GaugeTarget;
    std::printf("%-10s bare      %8.1f ms cpu for %d steps (%.2f us a step)\n", name, r.Bare, steps,
                r.Bare * 1000 / steps);
    if (withTarget)
        std::printf("%-10s gauge     %8.1f ms cpu  ratio %.3f  target <= %.2f  %s\n", name, r.Gauge, ratio,
                    GaugeTarget, ratioOk ? "ok" : "MISSED");
    else
        std::printf("%-10s gauge     %8.1f ms cpu  ratio %.3f  (for information, no target)\n", name, r.Gauge, ratio);
    const double expected = r.Wall / TBvGauge::RefreshInterval;
    const bool ticksOk = r.Ticks <= expected + 2 && r.Ticks >= expected / 2;
    std::printf("%-10s events    %8d rounds in %.0f ms, target between %.0f and %.0f  %s\n", name, r.Ticks, r.Wall,
                expected / 2, expected + 2, ticksOk ? "ok" : "MISSED");
    return ratioOk && ticksOk;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    // Warm up the code paths and the window's first paint.
    {
        TBvGauge gauge(nullptr, {}, QStringLiteral("Warm-up"));
        gauge.BeginLevel(QStringLiteral("Rows"), 10000);
        for (int i = 1; i <= 10000; ++i)
            gauge.Step(i, Work(i, 400));
        gauge.EndLevel();
    }

    constexpr int RowSteps = 400000, RowSize = 2400;
    constexpr int TightSteps = 1000000, TightSize = 400;
    const TResult row = Measure(RowSteps, RowSize);
    const TResult tight = Measure(TightSteps, TightSize);

    // The window refreshed and events processed at every step.
    double everyStepMs = 0;
    {
        TBvGaugeForm* form = nullptr;
        TBvGauge gauge(nullptr, [&](TBvGauge* sender) {
            form->GaugeUpdate(sender);
            QCoreApplication::processEvents();
        }, QStringLiteral("Export"));
        form = new TBvGaugeForm;
        form->show();
        everyStepMs = TimeMs([&] {
            gauge.BeginLevel(QStringLiteral("Rows"), EveryStepSteps);
            for (int i = 1; i <= EveryStepSteps; ++i)
                gauge.Step(i, Work(i, RowSize));
            gauge.EndLevel();
        });
        delete form;
    }

    bool ok = Report("row-sized", RowSteps, row, true);
    ok = Report("tight", TightSteps, tight, false) && ok;
    std::printf("every step refreshed: %.1f ms cpu for %d row-sized steps, %.0f times the bare step "
                "(for comparison, no target)\n",
                everyStepMs, EveryStepSteps, (everyStepMs / EveryStepSteps) / (row.Bare / RowSteps));
    return ok ? 0 : 1;
}
