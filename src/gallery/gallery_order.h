#pragma once

#include <optional>
#include <span>
#include <vector>

#include "engine/explore/gallery_search.h"
#include "gallery/gallery_entry.h"

namespace zephyrin {

enum class GalleryOrder { kScore, kLyapunov, kDimension };

// Which entries the grid shows, and in what order.
struct GalleryFilter {
    GalleryOrder order = GalleryOrder::kScore;
    std::optional<Band> lyapunov;
    std::optional<Band> dimension;
};

// The indices of the entries within the filter's bands: by score best
// first, by L or D2 from the smallest; entries without the measure last,
// and equals in the order they were found.
std::vector<int> shownEntries(std::span<const GalleryEntry> entries, const GalleryFilter& filter);

}  // namespace zephyrin
