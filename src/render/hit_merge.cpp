#include "render/hit_merge.h"

#include <algorithm>
#include <limits>

#include "engine/plot_colour.h"

namespace zephyrin {

void AddHitCounts(std::vector<std::int32_t>& into, const std::vector<std::int32_t>& from) {
    constexpr std::int64_t kLow = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kHigh = std::numeric_limits<std::int32_t>::max();
    const std::size_t n = std::min(into.size(), from.size());
    for (std::size_t i = 0; i < n; ++i) {
        const std::int64_t sum = std::int64_t{into[i]} + from[i] - kUntouchedCount;
        into[i] = static_cast<std::int32_t>(std::clamp(sum, kLow, kHigh));
    }
}

Picture ColourFromCounts(const std::vector<std::int32_t>& counts, std::int32_t listSide,
                         const TFractalRec& v) {
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

}  // namespace zephyrin
