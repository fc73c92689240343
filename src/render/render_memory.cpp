#include "render/render_memory.h"

#include <algorithm>
#include <cmath>

#include "engine/batch/hit_bins.h"
#include "util/drawing_memory.h"

namespace zephyrin {

bool RenderFitsInMemory(std::int64_t width, std::int64_t height, std::int32_t threads, std::int32_t grids) {
    if (!DrawingFitsInMemory(width, height)) return false;
    // Only the drawing check knows the machine's memory: ask it about a
    // square drawing (8 bytes a pixel) as large as the picture, the counts
    // beyond the first and all the threads' bins together.
    const double side = static_cast<double>(std::max(width, height));
    const double bins = static_cast<double>(
        HitBins::BytesFor(BandLayout(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height))));
    const double bytes = static_cast<double>(DrawingBytes(width, height)) +
                         4.0 * side * side * std::max(grids - 1, 0) + bins * std::max(threads, 1);
    const auto square = static_cast<std::int64_t>(std::ceil(std::sqrt(bytes / 8)));
    return DrawingFitsInMemory(square, square);
}

}  // namespace zephyrin
