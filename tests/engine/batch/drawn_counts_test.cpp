// The counts of budgeted drawings on the pool, pinned as hashes: how the
// hits reach the counters may change (vectors, shared grids, bins), what
// they add up to may not. The hashes were taken from the drawings of the
// per-thread grids with a scalar add per hit. Counters started near the top
// pin the saturation (some of them reach it, most do not); hits that take
// away stay far above the bottom, where their order cannot matter either.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "engine/batch/counts_drawing.h"
#include "engine/faithfulness.h"

namespace zephyrin {
namespace {

// FNV-1a over the counters, row by row.
std::uint64_t HashOf(const CountGrid& counts) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const std::int32_t count : counts.Counts()) {
        auto bits = static_cast<std::uint32_t>(count);
        for (int i = 0; i < 4; ++i, bits >>= 8) hash = (hash ^ (bits & 0xFF)) * 0x100000001b3ULL;
    }
    return hash;
}

struct PinnedDrawing {
    const char* what;
    int formula;
    std::uint64_t seed;
    std::int32_t width, height;
    bool everyVariation;
    double intensity;
    int threads;
    std::int64_t budget;
    std::int32_t startBelowTop;  // counters start this far below the int32 top; 0 for untouched
    std::uint64_t hash;
    std::int64_t rise;
};

constexpr PinnedDrawing kPinned[] = {
    {"formula 70 (IFS), None and Swirl, 1 thread", 70, 1, 64, 48, false, 64, 1, 400'003, 0,
     0xa94b0497a3f86361, 36055113},
    {"formula 70 (IFS), None and Swirl, 2 threads", 70, 1, 64, 48, false, 64, 2, 400'003, 0,
     0x280cc5a22d0ace7d, 36020074},
    // Re-taken when sine and cosine of large arguments moved onto the
    // vectors (a few ulps from the library's, as the step test allows).
    {"formula 71 (IFS), every variation, 2 threads", 71, 1, 64, 48, true, 64, 2, 300'001, 0,
     0x3e039194b5fb72cc, 127799256},
    {"formula 23 (random restarts), 2 threads", 23, 1, 64, 48, false, 10, 2, 300'000, 0, 0xa2c8dda9b6986c65,
     9319405},
    {"formula 1, every variation, supersampled 3 x, 1 thread", 1, 9, 192, 144, true, 64, 1, 300'000, 0,
     0xe1458b287d7e7f1a, 126139850},
    {"formula 70, 3 x supersampled, 2 threads", 70, 1, 192, 144, false, 1000, 2, 300'000, 0,
     0x31373caa8c50e356, 334396226},
    {"formula 70, counters near the top, 2 threads", 70, 1, 40, 30, false, 64, 2, 400'000, 20'000,
     0x36d9d5a188280ad5, 2576956976361},
    {"formula 70, intensity -40 (hits take away)", 70, 1, 64, 48, false, -40, 2, 200'000, 0,
     0x14269236b847b199, -4742825},
};

TFractalRec RecordOf(const PinnedDrawing& pinned) {
    TFractalRec v = testing::FaithfulnessRecord(pinned.formula, pinned.seed, pinned.width, pinned.height);
    v.intensity = pinned.intensity;
    if (pinned.everyVariation)
        for (Flag* on : {&v.varNone, &v.varLinear, &v.varSinusoidal, &v.varSpherical, &v.varSwirl,
                         &v.varHorseshoe, &v.varPolar, &v.varBent, &v.varInversion})
            *on = kTrue;
    return v;
}

TEST(DrawnCounts, StayWhatTheyWere) {
    for (const PinnedDrawing& pinned : kPinned) {
        const TFractalRec v = RecordOf(pinned);
        CountGrid counted;
        if (pinned.startBelowTop > 0) {
            counted = CountGrid(v.width, v.height);
            for (std::int32_t& count : counted.Counts())
                count = std::numeric_limits<std::int32_t>::max() - pinned.startBelowTop;
        }
        ThreadPool pool(pinned.threads);
        CountsDrawing drawing(pool, v, {}, 77, counted, pinned.budget);
        while (!drawing.WaitFor(std::chrono::milliseconds(10))) {
        }
        CountGrid counts;
        drawing.CopyCounts(counts);
        EXPECT_EQ(HashOf(counts), pinned.hash) << pinned.what << ": 0x" << std::hex << HashOf(counts);
        EXPECT_EQ(counts.TotalRise(), pinned.rise) << pinned.what;
    }
}

}  // namespace
}  // namespace zephyrin
