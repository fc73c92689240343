#include "imaging/colour_conversion.h"

#include <algorithm>
#include <cstddef>

namespace zephyrin {

std::vector<std::uint8_t> ToGrayLevels(const Picture& picture) {
    const std::size_t count = static_cast<std::size_t>(picture.Width()) * picture.Height();
    std::vector<std::uint8_t> levels(count);
    const std::uint32_t* words = picture.Words();
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t colour = Picture::FromWord(words[i]);
        const int luminance =
            (299 * Picture::Red(colour) + 587 * Picture::Green(colour) + 114 * Picture::Blue(colour) + 500) /
            1000;
        levels[i] = static_cast<std::uint8_t>(luminance);
    }
    return levels;
}

std::vector<std::uint8_t> ToBlackAndWhite(const Picture& picture) {
    // Floyd-Steinberg: 7/16 of a pixel's error to the right, 3/16, 5/16 and
    // 1/16 to the lower left, below and lower right.
    std::vector<std::uint8_t> levels = ToGrayLevels(picture);
    const std::size_t width = static_cast<std::size_t>(picture.Width());
    // Errors carried into the current and the next row, with a spare column
    // on either side so the edges need no extra test. Fractions are kept:
    // truncating them would darken faint areas further.
    std::vector<float> current(width + 2, 0.0f);
    std::vector<float> next(width + 2, 0.0f);
    for (int row = 0; row < picture.Height(); ++row) {
        std::uint8_t* line = levels.data() + static_cast<std::size_t>(row) * width;
        for (std::size_t x = 0; x < width; ++x) {
            const float wanted = static_cast<float>(line[x]) + current[x + 1];
            const std::uint8_t shown = wanted < 128.0f ? 0 : 255;
            const float error = (wanted - static_cast<float>(shown)) / 16.0f;
            line[x] = shown;
            current[x + 2] += 7.0f * error;
            next[x] += 3.0f * error;
            next[x + 1] += 5.0f * error;
            next[x + 2] += error;
        }
        current.swap(next);
        std::fill(next.begin(), next.end(), 0.0f);
    }
    return levels;
}

}  // namespace zephyrin
