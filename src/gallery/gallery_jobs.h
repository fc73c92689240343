#pragma once

#include <QString>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/explore/gallery_search.h"
#include "gallery/gallery_finder.h"

namespace zephyrin {

// Tiles of a gallery are drawn this size.
inline constexpr std::int32_t kTileWidth = 200;
inline constexpr std::int32_t kTileHeight = 150;

// The record a gallery of `formula` starts from: a new window's, tile-sized.
TFractalRec galleryBase(std::int32_t formula);

// The searches of the gallery, to run on GalleryFinder's thread. Each works
// on copies of what it is given.
GalleryFinder::Job galleryJob(std::vector<std::int32_t> formulas, const GalleryOptions& options,
                              std::uint64_t seed);
GalleryFinder::Job variationsJob(const GalleryEntry& original, double amount, const GalleryOptions& options,
                                 std::uint64_t seed);
// The favourites in `folder`, each measured.
GalleryFinder::Job favouritesJob(const QString& folder);

}  // namespace zephyrin
