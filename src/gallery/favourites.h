#pragma once

#include <QString>
#include <QStringList>
#include <string>

#include "engine/colouring/density_settings.h"
#include "gallery/gallery_entry.h"
#include "util/result.h"

namespace zephyrin {

// The parameter file text of an entry drawn in `density`'s colouring, with a
// point for decimals: the text that draws the entry again anywhere.
std::string entryParameters(const GalleryEntry& entry, const DensitySettings& density);

// Keeps a drawn entry in `folder` as a PNG picture with its parameters
// inside, named by its formula and seed; returns the file's path.
[[nodiscard]] Result<QString> saveFavourite(const QString& folder, const GalleryEntry& entry,
                                            const DensitySettings& density);

// The PNG pictures in `folder` that carry parameters, by name.
QStringList favouriteFiles(const QString& folder);

// A favourite: the record its parameters give for a picture of its size,
// and its picture. Not measured.
[[nodiscard]] Result<GalleryEntry> readFavourite(const QString& path);

}  // namespace zephyrin
