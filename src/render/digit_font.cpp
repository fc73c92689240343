#include "render/digit_font.h"

#include <array>
#include <string>

namespace zephyrin {

namespace {

// Row by row, the top row first; bit 2 is the left column.
constexpr std::array<std::array<std::uint8_t, kDigitRows>, 10> kGlyphs{{
    {0b111, 0b101, 0b101, 0b101, 0b111},
    {0b010, 0b110, 0b010, 0b010, 0b111},
    {0b111, 0b001, 0b111, 0b100, 0b111},
    {0b111, 0b001, 0b111, 0b001, 0b111},
    {0b101, 0b101, 0b111, 0b001, 0b001},
    {0b111, 0b100, 0b111, 0b001, 0b111},
    {0b111, 0b100, 0b111, 0b101, 0b111},
    {0b111, 0b001, 0b001, 0b001, 0b001},
    {0b111, 0b101, 0b111, 0b101, 0b111},
    {0b111, 0b101, 0b111, 0b001, 0b111},
}};

}  // namespace

int NumberWidth(int number, int scale) {
    const int digits = static_cast<int>(std::to_string(number).size());
    return (digits * (kDigitColumns + 1) - 1) * scale;
}

void DrawNumber(Picture& picture, int column, int row, int number, int scale, std::uint32_t colour) {
    const std::string digits = std::to_string(number);
    for (std::size_t d = 0; d < digits.size(); ++d) {
        const auto& glyph = kGlyphs[static_cast<std::size_t>(digits[d] - '0')];
        const int left = column + static_cast<int>(d) * (kDigitColumns + 1) * scale;
        for (int cellRow = 0; cellRow < kDigitRows; ++cellRow)
            for (int cellColumn = 0; cellColumn < kDigitColumns; ++cellColumn) {
                if (!(glyph[static_cast<std::size_t>(cellRow)] >> (kDigitColumns - 1 - cellColumn) & 1))
                    continue;
                for (int y = 0; y < scale; ++y)
                    for (int x = 0; x < scale; ++x)
                        picture.SetPixel(left + cellColumn * scale + x, row + cellRow * scale + y, colour);
            }
    }
}

}  // namespace zephyrin
