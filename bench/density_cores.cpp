// A picture window in density colouring on the offscreen platform, drawing
// its new window's record on the drawing pool for a few seconds: how many
// cores the process keeps busy (its CPU time over the wall-clock time, from
// getrusage), the longest the interface thread waited for a 10 ms timer
// meanwhile (what opening a menu would wait), and how long Stop takes to end
// the drawing threads' work, and its iterations per CPU second of the whole
// process, to set beside zephyrin-render's on the same record and size
// (the record is written to RECORD.zpr when given), and then the same
// record drawn as zephyrin-render draws it, on the same pool in the same
// process, measured alike: the window's rate over that one's. The window
// draws FROM.zpr when given, else a new window's record, which may light a
// handful of pixels. A measuring tool:
//   density_cores [SECONDS [RECORD.zpr [FROM.zpr]]]
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "engine/batch/counts_drawing.h"
#include "engine/core/engine.h"
#include "engine/file/param_file.h"
#include "services/event_pump.h"
#include "services/mode_word.h"
#include "services/one_shot_timer.h"
#include "services/settings.h"
#include "window/tmdi_child.h"
#include "window/window_start.h"

#include "cpu_clock.h"

namespace {

using namespace zephyrin;
using Clock = std::chrono::steady_clock;

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

class NoFrame final : public FrameServices {
public:
    void UpdateParameters() override {}
    QSize frameClientSize() const override { return QSize(1200, 900); }
    void pasteParameters() override {}
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    remember(kFindOnStartKey, false);
    const double drawingSeconds = argc > 1 ? std::atof(argv[1]) : 4.0;

    Engine engine;
    EventPump pump;
    ThreadPool pool;
    NoFrame frame;
    ProgramParts parts;
    parts.engine = &engine;
    parts.pump = &pump;
    parts.pool = &pool;
    parts.frame = &frame;
    QMdiArea area;
    area.resize(900, 700);
    area.show();
    WindowStart start;
    if (argc > 3) start.parameterFile = QString::fromLocal8Bit(argv[3]);
    auto* window = new TMDIChild(parts, &area, start);
    area.addSubWindow(window);
    window->Timer1->setEnabled(false);
    window->show();
    if (window->document().density().mode != ColouringMode::kDensity)
        window->findChild<QAction*>(QStringLiteral("DensityColouring"))->trigger();

    // The interface thread's waits: the longest gap between ticks of a 10 ms timer.
    Clock::time_point lastTick = Clock::now();
    double longestWait = 0;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const Clock::time_point now = Clock::now();
        longestWait = std::max(longestWait, Seconds(now - lastTick) - 0.010);
        lastTick = now;
    });

    double cpu = 0, wall = 0, stopSeconds = 0, interfaceCpu = 0;
    std::int64_t iterations = 0, measuredFrom = 0;
    // Measured from a second in, when the drawing runs at full speed.
    QTimer::singleShot(1000, [&] {
        if (const CountsDrawing* drawing = window->document().threadsDrawing())
            measuredFrom = drawing->Iterations();
        cpu = CpuSeconds();
        interfaceCpu = bench::ThreadCpuSeconds();
        wall = Seconds(Clock::now().time_since_epoch());
        lastTick = Clock::now();
        ticker.start();
    });
    QTimer::singleShot(static_cast<int>(1000 + drawingSeconds * 1000), [&] {
        cpu = CpuSeconds() - cpu;
        interfaceCpu = bench::ThreadCpuSeconds() - interfaceCpu;
        wall = Seconds(Clock::now().time_since_epoch()) - wall;
        ticker.stop();
        const CountsDrawing* drawing = window->document().threadsDrawing();
        const Clock::time_point stop = Clock::now();
        window->document().stopDrawing();
        stopSeconds = Seconds(Clock::now() - stop);
        if (drawing) iterations = drawing->Iterations();
    });
    setModeWord(kModeNew);
    window->FormPaint();

    std::printf("drawing threads %d, %.1f s measured: %.2f cores busy (process CPU %.2f s)\n", pool.Threads(),
                wall, cpu / wall, cpu);
    std::printf(
        "%.1f M iterations in all; the interface thread's longest extra wait %.1f ms; Stop ended the "
        "threads' work in %.2f ms\n",
        static_cast<double>(iterations) / 1e6, longestWait * 1000, stopSeconds * 1000);
    const TFractalRec& v = window->document().v;
    if (argc > 2) {
        std::FILE* out = std::fopen(argv[2], "w");
        if (!out) return 1;
        const std::string text =
            WriteParameterText(v, window->document().effects, window->document().density(), '.');
        std::fputs(text.c_str(), out);
        std::fclose(out);
    }
    const double windowRate = static_cast<double>(iterations - measuredFrom) / cpu;
    std::printf(
        "%d x %d: %.1f M iterations per CPU second while measured (%.2f s of it the interface thread's)\n",
        v.width, v.height, windowRate / 1e6, interfaceCpu);

    // With no window: a counts drawing waited for, as zephyrin-render's,
    // measured from a second in for as long.
    CountsDrawing alone(pool, v, window->document().effects, 9, CountGrid(v.width, v.height));
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const double aloneFromCpu = CpuSeconds();
    const std::int64_t aloneFrom = alone.Iterations();
    std::this_thread::sleep_for(std::chrono::duration<double>(drawingSeconds));
    const double aloneRate =
        static_cast<double>(alone.Iterations() - aloneFrom) / (CpuSeconds() - aloneFromCpu);
    alone.Stop();
    std::printf(
        "drawn as zephyrin-render draws: %.1f M iterations per CPU second; the window's rate is %.3f of it\n",
        aloneRate / 1e6, windowRate / aloneRate);
    return 0;
}
