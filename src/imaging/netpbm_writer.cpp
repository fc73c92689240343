#include <cstddef>
#include <string>

#include "imaging/colour_conversion.h"
#include "imaging/image_encoders.h"
#include "imaging/rgb_row.h"

namespace zephyrin {
namespace {

std::vector<std::uint8_t> Header(const char* magic, int width, int height, const char* maxValue) {
    std::string text =
        std::string(magic) + "\n" + std::to_string(width) + " " + std::to_string(height) + "\n";
    if (maxValue != nullptr) text += std::string(maxValue) + "\n";
    return {text.begin(), text.end()};
}

std::vector<std::uint8_t> Header(const char* magic, const Picture& picture, bool withMaxValue) {
    return Header(magic, picture.Width(), picture.Height(), withMaxValue ? "255" : nullptr);
}

// Samples above 255 take two bytes, the more significant first.
void AppendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t sample) {
    out.push_back(static_cast<std::uint8_t>(sample >> 8));
    out.push_back(static_cast<std::uint8_t>(sample));
}

}  // namespace

std::vector<std::uint8_t> EncodePbm(const Picture& picture) {
    const std::vector<std::uint8_t> levels = ToBlackAndWhite(picture);
    std::vector<std::uint8_t> out = Header("P4", picture, false);
    const std::size_t width = static_cast<std::size_t>(picture.Width());
    const std::size_t bytesPerRow = (width + 7) / 8;
    for (int row = 0; row < picture.Height(); ++row) {
        const std::uint8_t* line = levels.data() + static_cast<std::size_t>(row) * width;
        const std::size_t start = out.size();
        out.resize(start + bytesPerRow, 0);
        // A set bit is black, the leftmost pixel in the highest bit.
        for (std::size_t x = 0; x < width; ++x)
            if (line[x] == 0) out[start + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    return out;
}

std::vector<std::uint8_t> EncodePgm(const Picture& picture) {
    const std::vector<std::uint8_t> levels = ToGrayLevels(picture);
    std::vector<std::uint8_t> out = Header("P5", picture, true);
    out.insert(out.end(), levels.begin(), levels.end());
    return out;
}

std::vector<std::uint8_t> EncodePpm(const Picture& picture) {
    std::vector<std::uint8_t> out = Header("P6", picture, true);
    const std::size_t start = out.size();
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(picture.Width());
    out.resize(start + rowBytes * static_cast<std::size_t>(picture.Height()));
    for (int row = 0; row < picture.Height(); ++row)
        CopyRgbRow(picture, row, out.data() + start + static_cast<std::size_t>(row) * rowBytes);
    return out;
}

std::vector<std::uint8_t> EncodePgm16(const Picture16& picture) {
    std::vector<std::uint8_t> out = Header("P5", picture.Width(), picture.Height(), "65535");
    out.reserve(out.size() + 2 * static_cast<std::size_t>(picture.Width()) * picture.Height());
    for (int row = 0; row < picture.Height(); ++row) {
        const std::uint16_t* in = picture.Row(row);
        for (int column = 0; column < picture.Width(); ++column, in += 3)
            AppendBigEndian(out, (299u * in[0] + 587u * in[1] + 114u * in[2] + 500u) / 1000u);
    }
    return out;
}

std::vector<std::uint8_t> EncodePpm16(const Picture16& picture) {
    std::vector<std::uint8_t> out = Header("P6", picture.Width(), picture.Height(), "65535");
    out.reserve(out.size() + 6 * static_cast<std::size_t>(picture.Width()) * picture.Height());
    for (int row = 0; row < picture.Height(); ++row) {
        const std::uint16_t* in = picture.Row(row);
        for (int i = 0; i < 3 * picture.Width(); ++i) AppendBigEndian(out, in[i]);
    }
    return out;
}

}  // namespace zephyrin
