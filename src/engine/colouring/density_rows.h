#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/colouring/density_colour.h"
#include "engine/core/count_grid.h"

namespace zephyrin {

class ThreadPool;

// Calls visit(column, H) for every pixel of row `row` of the picture reduced
// by `block`, a stretch of columns at a time.
template <typename Visit>
void ForEachBlockSumOfRow(const CountGrid& counts, int block, int row, int columns, Visit&& visit) {
    constexpr int kStretch = 256;
    std::array<std::int64_t, kStretch> sums;
    for (int first = 0; first < columns; first += kStretch) {
        const int n = std::min(kStretch, columns - first);
        std::fill_n(sums.begin(), n, 0);
        for (int dy = 0; dy < block; ++dy) {
            const std::int32_t* line =
                counts.Row(row * block + dy).data() + static_cast<std::size_t>(first) * block;
            if (block == 1) {
                for (int c = 0; c < n; ++c) sums[c] += CountGrid::HitsOf(line[c]);
            } else {
                for (int c = 0; c < n; ++c)
                    for (int dx = 0; dx < block; ++dx) sums[c] += CountGrid::HitsOf(line[c * block + dx]);
            }
        }
        for (int c = 0; c < n; ++c) visit(first + c, sums[c]);
    }
}

// The density colouring (DensityColour) one row at a time, for writers that
// take the rows as they come and threads that colour rows side by side:
// the tone references and the palette are taken once, on construction;
// the rows may then be asked for in any order, from any thread.
class DensityRows {
public:
    // `pool`, if any, shares out the measuring of the tone references.
    DensityRows(const DensityCounts& counts, const DensitySettings& settings, const Gradient& gradient,
                bool white, const std::optional<ToneReferences>& tone, ThreadPool* pool = nullptr);

    int Width() const { return columns_; }
    int Height() const { return rows_; }
    // The row's r, g, b samples, 3 * Width() of them.
    void Row16(int row, std::uint16_t* rgb) const;
    // The row's 0xFFRRGGBB words as ToPicture of the 16-bit row dithers them.
    void Row8(int row, std::uint32_t* words) const;

private:
    template <typename Store>
    void ColourRow(int row, Store&& store) const;

    const CountGrid& grid_;
    int block_, columns_, rows_;
    std::uint16_t background_;
    float perMedian_, scale_;
    std::vector<float> palette_;
};

}  // namespace zephyrin
