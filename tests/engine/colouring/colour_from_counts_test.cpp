// The classic colouring of a drawing from its final counts.
#include "engine/colouring/colour_from_counts.h"

#include <gtest/gtest.h>

#include "engine/core/defaults.h"
#include "engine/core/engine.h"
#include "engine/core/view_coords.h"
#include "engine/test_host.h"

namespace zephyrin {
namespace {

// A 3 x 2 picture.
class ColourFromCountsTest : public ::testing::Test {
protected:
    ColourFromCountsTest() {
        v.width = v.listWidth = 3;
        v.height = v.listHeight = 2;
    }
    std::int32_t& Count(int column, int row) { return counts.At(column, row); }
    Picture Colour() { return ColourFromCounts(counts, v); }

    TFractalRec v;
    CountGrid counts{3, 2};
};

TEST_F(ColourFromCountsTest, CountedPixelsTakeTheirLevelsGreyUntouchedOnesTheBackground) {
    Count(0, 0) = 60;    // a first hit: grey 20
    Count(2, 1) = 300;   // level 300: (255 + 44) * 0.33 = 98.67
    Count(1, 0) = 5000;  // beyond the top level: grey 252
    const Picture black = Colour();
    ASSERT_EQ(black.Width(), 3);
    ASSERT_EQ(black.Height(), 2);
    EXPECT_EQ(black.Pixel(0, 0), Picture::Pack(20, 20, 20));
    EXPECT_EQ(black.Pixel(2, 1), Picture::Pack(99, 99, 99));
    EXPECT_EQ(black.Pixel(1, 0), Picture::Pack(252, 252, 252));
    EXPECT_EQ(black.Pixel(1, 1), 0u);

    v.white = kTrue;
    v.red = 200;
    v.blue = -30;
    const Picture white = Colour();
    // (20 + 200, 20, 20 - 30) clamped to (220, 20, 0), then inverted.
    EXPECT_EQ(white.Pixel(0, 0), Picture::Pack(35, 235, 255));
    EXPECT_EQ(white.Pixel(1, 1), Picture::Pack(255, 255, 255));
}

TEST(ColourFromCounts, GivesThePictureTheEnginePaintedFromTheSameCounts) {
    for (const bool filtered : {false, true}) {
        TFractalRec v = NewWindowRecord(60, 45);
        v.red = 40;
        v.green = -25;
        v.white = kTrue;
        v.sqrtFilter = ToFlag(filtered);
        FreezeView(v);
        testing::TestHost host(v);
        host.StopAfter(50'000);
        Engine engine(17);
        engine.RunEngine(v, host);
        const Picture coloured =
            ColourFromCounts(CountGrid::FromHitList(host.hitList, engine.ListSide(), v.width, v.height), v);
        int differing = 0;
        for (int row = 0; row < 45; ++row)
            for (int column = 0; column < 60; ++column)
                differing += coloured.Pixel(column, row) != host.Image().Pixel(column, row);
        EXPECT_EQ(differing, 0) << "filtered " << filtered;
    }
}

}  // namespace
}  // namespace zephyrin
