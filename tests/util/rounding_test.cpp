#include "util/rounding.h"

#include <gtest/gtest.h>

#include <limits>

namespace zephyrin {
namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundToInt32(0.5), 0);
    EXPECT_EQ(RoundToInt32(1.5), 2);
    EXPECT_EQ(RoundToInt32(2.5), 2);
    EXPECT_EQ(RoundToInt32(-0.5), 0);
    EXPECT_EQ(RoundToInt32(-1.5), -2);
    EXPECT_EQ(RoundToInt32(68.5714), 69);
    EXPECT_EQ(RoundHalfEven(3.5), 4.0);
}

TEST(Rounding, ClampedVersionSurvivesAnything) {
    EXPECT_EQ(RoundToInt32Clamped(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(RoundToInt32Clamped(1e300), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(RoundToInt32Clamped(-std::numeric_limits<double>::infinity()),
              std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(RoundToInt32Clamped(10.5), 10);
}

}  // namespace
}  // namespace zephyrin
