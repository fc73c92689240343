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

constexpr std::int64_t kTop = kSetToTop;
constexpr std::int64_t kBottom = kSetToBottom;

std::int32_t IncrementOf(BinnedHit hit) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(hit));
}
std::size_t OffsetOf(BinnedHit hit) {
    return static_cast<std::size_t>(hit >> 32);
}

// AddHit's saturating step on a rounded increment.
std::int32_t Saturated(std::int32_t count, std::int32_t increment) {
    if (increment == kSetToTop) return kSetToTop;
    if (increment == kSetToBottom) return kSetToBottom;
    return static_cast<std::int32_t>(std::clamp(std::int64_t{count} + increment, kBottom, kTop));
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
    : layout_(width, height), counts_(counts), bands_(std::make_unique<Band[]>(layout_.bands)) {
    // The counters' bounds are taken from them at a band's first addition.
    for (std::size_t band = 0; band < layout_.bands; ++band) bands_[band].sinceScan = layout_.CellsOf(band);
}

void BandedCounts::Add(std::size_t band, std::span<const BinnedHit> hits, IncrementBounds bounds) {
    // The most any counter can rise or fall by these hits.
    const auto n = static_cast<std::int64_t>(hits.size());
    const std::int64_t rise = n * std::max(bounds.most, 0), fall = n * std::min(bounds.least, 0);
    Band& b = bands_[band];
    const std::span<std::int32_t> cells = counts_.subspan(band * layout_.BandCells(), layout_.CellsOf(band));
    const std::scoped_lock lock(b.lock);
    auto fits = [&] { return b.ceiling + rise <= kTop && b.floor + fall >= kBottom; };
    // A scan costs a look at every counter of the band: only after as many
    // hits as a quarter of them, so that a band near the top stays cheap.
    if (!fits() && b.sinceScan >= cells.size() / 4) Rescan(band, cells);
    b.sinceScan += hits.size();
    if (fits()) {
        for (const BinnedHit hit : hits) cells[OffsetOf(hit)] += IncrementOf(hit);
        b.ceiling += rise;
        b.floor += fall;
        return;
    }
    for (const BinnedHit hit : hits) {
        std::int32_t& count = cells[OffsetOf(hit)];
        count = Saturated(count, IncrementOf(hit));
    }
    b.ceiling = std::min(b.ceiling + rise, kTop);
    b.floor = std::max(b.floor + fall, kBottom);
}

void BandedCounts::Rescan(std::size_t band, std::span<const std::int32_t> cells) {
    Band& b = bands_[band];
    const auto [least, most] = std::minmax_element(cells.begin(), cells.end());
    b.floor = *least;
    b.ceiling = *most;
    b.sinceScan = 0;
}

void BandedCounts::CopyTo(std::span<std::int32_t> into) const {
    for (std::size_t band = 0; band < layout_.bands; ++band) {
        const std::span<const std::int32_t> cells =
            counts_.subspan(band * layout_.BandCells(), layout_.CellsOf(band));
        const std::scoped_lock lock(bands_[band].lock);
        std::copy(cells.begin(), cells.end(),
                  into.begin() + static_cast<std::ptrdiff_t>(band * layout_.BandCells()));
    }
}

}  // namespace zephyrin
