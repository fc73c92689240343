#pragma once

#include <optional>

#include "engine/colouring/colouring_mode.h"
#include "engine/colouring/density_colour.h"
#include "engine/core/fractal_rec.h"
#include "imaging/gradient.h"
#include "imaging/picture.h"
#include "imaging/picture16.h"

namespace zephyrin {

// A colouring as a picture keeps it: the mode and its tone settings, and the
// gradient they name, already taken; with `tone`, the references a sequence
// of pictures shares instead of each picture's own.
struct CountsColouring {
    const DensitySettings& settings;
    const Gradient& gradient;
    std::optional<ToneReferences> tone{};
};

// The picture of a drawing's counts in `colouring`'s mode, (width div block)
// x (height div block) pixels: the classic colours of the record `v`
// (reduced by area averaging over each block), or the density tone map
// (counts summed over each block). `out` keeps its memory when it has the
// size already.
void ColourCounts(const DensityCounts& counts, const TFractalRec& v, const CountsColouring& colouring,
                  Picture& out);

// The same picture at 16 bits a channel, for the modes whose colours have
// more than 8 (none for the classic colours).
std::optional<Picture16> ColourCounts16(const DensityCounts& counts, const TFractalRec& v,
                                        const CountsColouring& colouring);

}  // namespace zephyrin
