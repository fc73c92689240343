#pragma once

#include "engine/core/fractal_rec.h"

namespace zephyrin {

// The values a new window starts its first drawing with (formula 70, None and
// Swirl, intensity 10, a random start pending). Size, view and the random
// parts (af, A, start point) are set elsewhere.
void SetNewWindowDefaults(TFractalRec& v);

// A new window's record for a width x height drawing: the start view and the
// new-window values, a random start pending. The view is not frozen yet.
TFractalRec NewWindowRecord(std::int32_t width, std::int32_t height);

}  // namespace zephyrin
