// The engine's lane: one orbit in doubles, each branch a plain choice.
#pragma once

#include <cmath>

#include "engine/core/constants.h"
#include "engine/core/lane_policy.h"
#include "engine/core/variation_table.h"

namespace zephyrin::scalar {

struct ScalarMath {
    using Num = double;
    using Mask = bool;
    static double Lift(double a) { return a; }
    static double Select(bool m, double a, double b) { return m ? a : b; }
    static bool Less(double a, double b) { return a < b; }
    static bool Greater(double a, double b) { return a > b; }
    static bool And(bool a, bool b) { return a && b; }
    static bool Or(bool a, bool b) { return a || b; }
    static bool Any(bool m) { return m; }
    static double Abs(double a) { return std::fabs(a); }
    static double Sqrt(double a) { return std::sqrt(a); }
    static double Sin(double a) { return std::sin(a); }
    static double Cos(double a) { return std::cos(a); }
    static SinCos<double> SinAndCos(double a) { return {std::sin(a), std::cos(a)}; }
    static double Atan(double a) { return std::atan(a); }
};
static_assert(LaneArithmetic<ScalarMath>);

#include "engine/core/variation_pass-inl.h"

}  // namespace zephyrin::scalar
