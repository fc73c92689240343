#pragma once

#include "engine/colouring/density_settings.h"

namespace zephyrin {

// How a picture gets its colours. The classic mode paints each hit as it is
// plotted; every other mode colours the drawing's counts afterwards, so its
// drawings may run on the drawing threads and it can change without a new
// drawing.
enum class ColouringMode { kClassic, kDensity };

constexpr bool PaintsWhilePlotting(ColouringMode mode) {
    return mode == ColouringMode::kClassic;
}

// The colouring settings travel with a picture (its history, its parameter
// file, the renderer's setup), which store the mode as `enabled`.
inline ColouringMode ModeOf(const DensitySettings& settings) {
    return settings.enabled ? ColouringMode::kDensity : ColouringMode::kClassic;
}
inline void SetMode(DensitySettings& settings, ColouringMode mode) {
    settings.enabled = mode == ColouringMode::kDensity;
}

}  // namespace zephyrin
