#pragma once

#include "engine/fractal_rec.h"

namespace zephyrin {

// The values a new window starts its first drawing with (formula 70, None and
// Swirl, intensity 10, a random start pending). Size, view and the random
// parts (af, A, start point) are set elsewhere.
void SetNewWindowDefaults(TFractalRec& v);

}  // namespace zephyrin
