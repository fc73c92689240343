#pragma once

#include "engine/core/defaults.h"
#include "engine/core/fractal_rec.h"

namespace zephyrin::testing {

// Formula 70 with the three halvings towards (0, 0), (1, 0) and (0, 1): the
// Sierpinski triangle. Only None plots.
inline TFractalRec Sierpinski(std::int32_t width = 400, std::int32_t height = 300) {
    TFractalRec v = NewWindowRecord(width, height);
    v.randomStart = kFalse;
    v.varSwirl = kFalse;
    v.startX = v.startY = 0.3;
    for (const int j : {0, 19, 39}) {
        v.af[j + 1] = v.af[j + 4] = 0.5;
        v.af[j + 5] = j == 19 ? 0.5 : 0;
        v.af[j + 6] = j == 39 ? 0.5 : 0;
    }
    return v;
}

}  // namespace zephyrin::testing
