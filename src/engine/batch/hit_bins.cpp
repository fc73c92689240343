#include "engine/batch/hit_bins.h"

#include <algorithm>
#include <span>

namespace zephyrin {

HitBins::HitBins(BandedCounts& target)
    : target_(target), hits_(target.Layout().bands * kStride), fills_(target.Layout().bands) {
    for (std::size_t band = 0; band < fills_.size(); ++band)
        fills_[band] = {Start(band), Start(band) + kCapacity};
}

std::size_t HitBins::BytesFor(const BandLayout& layout) {
    return layout.bands * (kStride * sizeof(BinnedHit) + sizeof(Fill));
}

void HitBins::Expect(double intensity) {
    const IncrementBounds bounds = IncrementBoundsOf(intensity);
    expected_.least = std::min(expected_.least, bounds.least);
    expected_.most = std::max(expected_.most, bounds.most);
}

void HitBins::Empty(std::size_t band) {
    BinnedHit* start = Start(band);
    target_.Add(band, std::span<const BinnedHit>(start, fills_[band].end), expected_);
    fills_[band].end = start;
}

void HitBins::EmptyAll() {
    for (std::size_t band = 0; band < fills_.size(); ++band)
        if (fills_[band].end != Start(band)) Empty(band);
    expected_ = {};
}

}  // namespace zephyrin
