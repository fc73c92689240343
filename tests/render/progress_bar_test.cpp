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
    // 359999999 s are 99999 h 59 min 59 s; --seconds 1e12 after 0.1 s, and
    // one far beyond any integer of seconds.
    EXPECT_EQ(ProgressLine({1, 359'999'999, 0.5}, 4), "[##--]  50%  0.0 M it/s  99999 h 59 min left");
    EXPECT_EQ(ProgressLine({1, 0.1, 1e-13}, 4), "[----]   0%  0.0 M it/s  over 99999 h left");
    EXPECT_EQ(ProgressLine({1, 1, 1e-20}, 4), "[----]   0%  0.0 M it/s  over 99999 h left");
}

}  // namespace
}  // namespace zephyrin
