#include "util/drawing_memory.h"

#include <gtest/gtest.h>

namespace zephyrin {
namespace {

TEST(DrawingMemory, CountsThePictureAndTheSquareOfCounters) {
    // 400 x 300: 120000 pixels and a 400 x 400 square of counters.
    EXPECT_EQ(DrawingBytes(400, 300), 4u * (120000u + 160000u));
    EXPECT_EQ(DrawingBytes(300, 400), DrawingBytes(400, 300));
    EXPECT_EQ(DrawingBytes(-5, 10), 4u * 100u);
}

TEST(DrawingMemory, RefusesEmptyNegativeAndHugeSizes) {
    EXPECT_TRUE(DrawingFitsInMemory(1, 1));
    EXPECT_TRUE(DrawingFitsInMemory(1024, 758));
    EXPECT_FALSE(DrawingFitsInMemory(0, 300));
    EXPECT_FALSE(DrawingFitsInMemory(400, -1));
    EXPECT_FALSE(DrawingFitsInMemory(100000, 100000));  // 80 GB of counters
    EXPECT_FALSE(DrawingFitsInMemory(2147483647, 1));
}

}  // namespace
}  // namespace zephyrin
