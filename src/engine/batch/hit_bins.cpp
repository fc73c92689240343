#include "engine/batch/hit_bins.h"

#include <span>

namespace zephyrin {

HitBins::HitBins(BandedCounts& target)
    : target_(target), hits_(target.Layout().bands * kCapacity), fills_(target.Layout().bands, 0) {}

void HitBins::Empty(std::size_t band) {
    target_.Add(band, std::span<const BinnedHit>(hits_).subspan(band * kCapacity, fills_[band]));
    fills_[band] = 0;
}

void HitBins::EmptyAll() {
    for (std::size_t band = 0; band < fills_.size(); ++band)
        if (fills_[band] > 0) Empty(band);
}

}  // namespace zephyrin
