// Adding the threads' counts.
#include "render/hit_merge.h"

#include <gtest/gtest.h>

#include <limits>

#include "engine/engine.h"

namespace zephyrin {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(AddHitCounts, AddsWhatEachListCountedAboveTheStart) {
    std::vector<std::int32_t> into = {50, 60, 50, 300, kMax - 5};
    const std::vector<std::int32_t> from = {50, 80, 70, 50, 60};
    AddHitCounts(into, from);
    EXPECT_EQ(into, (std::vector<std::int32_t>{50, 90, 70, 300, kMax}));
}

}  // namespace
}  // namespace zephyrin
