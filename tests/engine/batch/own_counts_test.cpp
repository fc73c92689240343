// A batch counting into its own grid adds up to what its bins add to a
// shared one, on untouched counters, on counters at the top, and with hits
// that take away.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "engine/batch/banded_counts.h"
#include "engine/batch/count_bounds.h"
#include "engine/batch/hit_bins.h"
#include "engine/batch/orbit_batch.h"
#include "engine/batch/own_counts.h"
#include "engine/core/count_grid.h"
#include "engine/faithfulness.h"

namespace zephyrin {
namespace {

struct Case {
    const char* what;
    double intensity;
    std::int32_t startBelowTop;  // 0 for untouched counters
};

TEST(OwnCounts, CountWhatTheSharedGridsBinsCount) {
    constexpr Case kCases[] = {{"untouched", 64, 0}, {"at the top", 64, 3'000}, {"taking away", -40, 0}};
    for (const Case& c : kCases) {
        TFractalRec v = testing::FaithfulnessRecord(70, 1, 64, 48);
        v.intensity = c.intensity;
        CountGrid shared(v.width, v.height);
        if (c.startBelowTop > 0)
            for (std::int32_t& count : shared.Counts())
                count = std::numeric_limits<std::int32_t>::max() - c.startBelowTop;
        CountGrid own = shared;
        BandedCounts grid(shared.Counts(), v.width, v.height);
        HitBins bins(grid);
        OwnCounts cells(own.Counts(), v.width, v.height);
        OrbitBatch binned(v, {}, 3), direct(v, {}, 3);
        // Pieces of the drawing's size, so that the clamp is decided piece by piece.
        for (int piece = 0; piece < 25; ++piece) {
            binned.Run(8 * 1024, bins);
            direct.Run(8 * 1024, cells);
        }
        bins.EmptyAll();
        EXPECT_EQ(own, shared) << c.what;
        if (c.startBelowTop > 0) {
            const auto atTop = std::count(own.Counts().begin(), own.Counts().end(), kSetToTop);
            EXPECT_GT(atTop, 0) << "no counter reached the top";
        }
    }
}

// Counters at the top stay there: once a look at them finds no room, the
// next look waits for sixteen times as many hits as there are counters, so
// that a saturated grid does not pay a scan every few pieces.
TEST(CounterBounds, LookAgainLateAtTheTop) {
    std::vector<std::int32_t> cells(100, kSetToTop);
    CounterBounds bounds(cells.size());
    const IncrementBounds increments{9, 11};
    EXPECT_FALSE(bounds.Admit(cells, 10, increments));
    std::fill(cells.begin(), cells.end(), 50);
    EXPECT_FALSE(bounds.Admit(cells, 30, increments)) << "looked again too soon";
    EXPECT_FALSE(bounds.Admit(cells, 1560, increments)) << "looked again too soon";
    EXPECT_TRUE(bounds.Admit(cells, 10, increments)) << "never looked again";
}

}  // namespace
}  // namespace zephyrin
