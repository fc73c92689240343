#pragma once

#include <optional>

#include "engine/colouring/colouring_mode.h"
#include "engine/colouring/density_colour.h"
#include "engine/core/effects.h"
#include "engine/core/fractal_rec.h"
#include "imaging/gradient.h"
#include "imaging/picture.h"
#include "imaging/picture16.h"

namespace zephyrin {

// A colouring as a picture keeps it: the mode and its tone settings, and the
// gradient they name, already taken; with `tone`, the references a sequence
// of pictures shares instead of each picture's own; with `pool`, coloured on
// its threads.
struct CountsColouring {
    const DensitySettings& settings;
    const Gradient& gradient;
    std::optional<ToneReferences> tone{};
    ThreadPool* pool = nullptr;
};

// Whether a drawing's final counts tell its colours: always with density
// colouring; else not when a pixel's colour depends on when it was hit
// (Color Mix), nor when a hit may leave its count unchanged (an intensity of
// -9.5 or less). Only such counts are worth keeping in a counts file.
bool CountsTellTheColours(const TFractalRec& record, const Effects& effects, const DensitySettings& density);

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
