#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "engine/batch/count_bounds.h"

namespace zephyrin {

// How a width x height grid of counts is cut into bands of whole rows: a
// power of two of them per band, so that a row's band is a shift away, and
// a band small enough to stay in a core's second-level cache while hits are
// added to it. Very large pictures get taller bands, so that the bins each
// drawing thread keeps per band stay a few megabytes.
struct BandLayout {
    BandLayout() = default;
    BandLayout(std::int32_t width, std::int32_t height);

    std::int32_t width = 0, height = 0;
    int rowShift = 0;  // a band holds 1 << rowShift rows
    std::size_t bands = 0;

    std::size_t BandCells() const { return static_cast<std::size_t>(width) << rowShift; }
    std::int32_t FirstRow(std::size_t band) const { return static_cast<std::int32_t>(band << rowShift); }
    // The cells of `band`; the last band may be short.
    std::size_t CellsOf(std::size_t band) const;
};

// A hit waiting in a bin: its cell's offset in its band in the high 32
// bits, its increment as an int32 in the low ones (count_bounds.h).
using BinnedHit = std::uint64_t;

// One grid of counts that every drawing thread adds to, band by band: a
// thread adds a bin of hits to a band under that band's lock, and a reader
// copies a band under the same lock, so neither sees half an addition.
// Counters saturate at the int32 range; for increments that are never
// negative the result is min(sum, top) whatever the order the bins come in,
// so the same hits give the same counts however the threads interleave.
// The counts it works on are the caller's and must outlive it.
class BandedCounts {
public:
    BandedCounts(std::span<std::int32_t> counts, std::int32_t width, std::int32_t height);

    const BandLayout& Layout() const { return layout_; }

    // Adds `hits`, whose increments lie within `bounds`, to the cells of `band`.
    void Add(std::size_t band, std::span<const BinnedHit> hits, IncrementBounds bounds);
    // The counts as they are between additions, width x height row by row.
    void CopyTo(std::span<std::int32_t> into) const;

private:
    struct Band {
        explicit Band(std::size_t cells) : bounds(cells) {}
        mutable std::mutex lock;
        CounterBounds bounds;
    };

    BandLayout layout_;
    std::span<std::int32_t> counts_;
    std::vector<std::unique_ptr<Band>> bands_;
};

}  // namespace zephyrin
