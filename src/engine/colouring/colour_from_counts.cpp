#include "engine/colouring/colour_from_counts.h"

#include <algorithm>

#include "engine/core/plot_colour.h"
#include "util/parallel_rows.h"

namespace zephyrin {

void ColourRowFromCounts(const CountGrid& counts, const TFractalRec& v, std::int32_t row,
                         std::uint32_t* words) {
    const std::uint32_t background = v.white ? Picture::Pack(255, 255, 255) : 0;
    const std::int32_t columns = std::min(v.width, counts.Width());
    const bool counted = row < counts.Height();
    for (std::int32_t column = 0; column < v.width; ++column) {
        const std::int32_t count = counted && column < columns ? counts.At(column, row) : kUntouchedCount;
        words[column] =
            Picture::ToWord(count != kUntouchedCount ? ColourOfCount(count, v, kFalse, 0) : background);
    }
}

Picture ColourFromCounts(const CountGrid& counts, const TFractalRec& v, ThreadPool* pool) {
    Picture picture(v.width, v.height);
    const auto width = static_cast<std::size_t>(picture.Width());
    ForRowsInParallel(pool, picture.Height(), [&](int first, int end, int) {
        for (std::int32_t row = first; row < end; ++row)
            ColourRowFromCounts(counts, v, row, picture.Words() + static_cast<std::size_t>(row) * width);
    });
    return picture;
}

}  // namespace zephyrin
