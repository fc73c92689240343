#include "imaging/colour_conversion.h"

#include <gtest/gtest.h>

#include "filled_picture.h"

#include <algorithm>

namespace zephyrin {
namespace {

using testing::Filled;

TEST(ColourConversion, GrayLevelIsTheRoundedLuminance) {
    Picture picture(5, 1);
    picture.SetPixel(0, 0, Picture::Pack(255, 0, 0));      // 76.245
    picture.SetPixel(1, 0, Picture::Pack(0, 255, 0));      // 149.685
    picture.SetPixel(2, 0, Picture::Pack(0, 0, 255));      // 29.07
    picture.SetPixel(3, 0, Picture::Pack(255, 255, 255));  // 255
    picture.SetPixel(4, 0, Picture::Pack(10, 20, 30));     // 18.15
    EXPECT_EQ(ToGrayLevels(picture), (std::vector<std::uint8_t>{76, 150, 29, 255, 18}));
}

TEST(ColourConversion, BlackAndWhiteKeepsFaintAreasVisible) {
    // Grey 20 is what a pixel hit once looks like; a plain threshold would
    // turn it black. Diffused, about 20 of every 255 pixels become white.
    const std::vector<std::uint8_t> faint = ToBlackAndWhite(Filled(100, 100, Picture::Pack(20, 20, 20)));
    ASSERT_EQ(faint.size(), 10000u);
    EXPECT_TRUE(std::ranges::all_of(faint, [](std::uint8_t level) { return level == 0 || level == 255; }));
    const auto white = std::ranges::count(faint, 255);
    EXPECT_NEAR(static_cast<double>(white), 10000.0 * 20 / 255, 40.0);

    const std::vector<std::uint8_t> black = ToBlackAndWhite(Filled(7, 3, 0));
    EXPECT_EQ(std::ranges::count(black, 0), 21);
    const std::vector<std::uint8_t> full = ToBlackAndWhite(Filled(7, 3, 0xFFFFFF));
    EXPECT_EQ(std::ranges::count(full, 255), 21);
}

}  // namespace
}  // namespace zephyrin
