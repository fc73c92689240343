// The progress line: bar, percentage, rate and time left.
#include "render/progress_bar.h"

#include <gtest/gtest.h>

namespace zephyrin {
namespace {

TEST(ProgressLine, BarPercentRateAndTimeLeft) {
    // A quarter in 0.5 s: 1.5 s to go, shown rounded.
    EXPECT_EQ(ProgressLine({5'000'000, 0.5, 0.25}, 20), "[#####---------------]  25%  10.0 M it/s  2 s left");
    EXPECT_EQ(ProgressLine({0, 0, 0}, 4), "[----]   0%");
    EXPECT_EQ(ProgressLine({1'000, 10, 1.0}, 4), "[####] 100%  0.0 M it/s  0 s left");
    // A hundredth in 60 s leaves 5940 s; a tenth in 60 s leaves 540 s.
    EXPECT_EQ(ProgressLine({1, 60, 0.01}, 4), "[----]   1%  0.0 M it/s  1 h 39 min left");
    EXPECT_EQ(ProgressLine({1, 60, 0.1}, 4), "[----]  10%  0.0 M it/s  9 min 00 s left");
}

}  // namespace
}  // namespace zephyrin
