#include "engine/core/defaults.h"

#include "engine/core/view_coords.h"

namespace zephyrin {

void SetNewWindowDefaults(TFractalRec& v) {
    v.red = 0.0;
    v.green = 0.0;
    v.blue = 0.0;
    v.formula = 70;
    v.intensity = 10.0;
    v.factor2 = 0.1;
    v.randomizer = 2.0;
    v.randomStart = kTrue;
    v.sqrtFilter = kFalse;
    v.transformMode = 3;
    v.BB = 1.0;
    v.startX = 5.0;
    v.startY = 5.0;
    v.varNone = kTrue;
    v.varLinear = kFalse;
    v.varSinusoidal = kFalse;
    v.varSpherical = kFalse;
    v.varSwirl = kTrue;
    v.varHorseshoe = kFalse;
    v.varPolar = kFalse;
    v.varBent = kFalse;
    v.varInversion = kFalse;
}

TFractalRec NewWindowRecord(std::int32_t width, std::int32_t height) {
    TFractalRec v;
    v.width = v.listWidth = width;
    v.height = v.listHeight = height;
    ResetCoordinates(v);
    SetNewWindowDefaults(v);
    return v;
}

}  // namespace zephyrin
