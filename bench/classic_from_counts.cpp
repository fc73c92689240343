// The classic colours a drawing's counts give (two threads' counts added),
// beside the engine's own picture of as many iterations, for a found
// formula 70 record at 400 x 300: the share of lit pixels at the top grey
// (252: a count of 768 or more) and the lit pixels' mean grey. A drawing
// switched from density colouring to the classic one shows the first; how
// white it is follows from its number of iterations alone.
// A measuring tool: classic_from_counts [SEED].
#include <cstdio>
#include <cstdlib>

#include "engine/colouring/colour_from_counts.h"
#include "engine/faithfulness.h"

namespace {

using namespace zephyrin;

struct Greys {
    double lit = 0, top = 0, mean = 0;
};

Greys GreysOf(const Picture& picture) {
    Greys greys;
    for (int row = 0; row < picture.Height(); ++row)
        for (int column = 0; column < picture.Width(); ++column) {
            const std::uint32_t grey = picture.Pixel(column, row) & 0xFF;  // no colour shifts: r = grey
            if (grey == 0) continue;
            ++greys.lit;
            greys.top += grey == 252;
            greys.mean += grey;
        }
    if (greys.lit > 0) {
        greys.top /= greys.lit;
        greys.mean /= greys.lit;
    }
    return greys;
}

}  // namespace

int main(int argc, char** argv) {
    const std::uint64_t seed = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 7;
    TFractalRec v = testing::FaithfulnessRecord(70, seed, 400, 300, true);
    v.randomStart = kFalse;
    std::printf("%12s | %-25s | %-25s\n", "iterations", "engine: lit, at 252, mean",
                "counts: lit, at 252, mean");
    for (const std::int64_t iterations : {2'000'000LL, 20'000'000LL, 100'000'000LL, 400'000'000LL}) {
        TFractalRec drawn = v;
        testing::TestHost host(drawn);
        host.StopAfter(static_cast<long>(iterations));
        Engine(seed).RunEngine(drawn, host);
        const Greys engine = GreysOf(host.Image());

        // Two threads' counts of half the iterations each, added as a window adds them.
        CountGrid counts(v.width, v.height), second(v.width, v.height);
        OrbitBatch(v, Effects{}, seed).Run(iterations / 2, counts.Counts());
        OrbitBatch(v, Effects{}, seed + 1).Run(iterations - iterations / 2, second.Counts());
        counts.Add(second);
        const Greys fromCounts = GreysOf(ColourFromCounts(counts, v));
        std::printf("%12lld | %6.0f %5.1f %% %5.1f      | %6.0f %5.1f %% %5.1f\n",
                    static_cast<long long>(iterations), engine.lit, 100 * engine.top, engine.mean,
                    fromCounts.lit, 100 * fromCounts.top, fromCounts.mean);
    }
}
