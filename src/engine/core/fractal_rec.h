#pragma once

#include <array>
#include <cstdint>

namespace zephyrin {

// A 32-bit truth value: 0 is false, anything else true. The program always
// stores -1 for true and tests for non-zero, as the parameter file and the
// dialogs expect.
using Flag = std::int32_t;
inline constexpr Flag kTrue = -1;
inline constexpr Flag kFalse = 0;
constexpr Flag ToFlag(bool b) {
    return b ? kTrue : kFalse;
}

// The formulas number their coefficients 1..120; element 0 exists only so the
// code can use the same indices as the formulas.
class Coefficients {
public:
    static constexpr int kCount = 120;

    double& operator[](int i) { return e_[i]; }
    double operator[](int i) const { return e_[i]; }
    bool operator==(const Coefficients&) const = default;

private:
    std::array<double, kCount + 1> e_{};
};

// Everything that defines one picture and steers its drawing. Field order is
// the declared order of the record; the engine reads most fields afresh at
// every iteration so that dialog edits take effect while a picture grows.
struct TFractalRec {
    double startX = 0, startY = 0;
    double lastX = 0, lastY = 0;
    double xMin = 0, xMax = 0, xCenter = 0;
    double yMin = 0, yMax = 0, yCenter = 0;
    double zoomXMin = 0, zoomXMax = 0, zoomXCenter = 0;
    double zoomYMin = 0, zoomYMax = 0, zoomYCenter = 0;
    double prevXCenter = 0, prevYCenter = 0;
    double zoomSelected = 0;
    double zoom = 0;
    double xHalfSpan = 0, yHalfSpan = 0;
    double xAspect = 0, yAspect = 0;
    double intensity = 0;
    double factor2 = 0;
    double randomizer = 0;
    double red = 0, blue = 0, green = 0;
    double plotXMin = 0, plotYMin = 0, plotXMax = 0, plotYMax = 0;
    std::int32_t listWidth = 0, listHeight = 0;
    std::int32_t formula = 0;
    std::int32_t transformMode = 0;
    std::int32_t ticks = 0;
    std::int32_t iterations = 0;
    std::int32_t width = 0, height = 0;
    double AA = 0, BB = 0;
    double AACopy = 0, AAStart = 0;
    Flag varNone = kFalse, varLinear = kFalse, varSinusoidal = kFalse, varSpherical = kFalse,
         varSwirl = kFalse, varHorseshoe = kFalse, varPolar = kFalse, varBent = kFalse, varInversion = kFalse;
    Flag white = kFalse;
    Flag randomStart = kFalse;
    Flag stop = kFalse;
    Flag sqrtFilter = kFalse;
    Coefficients af;
};

}  // namespace zephyrin
