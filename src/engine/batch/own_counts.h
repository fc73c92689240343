#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "engine/batch/count_bounds.h"

namespace zephyrin {

// Counts that one batch alone adds its hits to, straight from the kernel,
// with no bins and no lock: for a drawing whose threads each keep a grid of
// their own. Width x height row by row; the counts are the caller's.
class OwnCounts {
public:
    OwnCounts(std::span<std::int32_t> cells, std::int32_t width, std::int32_t height)
        : cells_(cells), width_(width), height_(height), bounds_(cells.size()) {}

    std::span<std::int32_t> Cells() const { return cells_; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }

    // Before `hits` more hits within `increments`: whether they need no clamp.
    bool Admit(std::int64_t hits, IncrementBounds increments) {
        return bounds_.Admit(cells_, hits, increments);
    }

private:
    std::span<std::int32_t> cells_;
    std::int32_t width_, height_;
    CounterBounds bounds_;
};

}  // namespace zephyrin
