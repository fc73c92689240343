#include "engine/colouring/colour_counts.h"

#include <utility>

#include "engine/colouring/colour_from_counts.h"
#include "imaging/area_averaging.h"

namespace zephyrin {

bool CountsTellTheColours(const TFractalRec& record, const Effects& effects, const DensitySettings& density) {
    if (!PaintsWhilePlotting(density.mode)) return true;
    // A hit adds round(intensity * weight + 10) with a weight in [0, 1].
    const bool everyHitCounts = record.intensity > -9.5;
    return everyHitCounts && !effects.colorMix;
}

void ColourCounts(const DensityCounts& counts, const TFractalRec& v, const CountsColouring& colouring,
                  Picture& out) {
    switch (colouring.settings.mode) {
        case ColouringMode::kClassic: {
            Picture classic = ColourFromCounts(counts.counts, v, colouring.pool);
            // A reduced picture is what reducing the whole one gives.
            if (counts.block > 1) classic = ReduceByAreaAveraging(classic, counts.block);
            out = std::move(classic);
            return;
        }
        case ColouringMode::kDensity:
            DensityColour(counts, colouring.settings, colouring.gradient, v.white != kFalse, out,
                          colouring.tone, colouring.pool);
            return;
    }
}

std::optional<Picture16> ColourCounts16(const DensityCounts& counts, const TFractalRec& v,
                                        const CountsColouring& colouring) {
    switch (colouring.settings.mode) {
        case ColouringMode::kClassic:
            return std::nullopt;
        case ColouringMode::kDensity: {
            Picture16 deep;
            DensityColour(counts, colouring.settings, colouring.gradient, v.white != kFalse, deep,
                          colouring.tone, colouring.pool);
            return deep;
        }
    }
    return std::nullopt;
}

}  // namespace zephyrin
