// Iterations per second of a drawing in a picture window on the offscreen
// platform, next to the engine alone drawing the same record (a new
// window's: formula 70, None and Swirl, 400 x 300, the same seed). The
// window pays for its message dispatch, the live refresh and the caption.
// Settings live in a temporary folder, with Find Attractor on start off, so
// that the window draws the record at once instead of searching first.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMdiArea>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>

#include "engine/core/defaults.h"
#include "engine/core/engine.h"
#include "engine/core/view_coords.h"
#include "imaging/picture.h"
#include "services/event_pump.h"
#include "services/mode_word.h"
#include "services/one_shot_timer.h"
#include "services/settings.h"
#include "window/tmdi_child.h"

namespace zephyrin {
namespace {

constexpr std::uint64_t kSeed = 12345;
constexpr auto kDrawingTime = std::chrono::milliseconds(1500);

class NoFrame final : public FrameServices {
public:
    void UpdateParameters() override {}
    QSize frameClientSize() const override { return QSize(1200, 900); }
    void pasteParameters() override {}
};

// Stops the drawing once the time is up, reading the clock now and then.
class TimedHost final : public EngineHost {
public:
    TimedHost(TFractalRec& rec, std::chrono::steady_clock::time_point end) : rec_(rec), end_(end) {}
    void ProcessMessages() override {
        if (++calls_ % 4096 == 0 && std::chrono::steady_clock::now() >= end_) rec_.stop = kTrue;
    }

private:
    TFractalRec& rec_;
    std::chrono::steady_clock::time_point end_;
    std::uint64_t calls_ = 0;
};

void BM_EngineAlone(benchmark::State& state) {
    std::int64_t iterations = 0;
    for (auto _ : state) {
        TFractalRec v = NewWindowRecord(400, 300);
        FreezeView(v);
        Picture picture(400, 300);
        const auto start = std::chrono::steady_clock::now();
        TimedHost host(v, start + kDrawingTime);
        host.picture = &picture;
        Engine engine(kSeed);
        engine.RunEngine(v, host);
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        iterations += v.iterations;
    }
    state.SetItemsProcessed(iterations);
}

void BM_WindowDrawing(benchmark::State& state) {
    std::int64_t iterations = 0;
    for (auto _ : state) {
        Engine engine(kSeed);
        EventPump pump;
        NoFrame frame;
        ProgramParts parts;
        parts.engine = &engine;
        parts.pump = &pump;
        parts.frame = &frame;
        QMdiArea area;
        area.resize(800, 600);
        area.show();
        auto* window = new TMDIChild(parts, &area);
        area.addSubWindow(window);
        window->Timer1->setEnabled(false);
        window->show();
        setModeWord(kModeNew);
        QTimer::singleShot(kDrawingTime, [&engine] { engine.StopCurrent(); });
        const auto start = std::chrono::steady_clock::now();
        window->FormPaint();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        iterations += window->document().v.iterations;
    }
    if (iterations == 0) state.SkipWithError("the window drew nothing");
    state.SetItemsProcessed(iterations);
}

BENCHMARK(BM_EngineAlone)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowDrawing)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zephyrin

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    zephyrin::remember(zephyrin::kFindOnStartKey, false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
