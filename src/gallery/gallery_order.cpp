#include "gallery/gallery_order.h"

#include <algorithm>
#include <cmath>

namespace zephyrin {

namespace {

// Smaller keys first; NaN, a measure the orbit has not, goes last.
double sortKey(const OrbitMeasures& measures, GalleryOrder order) {
    switch (order) {
        case GalleryOrder::kLyapunov:
            return measures.lyapunov;
        case GalleryOrder::kDimension:
            return measures.dimension;
        case GalleryOrder::kScore:
            break;
    }
    return -measures.score;
}

}  // namespace

std::vector<int> shownEntries(std::span<const GalleryEntry> entries, const GalleryFilter& filter) {
    std::vector<int> shown;
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        const OrbitMeasures& measures = entries[static_cast<std::size_t>(i)].measures;
        if (filter.lyapunov && !filter.lyapunov->Holds(measures.lyapunov)) continue;
        if (filter.dimension && !filter.dimension->Holds(measures.dimension)) continue;
        shown.push_back(i);
    }
    std::ranges::stable_sort(shown, [&](int a, int b) {
        const double keyA = sortKey(entries[static_cast<std::size_t>(a)].measures, filter.order);
        const double keyB = sortKey(entries[static_cast<std::size_t>(b)].measures, filter.order);
        if (std::isnan(keyA) || std::isnan(keyB)) return !std::isnan(keyA) && std::isnan(keyB);
        return keyA < keyB;
    });
    return shown;
}

}  // namespace zephyrin
