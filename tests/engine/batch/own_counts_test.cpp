// A batch counting into its own grid adds up to what its bins add to a
// shared one, on untouched counters, on counters at the top, and with hits
// that take away.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>

#include "engine/batch/banded_counts.h"
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

}  // namespace
}  // namespace zephyrin
