#include "imaging/picture16.h"

#include <gtest/gtest.h>

namespace zephyrin {
namespace {

// An 8 x 8 tile holds each of the 64 dither thresholds once, so its mean
// keeps the 16-bit value to half a threshold step (1/128 of a level): for
// 100.498 levels, exactly 32 of the 64 pixels round up.
TEST(ToPicture, ExactLevelsStayAndATileKeepsTheValueBetweenLevels) {
    for (const std::uint16_t sample :
         {std::uint16_t{100 * 257 + 128}, std::uint16_t{1000}, std::uint16_t{40000}}) {
        Picture16 wide(8, 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) wide.SetPixel(x, y, sample, 37 * 257, x < 4 ? 0 : Picture16::kFull);
        const Picture narrow = ToPicture(wide);
        const double wanted = sample * 255.0 / 65535;
        double sum = 0;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const std::uint32_t colour = narrow.Pixel(x, y);
                ASSERT_LE(std::abs(Picture::Red(colour) - wanted), 1) << sample;
                sum += Picture::Red(colour);
                EXPECT_EQ(Picture::Green(colour), 37) << "an exact level";
                EXPECT_EQ(Picture::Blue(colour), x < 4 ? 0 : 255);
            }
        EXPECT_NEAR(sum / 64, wanted, 1.0 / 128) << sample;
    }
}

TEST(ToPicture, ReusesAPictureOfTheSizeAndWidenGoesBackExactly) {
    Picture classic(3, 1);
    classic.SetPixel(0, 0, Picture::Pack(0, 100, 255));
    classic.SetPixel(2, 0, Picture::Pack(1, 2, 254));
    const Picture16 wide = Widen(classic);
    EXPECT_EQ(wide.Sample(0, 0, 1), 25700);
    EXPECT_EQ(wide.Sample(0, 0, 2), 65535);

    Picture screen(3, 1);
    const std::uint32_t* memory = screen.Words();
    ToPicture(wide, screen);
    EXPECT_EQ(screen.Words(), memory);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(screen.Pixel(x, 0), classic.Pixel(x, 0));
}

}  // namespace
}  // namespace zephyrin
