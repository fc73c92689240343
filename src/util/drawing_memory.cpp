#include "util/drawing_memory.h"

#include <unistd.h>

#include <algorithm>

namespace zephyrin {

namespace {

std::uint64_t PhysicalMemory() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0) return std::uint64_t{1} << 32;  // unknown: assume 4 GiB
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

}  // namespace

std::uint64_t DrawingBytes(std::int64_t width, std::int64_t height) {
    const auto w = static_cast<std::uint64_t>(std::max<std::int64_t>(width, 0));
    const auto h = static_cast<std::uint64_t>(std::max<std::int64_t>(height, 0));
    const std::uint64_t side = std::max(w, h);
    return 4 * (w * h + side * side);
}

bool DrawingFitsInMemory(std::int64_t width, std::int64_t height) {
    if (width < 1 || height < 1 || width > kMaxDrawingSide || height > kMaxDrawingSide) return false;
    return DrawingBytes(width, height) <= PhysicalMemory() / 2;
}

}  // namespace zephyrin
