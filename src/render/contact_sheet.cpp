#include "render/contact_sheet.h"

#include <algorithm>

#include "render/digit_font.h"

namespace zephyrin {

namespace {

constexpr std::uint32_t kSheetColour = Picture::Pack(48, 48, 48);
constexpr std::uint32_t kLabelColour = Picture::Pack(255, 255, 255);
constexpr std::uint32_t kLabelBox = Picture::Pack(0, 0, 0);

// At most width x height of the tile, so that a larger one keeps to its place.
void Place(Picture& sheet, const Picture& tile, int left, int top, int width, int height) {
    for (int row = 0; row < std::min(tile.Height(), height); ++row)
        for (int column = 0; column < std::min(tile.Width(), width); ++column)
            sheet.SetPixel(left + column, top + row, tile.Pixel(column, row));
}

void Label(Picture& sheet, int number, int left, int top) {
    const int width = NumberWidth(number, kLabelScale) + 2 * kLabelMargin;
    const int height = kDigitRows * kLabelScale + 2 * kLabelMargin;
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) sheet.SetPixel(left + column, top + row, kLabelBox);
    DrawNumber(sheet, left + kLabelMargin, top + kLabelMargin, number, kLabelScale, kLabelColour);
}

}  // namespace

Picture ContactSheet(std::span<const Picture> tiles, int columns) {
    if (tiles.empty()) return {};
    columns = std::clamp(columns, 1, static_cast<int>(tiles.size()));
    const int rows = (static_cast<int>(tiles.size()) + columns - 1) / columns;
    const int tileWidth = tiles.front().Width(), tileHeight = tiles.front().Height();
    Picture sheet(columns * (tileWidth + kSheetGap) + kSheetGap, rows * (tileHeight + kSheetGap) + kSheetGap);
    sheet.Fill(kSheetColour);
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const int left = kSheetGap + static_cast<int>(i) % columns * (tileWidth + kSheetGap);
        const int top = kSheetGap + static_cast<int>(i) / columns * (tileHeight + kSheetGap);
        Place(sheet, tiles[i], left, top, tileWidth, tileHeight);
        Label(sheet, static_cast<int>(i) + 1, left, top);
    }
    return sheet;
}

}  // namespace zephyrin
