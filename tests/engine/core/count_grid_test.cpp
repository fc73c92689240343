// The counts a drawing keeps, and adding two drawings' counts.
#include "engine/core/count_grid.h"

#include <gtest/gtest.h>

#include <limits>

namespace zephyrin {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

CountGrid Row(std::initializer_list<std::int32_t> counts) {
    CountGrid grid(static_cast<std::int32_t>(counts.size()), 1);
    std::copy(counts.begin(), counts.end(), grid.Counts().begin());
    return grid;
}

TEST(CountGrid, AddsWhatEachGridCountedAboveTheStartSaturating) {
    CountGrid into = Row({50, 60, 50, 300, kMax - 5});
    into.Add(Row({50, 80, 70, 50, 60}));
    EXPECT_EQ(into, Row({50, 90, 70, 300, kMax}));
    // A grid of another size is not added.
    into.Add(Row({100, 100}));
    EXPECT_EQ(into, Row({50, 90, 70, 300, kMax}));
}

TEST(CountGrid, GoesToAndFromTheEngineHitListColumnByColumnLeavingPixelsBeyondUntouched) {
    // A 2 x 2 list (column by column) for a 3 x 2 picture.
    const std::vector<std::int32_t> list = {60, 61, 70, 71};
    const CountGrid grid = CountGrid::FromHitList(list, 2, 3, 2);
    EXPECT_EQ(grid.Counts()[0], 60);
    EXPECT_EQ(grid.At(1, 0), 70);
    EXPECT_EQ(grid.At(2, 0), kUntouchedCount);
    EXPECT_EQ(grid.At(0, 1), 61);
    EXPECT_EQ(grid.At(1, 1), 71);
    EXPECT_EQ(grid.TotalRise(), 10 + 11 + 20 + 21);

    // Back into a 3 x 3 list: column by column, the third row untouched.
    const std::vector<std::int32_t> back = grid.ToHitList(3);
    EXPECT_EQ(back, (std::vector<std::int32_t>{60, 61, 50, 70, 71, 50, 50, 50, 50}));
    EXPECT_EQ(CountGrid::FromHitList(back, 3, 3, 2), grid);
}

}  // namespace
}  // namespace zephyrin
