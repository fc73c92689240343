// The one entry point that colours counts, in each mode.
#include "engine/colouring/colour_counts.h"

#include <gtest/gtest.h>

#include "engine/core/count_grid.h"

namespace zephyrin {
namespace {

// A 4 x 4 record whose counts are untouched but for a diagonal of rises.
struct Counts {
    Counts() : grid(4, 4) {
        v.width = v.listWidth = 4;
        v.height = v.listHeight = 4;
        for (int i = 0; i < 4; ++i) grid.At(i, i) = kUntouchedCount + (1 << i);
    }
    TFractalRec v;
    CountGrid grid;
};

// Shown and saved alike: the 8-bit density picture is the 16-bit one dithered
// down, block x block counts making one pixel of each.
TEST(ColourCounts, DensityShowsWhatItsSixteenBitsHold) {
    Counts c;
    DensitySettings settings;
    settings.mode = ColouringMode::kDensity;
    const Gradient gradient = *FindGradient("sunset");
    const CountsColouring colouring{settings, gradient};
    Picture shown;
    ColourCounts({c.grid, 2}, c.v, colouring, shown);
    const std::optional<Picture16> deep = ColourCounts16({c.grid, 2}, c.v, colouring);
    ASSERT_TRUE(deep.has_value());
    EXPECT_EQ(shown.Width(), 2);
    EXPECT_EQ(shown.Height(), 2);
    EXPECT_TRUE(shown == ToPicture(*deep));
}

// The classic colours have no more than 8 bits; untouched counts are the
// background, black or white, and stay so when reduced.
TEST(ColourCounts, ClassicBackgroundSurvivesTheReduction) {
    Counts c;
    c.grid = CountGrid(4, 4);
    const DensitySettings settings;
    const Gradient gradient;
    const CountsColouring colouring{settings, gradient};
    EXPECT_FALSE(ColourCounts16({c.grid, 1}, c.v, colouring).has_value());
    for (const Flag white : {kFalse, kTrue}) {
        c.v.white = white;
        Picture out(7, 7);
        ColourCounts({c.grid, 2}, c.v, colouring, out);
        ASSERT_EQ(out.Width(), 2);
        ASSERT_EQ(out.Height(), 2);
        const std::uint32_t background = white ? Picture::Pack(255, 255, 255) : 0;
        for (int row = 0; row < 2; ++row)
            for (int column = 0; column < 2; ++column) EXPECT_EQ(out.Pixel(column, row), background);
    }
}

}  // namespace
}  // namespace zephyrin
