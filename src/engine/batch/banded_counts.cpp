#include "engine/batch/banded_counts.h"

#include <algorithm>

namespace zephyrin {

namespace {

// A band this size and the bins of every band stay in a core's 2 MB
// second-level cache with room to spare at the usual picture sizes.
constexpr std::size_t kBandBytes = 256 * 1024;
// More bands than this get taller instead: each band costs every drawing
// thread a bin.
constexpr std::size_t kMostBands = 1024;

std::int32_t IncrementOf(BinnedHit hit) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(hit));
}
std::size_t OffsetOf(BinnedHit hit) {
    return static_cast<std::size_t>(hit >> 32);
}

}  // namespace

BandLayout::BandLayout(std::int32_t w, std::int32_t h) : width(std::max(w, 0)), height(std::max(h, 0)) {
    if (width == 0 || height == 0) return;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * sizeof(std::int32_t);
    while ((std::int64_t{1} << rowShift) < height && rowBytes << (rowShift + 1) <= kBandBytes) ++rowShift;
    auto bandsOf = [&] {
        return (static_cast<std::size_t>(height) + (std::size_t{1} << rowShift) - 1) >> rowShift;
    };
    while (bandsOf() > kMostBands) ++rowShift;
    bands = bandsOf();
}

std::size_t BandLayout::CellsOf(std::size_t band) const {
    const std::int32_t rows = std::min(std::int32_t{1} << rowShift, height - FirstRow(band));
    return static_cast<std::size_t>(rows) * static_cast<std::size_t>(width);
}

BandedCounts::BandedCounts(std::span<std::int32_t> counts, std::int32_t width, std::int32_t height)
    : layout_(width, height), counts_(counts) {
    for (std::size_t band = 0; band < layout_.bands; ++band)
        bands_.push_back(std::make_unique<Band>(layout_.CellsOf(band)));
}

void BandedCounts::Add(std::size_t band, std::span<const BinnedHit> hits, IncrementBounds bounds) {
    Band& b = *bands_[band];
    const std::span<std::int32_t> cells = counts_.subspan(band * layout_.BandCells(), layout_.CellsOf(band));
    const std::scoped_lock lock(b.lock);
    if (b.bounds.Admit(cells, static_cast<std::int64_t>(hits.size()), bounds)) {
        for (const BinnedHit hit : hits) cells[OffsetOf(hit)] += IncrementOf(hit);
        return;
    }
    for (const BinnedHit hit : hits) {
        std::int32_t& count = cells[OffsetOf(hit)];
        count = SaturatedAdd(count, IncrementOf(hit));
    }
}

void BandedCounts::CopyTo(std::span<std::int32_t> into) const {
    for (std::size_t band = 0; band < layout_.bands; ++band) {
        const std::span<const std::int32_t> cells =
            counts_.subspan(band * layout_.BandCells(), layout_.CellsOf(band));
        const std::scoped_lock lock(bands_[band]->lock);
        std::copy(cells.begin(), cells.end(),
                  into.begin() + static_cast<std::ptrdiff_t>(band * layout_.BandCells()));
    }
}

}  // namespace zephyrin
