#include "engine/core/count_grid.h"

#include <algorithm>
#include <limits>

namespace zephyrin {

CountGrid::CountGrid(std::int32_t width, std::int32_t height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      counts_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), kUntouchedCount) {}

CountGrid CountGrid::FromHitList(std::span<const std::int32_t> hitList, std::int32_t listSide,
                                 std::int32_t width, std::int32_t height) {
    CountGrid grid(width, height);
    const auto side = static_cast<std::size_t>(std::max(listSide, 0));
    if (hitList.size() < side * side) return grid;
    const std::int32_t columns = std::min(grid.width_, listSide);
    const std::int32_t rows = std::min(grid.height_, listSide);
    for (std::int32_t row = 0; row < rows; ++row)
        for (std::int32_t column = 0; column < columns; ++column)
            grid.At(column, row) =
                hitList[static_cast<std::size_t>(column) * side + static_cast<std::size_t>(row)];
    return grid;
}

std::vector<std::int32_t> CountGrid::ToHitList(std::int32_t listSide) const {
    const auto side = static_cast<std::size_t>(std::max(listSide, 0));
    std::vector<std::int32_t> hitList(side * side, kUntouchedCount);
    const std::int32_t columns = std::min(width_, listSide);
    const std::int32_t rows = std::min(height_, listSide);
    for (std::int32_t column = 0; column < columns; ++column)
        for (std::int32_t row = 0; row < rows; ++row)
            hitList[static_cast<std::size_t>(column) * side + static_cast<std::size_t>(row)] =
                At(column, row);
    return hitList;
}

void CountGrid::Add(const CountGrid& other) {
    if (other.width_ != width_ || other.height_ != height_) return;
    constexpr std::int64_t kLow = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kHigh = std::numeric_limits<std::int32_t>::max();
    for (std::size_t i = 0; i < counts_.size(); ++i) {
        const std::int64_t sum = std::int64_t{counts_[i]} + other.counts_[i] - kUntouchedCount;
        counts_[i] = static_cast<std::int32_t>(std::clamp(sum, kLow, kHigh));
    }
}

void CountGrid::Clear() {
    std::fill(counts_.begin(), counts_.end(), kUntouchedCount);
}

std::int64_t CountGrid::TotalRise() const {
    std::int64_t rise = 0;
    for (const std::int32_t count : counts_) rise += std::int64_t{count} - kUntouchedCount;
    return rise;
}

}  // namespace zephyrin
