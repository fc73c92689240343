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
    // What one thread's bins for a grid of this layout take.
    static std::size_t BytesFor(const BandLayout& layout);

    // The hits to come have the increments of `intensity` (AddHit's, rounded).
    void Expect(double intensity);

    // Where each band's next hit goes, and where its bin ends.
    struct Fill {
        BinnedHit* end;
        BinnedHit* limit;
    };
    Fill* Fills() { return fills_.data(); }
    // A hit not kept is written where the next one will be.
    void Append(Fill* fills, std::size_t band, BinnedHit hit, std::uint64_t keep = 1) {
        Fill& fill = fills[band];
        *fill.end = hit;
        fill.end += keep;
        if (fill.end == fill.limit) Empty(band);
    }
    // Every bin into the grid: all hits appended so far are counted there.
    void EmptyAll();

private:
    // The bins lie a cache line more than their size apart, so that the
    // ends of bins filling side by side do not fall in one cache set.
    static constexpr std::size_t kStride = kCapacity + 64 / sizeof(BinnedHit);
    void Empty(std::size_t band);
    BinnedHit* Start(std::size_t band) { return hits_.data() + band * kStride; }

    BandedCounts& target_;
    std::vector<BinnedHit> hits_;
    std::vector<Fill> fills_;
    IncrementBounds expected_;  // of every hit in the bins
};

}  // namespace zephyrin
