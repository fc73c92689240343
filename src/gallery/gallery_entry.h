#pragma once

#include <QImage>
#include <QString>
#include <cstdint>

#include "engine/core/effects.h"
#include "engine/core/fractal_rec.h"
#include "engine/explore/orbit_measures.h"

namespace zephyrin {

// One attractor of a gallery: found, varied or kept as a favourite.
struct GalleryEntry {
    TFractalRec record;  // framed, its start made
    Effects effects;
    OrbitMeasures measures;
    std::uint64_t seed = 0;  // the drawing's
    QImage picture;          // null until drawn
    QString file;            // a favourite's picture file
};

}  // namespace zephyrin
