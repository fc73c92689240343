// What the orbit step asks of the numbers it runs on: one orbit's doubles in
// the engine, a vector of orbits in the batches. Branches become selections
// under a mask, so that a step written once serves both; the concepts turn
// a policy that lacks an operation into one error naming what is missing.
#pragma once

#include <concepts>

namespace zephyrin {

// The working values of the orbits a step reads and changes. `recordA` is
// the A that Modulas drifts and a restart replaces, `AA` the copy the
// formula reads (one and the same in the batches).
template <typename Num>
struct StepVars {
    Num &x, &y, &W, &xn, &sign, &recordA, &AA, &BB, &xIn, &yIn, &accX, &accY;
};

// The sine and cosine of one argument, from one reduction where that saves work.
template <typename Num>
struct SinCos {
    Num sin, cos;
};

template <typename P>
concept LaneArithmetic = requires(typename P::Num a, typename P::Mask m, double c) {
    { P::Lift(c) } -> std::same_as<typename P::Num>;
    { P::Select(m, a, a) } -> std::same_as<typename P::Num>;
    { P::Less(a, a) } -> std::same_as<typename P::Mask>;
    { P::Greater(a, a) } -> std::same_as<typename P::Mask>;
    { P::And(m, m) } -> std::same_as<typename P::Mask>;
    { P::Or(m, m) } -> std::same_as<typename P::Mask>;
    { P::Any(m) } -> std::convertible_to<bool>;
    { P::Abs(a) } -> std::same_as<typename P::Num>;
    { P::Sqrt(a) } -> std::same_as<typename P::Num>;
    { P::Sin(a) } -> std::same_as<typename P::Num>;
    { P::Cos(a) } -> std::same_as<typename P::Num>;
    { P::SinAndCos(a) } -> std::same_as<SinCos<typename P::Num>>;
    { P::Atan(a) } -> std::same_as<typename P::Num>;
    { a + a } -> std::convertible_to<typename P::Num>;
    { a - a } -> std::convertible_to<typename P::Num>;
    { a* a } -> std::convertible_to<typename P::Num>;
    { a / a } -> std::convertible_to<typename P::Num>;
    { c* a } -> std::convertible_to<typename P::Num>;
    { a / c } -> std::convertible_to<typename P::Num>;
    { -a } -> std::convertible_to<typename P::Num>;
};

// The random draws and the per-orbit choices a step makes besides its arithmetic.
template <typename P>
concept OrbitLanes = LaneArithmetic<P> &&
    requires(P& lanes, double range, int k, StepVars<typename P::Num> vars) {
    // (uniform - 0.5) * range, one draw per orbit.
    { lanes.Draw(range) } -> std::same_as<typename P::Num>;
    // af[j + k] of each orbit's affine map.
    { lanes.Coefficient(k) } -> std::same_as<typename P::Num>;
    // The random start formulas 23 to 40 make every 1000 iterations.
    lanes.RestartOrbit(vars);
};

}  // namespace zephyrin
