// Recolouring a 1024 x 768 drawing from its counts, as the window does at
// every refresh and slider change: the tone map into a reused 16-bit
// picture, and the dithered 8-bit picture for the screen.
#include <benchmark/benchmark.h>

#include "engine/colouring/density_colour.h"
#include "engine/core/defaults.h"
#include "engine/core/formula_table.h"
#include "engine/core/view_coords.h"
#include "render/render_job.h"

namespace zephyrin {
namespace {

// Formula 23 drawn for 5 million iterations: most of the picture lit.
const RenderResult& Drawing() {
    static const RenderResult drawing = [] {
        DrawingSetup setup{NewWindowRecord(1024, 768), {}};
        SelectFormula(setup.record, 23);
        FreezeView(setup.record);
        setup.density.mode = ColouringMode::kDensity;
        RenderSettings settings;
        settings.threads = 2;
        settings.seed = 3;
        settings.iterations = 5'000'000;
        return Render(setup, settings, {});
    }();
    return drawing;
}

DensityCounts Counts() {
    return {Drawing().counts, 1};
}

void BM_DensityColour(benchmark::State& state) {
    DensitySettings settings;
    const Gradient gradient = *FindGradient(settings.gradient);
    Picture16 picture;
    DensityColour(Counts(), settings, gradient, false, picture);
    for (auto _ : state) {
        // A slider moving: a new palette every time.
        settings.brightness = settings.brightness == 1.0 ? 1.01 : 1.0;
        DensityColour(Counts(), settings, gradient, false, picture);
        benchmark::DoNotOptimize(picture.Row(0));
    }
}
BENCHMARK(BM_DensityColour)->Unit(benchmark::kMillisecond);

void BM_DitherForTheScreen(benchmark::State& state) {
    const DensitySettings settings;
    const Picture16 picture = DensityColour(Counts(), settings, *FindGradient(settings.gradient), false);
    Picture screen;
    for (auto _ : state) {
        ToPicture(picture, screen);
        benchmark::DoNotOptimize(screen.Words());
    }
}
BENCHMARK(BM_DitherForTheScreen)->Unit(benchmark::kMillisecond);

void BM_DensityColourSupersampled(benchmark::State& state) {
    const DensitySettings settings;
    const Gradient gradient = *FindGradient(settings.gradient);
    // The same counts read as a 2:1 supersampled 512 x 384 picture.
    const DensityCounts counts{Drawing().counts, 2};
    Picture16 picture;
    for (auto _ : state) {
        DensityColour(counts, settings, gradient, false, picture);
        benchmark::DoNotOptimize(picture.Row(0));
    }
}
BENCHMARK(BM_DensityColourSupersampled)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zephyrin

BENCHMARK_MAIN();
