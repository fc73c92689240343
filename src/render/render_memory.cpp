#include "render/render_memory.h"

#include <algorithm>
#include <cmath>

#include "util/drawing_memory.h"

namespace zephyrin {

bool RenderFitsInMemory(std::int64_t width, std::int64_t height, std::int32_t threads) {
    if (!DrawingFitsInMemory(width, height)) return false;
    if (threads <= 1) return true;
    // Only the drawing check knows the machine's memory: ask it about a
    // square drawing (8 bytes a pixel) as large as the picture and all the
    // threads' counters together.
    const double side = static_cast<double>(std::max(width, height));
    const double bytes = static_cast<double>(DrawingBytes(width, height)) + 4.0 * side * side * (threads - 1);
    const auto square = static_cast<std::int64_t>(std::ceil(std::sqrt(bytes / 8)));
    return DrawingFitsInMemory(square, square);
}

}  // namespace zephyrin
