#pragma once

#include "engine/core/fractal_rec.h"

namespace zephyrin {

// A window's three effect switches, which the engine reads at every
// iteration and a parameter file carries besides the record.
struct Effects {
    Flag colorMix = kFalse;
    Flag expansion = kFalse;
    Flag modulas = kFalse;
    bool operator==(const Effects&) const = default;
};

}  // namespace zephyrin
