#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/batch/banded_counts.h"

namespace zephyrin {

// One drawing thread's hits on their way to a shared grid: a bin per band,
// emptied into the grid whenever it fills, so that the thread takes a
// band's lock once per bin rather than once per hit, and the bin's
// additions all fall in one band that the cache holds.
class HitBins {
public:
    // Hits per bin: 8 KB of them.
    static constexpr std::size_t kCapacity = 1024;

    // Throws std::bad_alloc when the bins do not fit.
    explicit HitBins(BandedCounts& target);
    HitBins(const HitBins&) = delete;
    HitBins& operator=(const HitBins&) = delete;

    const BandLayout& Layout() const { return target_.Layout(); }

    void Append(std::size_t band, BinnedHit hit) {
        std::uint32_t& fill = fills_[band];
        hits_[band * kCapacity + fill] = hit;
        if (++fill == kCapacity) Empty(band);
    }
    // Every bin into the grid: all hits appended so far are counted there.
    void EmptyAll();

private:
    void Empty(std::size_t band);

    BandedCounts& target_;
    std::vector<BinnedHit> hits_;
    std::vector<std::uint32_t> fills_;
};

}  // namespace zephyrin
