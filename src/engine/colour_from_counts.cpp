#include "engine/colour_from_counts.h"

#include <algorithm>

#include "engine/engine.h"
#include "engine/plot_colour.h"

namespace zephyrin {

Picture ColourFromCounts(std::span<const std::int32_t> counts, std::int32_t listSide, const TFractalRec& v) {
    Picture picture(v.width, v.height);
    const std::uint32_t background = v.white ? Picture::Pack(255, 255, 255) : 0;
    const std::int32_t width = std::min(v.width, listSide);
    const std::int32_t height = std::min(v.height, listSide);
    for (std::int32_t row = 0; row < v.height; ++row)
        for (std::int32_t column = 0; column < v.width; ++column) {
            std::uint32_t colour = background;
            if (column < width && row < height) {
                const std::int32_t count = counts[static_cast<std::size_t>(column) * listSide + row];
                if (count != kUntouchedCount) colour = ColourOfCount(count, v, kFalse, 0);
            }
            picture.SetPixel(column, row, colour);
        }
    return picture;
}

Picture ColourFromCountsByRow(std::span<const std::int32_t> counts, const TFractalRec& v) {
    Picture picture(v.width, v.height);
    const std::uint32_t background = v.white ? Picture::Pack(255, 255, 255) : 0;
    const bool whole = counts.size() >= static_cast<std::size_t>(picture.Width()) * picture.Height();
    std::size_t i = 0;
    for (std::int32_t row = 0; row < picture.Height(); ++row)
        for (std::int32_t column = 0; column < picture.Width(); ++column, ++i) {
            const std::int32_t count = whole ? counts[i] : kUntouchedCount;
            picture.SetPixel(column, row,
                             count != kUntouchedCount ? ColourOfCount(count, v, kFalse, 0) : background);
        }
    return picture;
}

}  // namespace zephyrin
