// Iterations per second of the renderer with one and two threads on a new
// window's record at 800 x 600, beside the engine's own loop on the same
// record. Rates are per wall-clock second, as the renderer's threads run
// beside the caller; the CPU column is the whole process's, so that its
// ratio to the time tells how many cores were really drawing.
#include <benchmark/benchmark.h>

#include "engine/core/defaults.h"
#include "engine/core/engine.h"
#include "engine/core/view_coords.h"
#include "imaging/picture.h"
#include "render/drawing_setup.h"
#include "render/render_job.h"

namespace zephyrin {
namespace {

constexpr std::int64_t kIterations = 10'000'000;
constexpr std::uint64_t kSeed = 12345;

DrawingSetup NewWindow800x600() {
    DrawingSetup setup{NewWindowRecord(800, 600), {}};
    FreezeView(setup.record);
    return setup;
}

class CountingHost final : public EngineHost {
public:
    CountingHost(TFractalRec& rec, std::int64_t limit) : rec_(rec), limit_(limit) {}
    void ProcessMessages() override {
        if (++count_ >= limit_) rec_.stop = kTrue;
    }

private:
    TFractalRec& rec_;
    std::int64_t limit_;
    std::int64_t count_ = 0;
};

void BM_EngineAlone(benchmark::State& state) {
    const DrawingSetup setup = NewWindow800x600();
    Picture picture(800, 600);
    for (auto _ : state) {
        Engine engine(kSeed);
        TFractalRec v = setup.record;
        CountingHost host(v, kIterations);
        host.picture = &picture;
        engine.RunEngine(v, host);
        benchmark::DoNotOptimize(picture.Words());
    }
    state.SetItemsProcessed(state.iterations() * kIterations);
}

void BM_Render(benchmark::State& state) {
    const DrawingSetup setup = NewWindow800x600();
    RenderSettings settings;
    settings.threads = static_cast<std::int32_t>(state.range(0));
    settings.seed = kSeed;
    settings.iterations = kIterations;
    for (auto _ : state) {
        const RenderResult result = Render(setup, settings, {});
        benchmark::DoNotOptimize(result.picture.Words());
    }
    state.SetItemsProcessed(state.iterations() * kIterations);
}

BENCHMARK(BM_EngineAlone)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_Render)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace
}  // namespace zephyrin

BENCHMARK_MAIN();
