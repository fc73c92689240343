// The shared grid's bands, its additions with and without the clamp, and
// bins that reach it.
#include "engine/batch/banded_counts.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "engine/batch/hit_bins.h"
#include "engine/core/count_grid.h"

namespace zephyrin {
namespace {

constexpr std::int32_t kTop = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kBottom = std::numeric_limits<std::int32_t>::min();

BinnedHit Hit(std::uint32_t offset, std::int32_t increment) {
    return std::uint64_t{offset} << 32 | static_cast<std::uint32_t>(increment);
}

// 3200 bytes a row: 64 rows make 204800 bytes, 128 would pass 256 KB. A
// 64000-byte row fits 4 rows, but 3000 bands of them are too many: 16 rows
// make 750.
TEST(BandedCounts, BandsAreWholeRowsAPowerOfTwoHigh) {
    const BandLayout window(800, 600);
    EXPECT_EQ(window.rowShift, 6);
    EXPECT_EQ(window.bands, 10u);
    EXPECT_EQ(window.CellsOf(9), 24u * 800);
    const BandLayout poster(16000, 12000);
    EXPECT_EQ(poster.rowShift, 4);
    EXPECT_EQ(poster.bands, 750u);
    EXPECT_EQ(BandLayout(5, 1).bands, 1u);
    EXPECT_EQ(BandLayout(0, 600).bands, 0u);
}

// Far from the ends the increments add as they are; near the top they
// saturate, in either order alike, and the markers beyond a billion take a
// counter straight to an end.
TEST(BandedCounts, AddsAndSaturatesAsAddHitDoes) {
    CountGrid grid(4, 3);
    grid.At(1, 1) = kTop - 15;
    grid.At(2, 1) = kTop - 15;
    BandedCounts shared(grid.Counts(), 4, 3);
    const IncrementBounds tens{10, 10};
    shared.Add(0, std::vector{Hit(0, 10), Hit(0, 10), Hit(5, 10)}, tens);
    shared.Add(0, std::vector{Hit(5, 10), Hit(6, 10)}, tens);
    shared.Add(0, std::vector{Hit(3, kSetToTop), Hit(4, kSetToBottom), Hit(11, -7)},
               {kSetToBottom, kSetToTop});
    CountGrid copy(4, 3);
    shared.CopyTo(copy.Counts());
    EXPECT_EQ(copy.At(0, 0), 70);
    EXPECT_EQ(copy.At(1, 1), kTop);
    EXPECT_EQ(copy.At(2, 1), kTop - 5);
    EXPECT_EQ(copy.At(3, 0), kTop);
    EXPECT_EQ(copy.At(0, 1), kBottom);
    EXPECT_EQ(copy.At(3, 2), 43);
    EXPECT_EQ(copy, grid);
}

// A bin holds a hit until it fills or is emptied; a band's hits reach only
// that band.
TEST(BandedCounts, BinsReachTheGridWhenFullOrEmptied) {
    CountGrid grid(800, 600);
    BandedCounts shared(grid.Counts(), 800, 600);
    HitBins bins(shared);
    bins.Expect(0);
    HitBins::Fill* fills = bins.Fills();
    for (std::size_t i = 0; i < HitBins::kCapacity; ++i) bins.Append(fills, 1, Hit(7, 10));
    bins.Append(fills, 9, Hit(0, 10));
    EXPECT_EQ(grid.At(7, 64), 50 + 10 * static_cast<std::int32_t>(HitBins::kCapacity));
    EXPECT_EQ(grid.At(0, 576), 50);
    bins.EmptyAll();
    EXPECT_EQ(grid.At(0, 576), 60);
    EXPECT_EQ(grid.TotalRise(), 10 * static_cast<std::int64_t>(HitBins::kCapacity + 1));
}

}  // namespace
}  // namespace zephyrin
