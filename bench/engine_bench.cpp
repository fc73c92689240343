// Iterations per second of RunEngine with a pump that does nothing but count.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/batch/orbit_batch.h"
#include "engine/core/count_grid.h"
#include "engine/core/defaults.h"
#include "engine/core/engine.h"
#include "engine/core/view_coords.h"
#include "imaging/picture.h"

namespace zephyrin {
namespace {

class CountingHost final : public EngineHost {
public:
    CountingHost(TFractalRec& rec, long limit) : rec_(rec), limit_(limit) {}
    void ProcessMessages() override {
        if (++count_ >= limit_) rec_.stop = kTrue;
    }

private:
    TFractalRec& rec_;
    long limit_;
    long count_ = 0;
};

// A new window's record with its view frozen, as at a drawing start.
TFractalRec FrozenNewWindow(int width, int height) {
    TFractalRec v = NewWindowRecord(width, height);
    FreezeView(v);
    return v;
}

// Draws `iterations` per benchmark iteration from the same seeded start.
void Draw(benchmark::State& state, TFractalRec base, long iterations) {
    Picture picture(base.width, base.height);
    for (auto _ : state) {
        Engine engine(12345);
        TFractalRec v = base;
        CountingHost host(v, iterations);
        host.picture = &picture;
        engine.RunEngine(v, host);
        benchmark::DoNotOptimize(picture.Words());
    }
    state.SetItemsProcessed(state.iterations() * iterations);
}

void BM_NewWindow(benchmark::State& state) {
    Draw(state, FrozenNewWindow(400, 300), 2'000'000);
}

void BM_AllVariations(benchmark::State& state) {
    TFractalRec v = FrozenNewWindow(1024, 768);
    v.varLinear = v.varSinusoidal = v.varSpherical = v.varHorseshoe = v.varPolar = v.varBent =
        v.varInversion = kTrue;
    Draw(state, v, 500'000);
}

void BM_Formula63(benchmark::State& state) {
    TFractalRec v = FrozenNewWindow(400, 300);
    v.formula = 63;
    v.varSwirl = kFalse;
    Draw(state, v, 2'000'000);
}

// The same record on the batch's vectors, its transient included.
void BM_OrbitBatch(benchmark::State& state) {
    const TFractalRec v = FrozenNewWindow(400, 300);
    std::vector<std::int32_t> counts(400 * 300, kUntouchedCount);
    constexpr long kIterations = 4'000'000;
    for (auto _ : state) {
        OrbitBatch batch(v, Effects{}, 12345);
        batch.Run(kIterations, counts);
        benchmark::DoNotOptimize(counts.data());
    }
    state.SetItemsProcessed(state.iterations() * kIterations);
}

BENCHMARK(BM_NewWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllVariations)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Formula63)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OrbitBatch)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zephyrin

BENCHMARK_MAIN();
