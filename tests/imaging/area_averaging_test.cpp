#include "imaging/area_averaging.h"

#include <gtest/gtest.h>

#include "filled_picture.h"

namespace zephyrin {
namespace {

using testing::Filled;

TEST(AreaAveraging, BlockValueIsTheMeanOfTruncatedRowMeans) {
    Picture source(2, 2);
    // Red 1, 0 over 2, 1: row means 0 and 1, their mean 0 (4 div 4 would be 1).
    // Green 255 throughout stays 255; blue 7, 0 over 0, 0: 3 then 1.
    source.SetPixel(0, 0, Picture::Pack(1, 255, 7));
    source.SetPixel(1, 0, Picture::Pack(0, 255, 0));
    source.SetPixel(0, 1, Picture::Pack(2, 255, 0));
    source.SetPixel(1, 1, Picture::Pack(1, 255, 0));
    const Picture reduced = ReduceByAreaAveraging(source, 2);
    ASSERT_EQ(reduced.Width(), 1);
    ASSERT_EQ(reduced.Height(), 1);
    EXPECT_EQ(reduced.Pixel(0, 0), Picture::Pack(0, 255, 1));
}

TEST(AreaAveraging, HalvesEightHundredBySixHundredBlockByBlock) {
    Picture source(800, 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            source.SetPixel(x, y, Picture::Pack(x % 256, y % 256, (x * 7 + y * 13) % 256));
    const Picture reduced = ReduceByAreaAveraging(source, 2);
    ASSERT_EQ(reduced.Width(), 400);
    ASSERT_EQ(reduced.Height(), 300);
    const auto block = [&](int x, int y, int (*channel)(std::uint32_t)) {
        const int top = (channel(source.Pixel(2 * x, 2 * y)) + channel(source.Pixel(2 * x + 1, 2 * y))) / 2;
        const int bottom =
            (channel(source.Pixel(2 * x, 2 * y + 1)) + channel(source.Pixel(2 * x + 1, 2 * y + 1))) / 2;
        return (top + bottom) / 2;
    };
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            ASSERT_EQ(reduced.Pixel(x, y),
                      Picture::Pack(block(x, y, Picture::Red), block(x, y, Picture::Green),
                                    block(x, y, Picture::Blue)))
                << x << "," << y;
}

TEST(AreaAveraging, SplitsColumnsThatStraddleABoundaryByWeight) {
    // 641 -> 320: every destination column covers 641/320 source columns.
    const Picture white = ReduceByAreaAveraging(Filled(641, 480, 0xFFFFFF), 2);
    ASSERT_EQ(white.Width(), 320);
    ASSERT_EQ(white.Height(), 240);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            ASSERT_EQ(white.Pixel(x, y), 0xFFFFFFu) << "weights short of 641 at " << x;

    // The last destination column takes 638 with weight 1, 639 and 640 with 320.
    Picture lastColumn(641, 480);
    for (int y = 0; y < 480; ++y) lastColumn.SetPixel(640, y, Picture::Pack(255, 0, 0));
    const Picture fromLast = ReduceByAreaAveraging(lastColumn, 2);
    EXPECT_EQ(fromLast.Pixel(319, 0), Picture::Pack(255 * 320 / 641, 0, 0));  // 127
    EXPECT_EQ(fromLast.Pixel(318, 239), 0u);

    // Column 638 gives 319 of its width to column 318 and 1 to column 319;
    // columns 639 and 640 at 1 show that last share: (255 + 320 + 320) div 641.
    Picture split(641, 480);
    for (int y = 0; y < 480; ++y) {
        split.SetPixel(638, y, Picture::Pack(0, 255, 0));
        split.SetPixel(639, y, Picture::Pack(0, 1, 0));
        split.SetPixel(640, y, Picture::Pack(0, 1, 0));
    }
    const Picture fromSplit = ReduceByAreaAveraging(split, 2);
    EXPECT_EQ(fromSplit.Pixel(318, 5), Picture::Pack(0, 255 * 319 / 641, 0));  // 126
    EXPECT_EQ(fromSplit.Pixel(319, 5), Picture::Pack(0, 1, 0));
}

TEST(AreaAveraging, DropsTheRemainderOfTheSize) {
    const Picture reduced = ReduceByAreaAveraging(Filled(401, 301, Picture::Pack(10, 20, 30)), 3);
    EXPECT_EQ(reduced.Width(), 133);
    EXPECT_EQ(reduced.Height(), 100);
    EXPECT_EQ(reduced.Pixel(0, 0), Picture::Pack(10, 20, 30));
    EXPECT_EQ(reduced.Pixel(132, 99), Picture::Pack(10, 20, 30));
}

TEST(AreaAveraging, TwiceByTwoHasTheSizeOfOnceByFour) {
    const Picture source(800, 600);
    const Picture twice = ReduceByAreaAveraging(ReduceByAreaAveraging(source, 2), 2);
    const Picture once = ReduceByAreaAveraging(source, 4);
    EXPECT_EQ(twice.Width(), 200);
    EXPECT_EQ(twice.Height(), 150);
    EXPECT_EQ(once.Width(), 200);
    EXPECT_EQ(once.Height(), 150);
}

TEST(AreaAveraging, SourceSmallerThanTheFactorGivesAnEmptyPicture) {
    EXPECT_TRUE(ReduceByAreaAveraging(Picture(1, 1), 2).Empty());
    EXPECT_TRUE(ReduceByAreaAveraging(Picture(100, 3), 4).Empty());
    EXPECT_TRUE(ReduceByAreaAveraging(Picture(), 2).Empty());
}

}  // namespace
}  // namespace zephyrin
