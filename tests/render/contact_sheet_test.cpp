// The contact sheet's layout and its numbered labels.
#include "render/contact_sheet.h"

#include <gtest/gtest.h>

#include <vector>

#include "render/digit_font.h"

namespace zephyrin {
namespace {

TEST(ContactSheet, TilesInRowsNumberedFromOne) {
    std::vector<Picture> tiles(3, Picture(40, 30));
    for (std::size_t i = 0; i < tiles.size(); ++i)
        tiles[i].Fill(Picture::Pack(0, 0, 100 * static_cast<int>(i) + 50));
    const Picture sheet = ContactSheet(tiles, 2);
    // Two columns and two rows, with the gap between and around them.
    EXPECT_EQ(sheet.Width(), 2 * 40 + 3 * kSheetGap);
    EXPECT_EQ(sheet.Height(), 2 * 30 + 3 * kSheetGap);
    // Each tile's bottom right corner, beyond its label.
    EXPECT_EQ(sheet.Pixel(kSheetGap + 39, kSheetGap + 29), Picture::Pack(0, 0, 50));
    EXPECT_EQ(sheet.Pixel(2 * kSheetGap + 40 + 39, kSheetGap + 29), Picture::Pack(0, 0, 150));
    EXPECT_EQ(sheet.Pixel(kSheetGap + 39, 2 * kSheetGap + 30 + 29), Picture::Pack(0, 0, 250));
    // The fourth place is empty sheet.
    const std::uint32_t empty = sheet.Pixel(2 * kSheetGap + 40 + 20, 2 * kSheetGap + 30 + 15);
    EXPECT_EQ(empty, sheet.Pixel(0, 0));

    // Tile 3's label: the digit 3 in white cells on a black box; its middle
    // row is lit across, the left cell of its second row is not.
    const int left = kSheetGap + kLabelMargin, top = 2 * kSheetGap + 30 + kLabelMargin;
    const std::uint32_t white = Picture::Pack(255, 255, 255);
    for (int cell = 0; cell < kDigitColumns; ++cell)
        EXPECT_EQ(sheet.Pixel(left + cell * kLabelScale, top + 2 * kLabelScale), white);
    EXPECT_EQ(sheet.Pixel(left, top + kLabelScale), Picture::Pack(0, 0, 0));
    EXPECT_EQ(sheet.Pixel(left + 2 * kLabelScale, top + kLabelScale), white);
}

TEST(DigitFont, NumbersAreDigitsWithAGapBetween) {
    EXPECT_EQ(NumberWidth(7, 1), 3);
    EXPECT_EQ(NumberWidth(16, 2), 14);
    Picture picture(7, 5);
    DrawNumber(picture, 0, 0, 10, 1, 1);
    // "1" then a gap then "0": the one's stem, the empty column, the zero's hole.
    EXPECT_EQ(picture.Pixel(1, 0), 1u);
    EXPECT_EQ(picture.Pixel(0, 0), 0u);
    EXPECT_EQ(picture.Pixel(3, 2), 0u);
    EXPECT_EQ(picture.Pixel(4, 2), 1u);
    EXPECT_EQ(picture.Pixel(5, 2), 0u);
    EXPECT_EQ(picture.Pixel(6, 2), 1u);
}

}  // namespace
}  // namespace zephyrin
