// The flame-style variations, shared by the drawing, which plots their
// points, and by the orbit probe, which keeps them: each enabled one bends
// the formula's point, folds it into the accumulator and hands the
// accumulator on. The orbit itself always continues from the formula's point.
#pragma once

#include <cmath>

#include "engine/core/engine.h"

namespace zephyrin {

namespace variation_detail {

// Horseshoe and Polar take the angle only away from the origin.
inline bool AwayFromOrigin(double x, double y) {
    return x < -1e-10 || x > 1e-10 || y < -1e-10 || y > 1e-10;
}

}  // namespace variation_detail

template <typename Plot>
void Engine::PassVariations(Plot plot) {
    using variation_detail::AwayFromOrigin;
    xSave = x;
    ySave = y;
    const TFractalRec& rec = *v;
    const double f2 = rec.factor2;
    // Each variation sees the formula's point in x, y and plots the accumulator.
    auto plotAccumulator = [&] { plot(accX, accY); };
    auto addTerms = [&] {
        accX += f2 * vx;
        accY += f2 * vy;
        plotAccumulator();
    };

    if (rec.varSpherical) {
        r2 = x * x + 1e-12 + y * y;
        vx = x / r2;
        vy = y / r2;
        addTerms();
    }
    if (rec.varSwirl) {
        r2 = x * x + 1e-12 + y * y;
        const double sn = std::sin(r2), cs = std::cos(r2);
        vx = sn * x - cs * y;
        vy = cs * x + sn * y;
        addTerms();
    }
    if (rec.varSinusoidal) {
        vx = std::sin(x);
        vy = std::sin(y);
        addTerms();
    }
    if (rec.varPolar) {
        vx = AwayFromOrigin(x, y) ? std::atan(x / y) / constPI : 0.0;
        vy = std::sqrt(x * x + 1e-12 + y * y) - 1;
        addTerms();
    }
    if (rec.varHorseshoe) {
        theta = AwayFromOrigin(x, y) ? std::atan(x / y) : 0.0;
        const double sn = std::sin(theta), cs = std::cos(theta);
        vx = sn * x - cs * y;
        vy = cs * x + sn * y;
        addTerms();
    }
    if (rec.varLinear) {
        vx = x;
        vy = y;
        addTerms();
    }
    if (rec.varBent) {
        vx = x < 0 ? 2 * x : x;
        vy = y < 0 ? y / 2 : y;
        addTerms();
    }
    if (rec.varNone) {
        accX = x;
        accY = y;
        plotAccumulator();
    }
    if (rec.varInversion) {
        const double d = x * x + y * y;
        vx = x / d;
        vy = y / d;
        accX = vx / (1e-12 + f2);
        accY = vy / (1e-12 + f2);
        plotAccumulator();
    }

    accX = xSave;
    accY = ySave;
    x = xSave;
    y = ySave;
}

}  // namespace zephyrin
