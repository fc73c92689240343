#include "engine/colouring/colour_from_counts.h"

#include <algorithm>

#include "engine/core/plot_colour.h"

namespace zephyrin {

Picture ColourFromCounts(const CountGrid& counts, const TFractalRec& v) {
    Picture picture(v.width, v.height);
    const std::uint32_t background = v.white ? Picture::Pack(255, 255, 255) : 0;
    const std::int32_t columns = std::min(picture.Width(), counts.Width());
    const std::int32_t rows = std::min(picture.Height(), counts.Height());
    for (std::int32_t row = 0; row < picture.Height(); ++row)
        for (std::int32_t column = 0; column < picture.Width(); ++column) {
            const std::int32_t count =
                column < columns && row < rows ? counts.At(column, row) : kUntouchedCount;
            picture.SetPixel(column, row,
                             count != kUntouchedCount ? ColourOfCount(count, v, kFalse, 0) : background);
        }
    return picture;
}

}  // namespace zephyrin
