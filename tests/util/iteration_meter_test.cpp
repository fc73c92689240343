#include "util/iteration_meter.h"

#include <gtest/gtest.h>

namespace zephyrin {
namespace {

TEST(IterationMeter, RateOverTheLastFourRefreshes) {
    IterationMeter meter;
    meter.Restart(10.0);
    EXPECT_EQ(meter.PerSecond(), 0);
    meter.Take(10'000'000, 10.5);
    EXPECT_DOUBLE_EQ(meter.PerSecond(), 20e6);  // since the start
    meter.Take(20'000'000, 11.0);
    meter.Take(30'000'000, 11.5);
    meter.Take(70'000'000, 12.0);
    EXPECT_DOUBLE_EQ(meter.PerSecond(), 70e6 / 2.0);
    meter.Take(80'000'000, 12.5);  // the start drops out
    EXPECT_DOUBLE_EQ(meter.PerSecond(), 70e6 / 2.0);
    meter.Take(80'000'000, 13.0);
    meter.Take(80'000'000, 13.5);
    meter.Take(80'000'000, 14.0);
    meter.Take(80'000'000, 14.5);  // a drawing that has stood still for two seconds
    EXPECT_EQ(meter.PerSecond(), 0);
    EXPECT_EQ(meter.Iterations(), 80'000'000u);
}

// 5e9 iterations pass the 32-bit count's wrap twice over.
TEST(IterationMeter, CountsOnPastTheDrawingsOwnWrap) {
    IterationMeter meter;
    meter.Restart(0);
    meter.Take(2'000'000'000, 1);
    meter.Take(-294'967'296, 2);  // 4e9 - 2^32
    meter.Take(705'032'704, 3);   // 5e9 - 2^32
    EXPECT_EQ(meter.Iterations(), 5'000'000'000u);
    EXPECT_DOUBLE_EQ(meter.PerSecond(), 5e9 / 3);
    meter.Restart(4);
    EXPECT_EQ(meter.Iterations(), 0u);
}

}  // namespace
}  // namespace zephyrin
