// The tone map on hand-made count grids. Hits are powers of two, so the
// median and the reference fall on bin edges and are exactly the hits.
#include "engine/colouring/density_colour.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/core/count_grid.h"

namespace zephyrin {
namespace {

constexpr std::int32_t kSide = 4;

// Counts untouched but for the given rises.
struct Grid {
    explicit Grid(std::int32_t width = kSide, std::int32_t height = kSide) : counts(width, height) {}
    Grid& Rise(int px, int py, std::int32_t hits) {
        counts.At(px, py) = kUntouchedCount + hits;
        return *this;
    }
    CountGrid counts;
};

// Four lit pixels along the top row with hits 1, 2, 4 and 8: the median m is 2
// and the reference R is 8, so L = ln(1 + H / 2) / ln 5: 0.25193, 0.43068,
// 0.68261 and 1. Below them one pixel fell under the start count (no hits)
// and the rest were never hit.
Grid TopRow(std::int32_t width = 4, std::int32_t height = 2) {
    Grid grid(width, height);
    grid.Rise(0, 0, 1).Rise(1, 0, 2).Rise(2, 0, 4).Rise(3, 0, 8).Rise(0, 1, -10);
    return grid;
}

DensitySettings Linear() {
    DensitySettings settings;
    settings.mode = ColouringMode::kDensity;
    settings.gamma = 1;
    return settings;
}

void ExpectGreys(const Picture16& picture, int row, std::vector<int> greys) {
    ASSERT_EQ(picture.Width(), static_cast<int>(greys.size()));
    for (int x = 0; x < picture.Width(); ++x)
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(picture.Sample(x, row, c), greys[x], 1) << x << ", " << row;
}

TEST(DensityColour, LogarithmicLevelsThenBrightnessGammaAndWhite) {
    const Grid grid = TopRow();
    const DensityCounts counts{grid.counts, 1};
    const Gradient grey;

    const Picture16 linear = DensityColour(counts, Linear(), grey, false);
    ASSERT_EQ(linear.Height(), 2);
    ExpectGreys(linear, 0, {16510, 28224, 44735, 65535});  // 65535 L
    ExpectGreys(linear, 1, {0, 0, 0, 0});

    DensitySettings brighter = Linear();
    brighter.brightness = 2;
    brighter.gamma = 2;
    // sqrt(min(1, 2 L))
    ExpectGreys(DensityColour(counts, brighter, grey, false), 0, {46519, 60822, 65535, 65535});

    Picture16 white = linear;
    const std::uint16_t* memory = white.Row(0);
    DensityColour(counts, Linear(), grey, true, white);
    EXPECT_EQ(white.Row(0), memory) << "the picture's memory used again";
    ExpectGreys(white, 0, {65535 - 16510, 65535 - 28224, 65535 - 44735, 0});
    ExpectGreys(white, 1, {65535, 65535, 65535, 65535});
}

TEST(DensityColour, VibrancyGreysTheBrightestColourMost) {
    Grid grid(4, 1);
    grid.Rise(0, 0, 1).Rise(1, 0, 2).Rise(2, 0, 4).Rise(3, 0, 8);
    const DensityCounts counts{grid.counts, 1};
    const Gradient red("red", [](double t) { return GradientColour{static_cast<float>(t), 0, 0}; });
    DensitySettings settings = Linear();
    settings.vibrancy = 0;
    // At t = 1 the colour becomes its grey, 0.299.
    EXPECT_NEAR(DensityColour(counts, settings, red, false).Sample(3, 0, 1), 19595, 1);

    settings.vibrancy = 0.5;
    const Picture16 half = DensityColour(counts, settings, red, false);
    // c + 0.5 t (0.299 c - c): at t = 1, red 0.6495 and green 0.1495; at t = 0.43068,
    // red 0.36567.
    EXPECT_NEAR(half.Sample(3, 0, 0), 42565, 1);
    EXPECT_NEAR(half.Sample(3, 0, 1), 9797, 1);
    EXPECT_NEAR(half.Sample(1, 0, 0), 23964, 1);
}

// Supersampled, the hits of a block are added before the tone map: one pixel
// with 8 hits among three unlit ones is as bright as 8 hits alone, not a
// quarter of it, as averaging colours afterwards would give.
TEST(DensityColour, BlocksAddTheirHitsBeforeTheToneMap) {
    Grid grid;
    grid.Rise(1, 1, 1);                                            // block (0, 0): 1
    grid.Rise(2, 0, 1).Rise(3, 1, 1);                              // block (1, 0): 2
    grid.Rise(0, 2, 1).Rise(1, 2, 1).Rise(0, 3, 1).Rise(1, 3, 1);  // block (0, 1): 4
    grid.Rise(3, 3, 8);                                            // block (1, 1): 8
    const Picture16 picture = DensityColour({grid.counts, 2}, Linear(), Gradient(), false);
    ASSERT_EQ(picture.Width(), 2);
    ExpectGreys(picture, 0, {16510, 28224});
    ExpectGreys(picture, 1, {44735, 65535});
}

// With the largest count as the reference, the thousand pixels beside one
// hot pixel would be at ln 2 / ln(1 + 2^19) = 3.6 % of full scale.
TEST(DensityColour, AFewHotPixelsDoNotDarkenThePicture) {
    constexpr std::int32_t side = 32;
    CountGrid counts(side, side);
    for (int i = 0; i < 1000; ++i) counts.Counts()[static_cast<std::size_t>(i)] = kUntouchedCount + 2;
    counts.Counts()[1000] = kUntouchedCount + (1 << 20);
    const Picture16 picture = DensityColour({counts, 1}, Linear(), Gradient(), false);
    for (int i = 0; i <= 1000; ++i) ASSERT_EQ(picture.Sample(i % side, i / side, 0), 65535) << i;
    EXPECT_EQ(picture.Sample(side - 1, side - 1, 0), 0);
}

// The top row's own references are m = 2 and R = 8. Given m = 4 and R = 12
// instead, L = ln(1 + H / 4) / ln 4: 0.16096, 0.29248, 0.5, 0.79248; a
// picture with nothing lit has none.
TEST(DensityColour, GivenReferencesReplaceThePicturesOwn) {
    const Grid grid = TopRow();
    const DensityCounts counts{grid.counts, 1};
    EXPECT_EQ(MeasureToneReferences(counts), (ToneReferences{2, 8}));
    EXPECT_EQ(MeasureToneReferences({Grid().counts, 1}), std::nullopt);

    Picture16 given;
    DensityColour(counts, Linear(), Gradient(), false, given, ToneReferences{4, 12});
    ExpectGreys(given, 0, {10549, 19168, 32768, 51935});
    Picture16 unusable;
    DensityColour(counts, Linear(), Gradient(), false, unusable, ToneReferences{0, 8});
    ExpectGreys(unusable, 0, {16510, 28224, 44735, 65535});
}

// The 8-bit picture coloured straight from the counts is the dithered
// 16-bit one, pixel for pixel.
TEST(DensityColour, EightBitsAreTheDitheredSixteen) {
    const Grid square = TopRow(kSide, kSide);
    const Grid wide = TopRow(kSide + 3, kSide);
    for (const DensityCounts counts : {DensityCounts{square.counts, 1}, DensityCounts{wide.counts, 1}}) {
        Picture eight;
        DensityColour(counts, DensitySettings(), FindGradient("sunset").value(), true, eight);
        EXPECT_TRUE(eight == ToPicture(DensityColour(counts, DensitySettings(),
                                                     FindGradient("sunset").value(), true)));
    }
}

// The level before brightness, gamma and gradient: L itself, 0 where
// nothing was hit, and above 1 for the densest 0.2 %. Among 500 lit pixels,
// 499 with H = 2 set both m and R to 2, so the one with H = 8 has
// L = ln(1 + 4) / ln 2 = 2.32193.
TEST(DensityColour, LevelsAreTheToneMapBeforeTheGradient) {
    const std::vector<float> top = DensityLevels({TopRow().counts, 1});
    const std::vector<float> expected = {0.25193f, 0.43068f, 0.68261f, 1, 0, 0, 0, 0};
    ASSERT_EQ(top.size(), expected.size());
    for (std::size_t i = 0; i < top.size(); ++i) EXPECT_NEAR(top[i], expected[i], 1e-5) << i;

    Grid many(50, 20);
    for (int i = 0; i < 1000; i += 2) many.Rise(i % 50, i / 50, i == 998 ? 8 : 2);
    const std::vector<float> levels = DensityLevels({many.counts, 1});
    ASSERT_EQ(levels.size(), 1000u);
    EXPECT_FLOAT_EQ(levels[0], 1);
    EXPECT_FLOAT_EQ(levels[1], 0);
    EXPECT_NEAR(levels[998], 2.32193f, 1e-5);
}

}  // namespace
}  // namespace zephyrin
