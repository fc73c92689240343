#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zephyrin {

// Every counter starts a drawing at this count, so an untouched pixel counts 50.
inline constexpr std::int32_t kUntouchedCount = 50;

// A drawing's hit counts, one per pixel of its whole (supersampled) size,
// width x height row by row, each starting at kUntouchedCount. What the
// colourings, the renderer and the windows' drawings on threads share; the
// classic drawing keeps the engine's own square hit list and turns it into
// one of these with FromHitList.
class CountGrid {
public:
    CountGrid() = default;
    // Every count untouched; throws std::bad_alloc when they do not fit.
    CountGrid(std::int32_t width, std::int32_t height);

    // The counts of the engine's hit list (listSide x listSide, column by
    // column); pixels beyond the list are untouched.
    static CountGrid FromHitList(std::span<const std::int32_t> hitList, std::int32_t listSide,
                                 std::int32_t width, std::int32_t height);

    // The engine's hit list of these counts (listSide x listSide, column by
    // column): what FromHitList takes back; counters beyond them untouched.
    // Throws std::bad_alloc when it does not fit.
    std::vector<std::int32_t> ToHitList(std::int32_t listSide) const;

    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    std::size_t Size() const { return counts_.size(); }
    bool Empty() const { return counts_.empty(); }

    std::int32_t At(std::int32_t column, std::int32_t row) const { return counts_[Index(column, row)]; }
    std::int32_t& At(std::int32_t column, std::int32_t row) { return counts_[Index(column, row)]; }
    std::span<const std::int32_t> Counts() const { return counts_; }
    std::span<std::int32_t> Counts() { return counts_; }
    // One row of counts.
    std::span<const std::int32_t> Row(std::int32_t row) const {
        return Counts().subspan(static_cast<std::size_t>(row) * Columns(), Columns());
    }

    // Adds the hits `other` counted (its rise above kUntouchedCount) to these,
    // counter by counter, kept within the int32 range as a single count is.
    // Grids of another size add nothing.
    void Add(const CountGrid& other);
    // Every count back to kUntouchedCount.
    void Clear();

    // A count's hits: its rise above kUntouchedCount, never below 0.
    static std::int64_t HitsOf(std::int32_t count) {
        return count > kUntouchedCount ? std::int64_t{count} - kUntouchedCount : 0;
    }
    // The sum of every pixel's rise above kUntouchedCount (falls count against it).
    std::int64_t TotalRise() const;

    bool operator==(const CountGrid&) const = default;

private:
    std::size_t Columns() const { return static_cast<std::size_t>(width_); }
    std::size_t Index(std::int32_t column, std::int32_t row) const {
        return static_cast<std::size_t>(row) * Columns() + static_cast<std::size_t>(column);
    }

    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::vector<std::int32_t> counts_;
};

}  // namespace zephyrin
