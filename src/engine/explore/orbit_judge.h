// Judging an orbit without drawing it: has it run away, settled on a fixed
// point or a short cycle, or does it wander, and how fast do nearby orbits
// part. Written against any stepped orbit, so that plain maps with known
// answers (a contraction, a 2-cycle, the Henon map) can be judged as well as
// the engine's own (OrbitProbe).
#pragma once

#include <array>
#include <cmath>
#include <concepts>
#include <cstdint>
#include <limits>
#include <optional>

namespace zephyrin {

struct Point2D {
    double x = 0, y = 0;
};

// Everything the next step depends on in which two nearby orbits may differ.
using OrbitState = std::array<double, 4>;

// Step() makes one iteration and returns false when the orbit escaped in it:
// the engine had to replace a runaway point, or the point is not finite.
template <typename S>
concept SteppedOrbit = std::copyable<S> && requires(S s, const S c, const OrbitState state) {
    { s.Step() } -> std::same_as<bool>;
    { c.Position() } -> std::same_as<Point2D>;
    { c.State() } -> std::same_as<OrbitState>;
    s.SetState(state);
};

// The engine replaces a point beyond this in both coordinates; a plain map
// that gets there counts as escaped.
inline constexpr double kEscapeBound = 10000;

// A plain map of the plane as a stepped orbit.
template <typename Map>
class MapOrbit {
public:
    MapOrbit(Map map, Point2D start) : map_(map), point_(start) {}

    bool Step() {
        point_ = map_(point_);
        return std::fabs(point_.x) <= kEscapeBound && std::fabs(point_.y) <= kEscapeBound;
    }
    Point2D Position() const { return point_; }
    OrbitState State() const { return {point_.x, point_.y, 0, 0}; }
    void SetState(const OrbitState& state) { point_ = {state[0], state[1]}; }

private:
    Map map_;
    Point2D point_;
};

enum class OrbitKind { kRunaway, kFixedPoint, kCycle, kWandering };

struct OrbitClass {
    OrbitKind kind = OrbitKind::kWandering;
    std::int32_t period = 0;  // 1 for a fixed point, p for a cycle of p points
};

struct OrbitCheck {
    std::int32_t transient = 1000;  // steps before the orbit is looked at
    std::int32_t window = 256;      // steps in which a repetition is looked for
    std::int32_t allowedEscapes = 0;
};

// Longer cycles cover enough of a picture to be judged by what they light.
inline constexpr std::int32_t kMaxCyclePeriod = 32;
// Rounding keeps a settled orbit a few units in the last place from its
// earlier visits; a wandering one never stays this close for a whole window.
inline constexpr double kRepeatTolerance = 1e-9;

inline bool SamePlace(Point2D a, Point2D b) {
    const auto close = [](double p, double q) {
        return std::fabs(p - q) <= kRepeatTolerance * (1 + std::fabs(p));
    };
    return close(a.x, b.x) && close(a.y, b.y);
}

// Steps the orbit through the transient and the window (less when it has
// plainly run away) and says what it does: runaway when it escaped more than
// allowed; a fixed point or a cycle when every point of the window repeats
// the one `period` steps before it; wandering otherwise.
template <SteppedOrbit S>
OrbitClass ClassifyOrbit(S& orbit, const OrbitCheck& check) {
    std::int32_t escapes = 0;
    const auto step = [&] {
        escapes += orbit.Step() ? 0 : 1;
        return escapes <= check.allowedEscapes;
    };
    for (std::int32_t i = 0; i < check.transient; ++i)
        if (!step()) return {OrbitKind::kRunaway};

    std::array<Point2D, kMaxCyclePeriod> recent{};
    std::array<bool, kMaxCyclePeriod + 1> repeats;
    repeats.fill(true);
    for (std::int32_t n = 0; n < check.window; ++n) {
        if (!step()) return {OrbitKind::kRunaway};
        const Point2D p = orbit.Position();
        for (std::int32_t period = 1; period <= kMaxCyclePeriod; ++period)
            if (n >= period && !SamePlace(p, recent[(n - period) % kMaxCyclePeriod])) repeats[period] = false;
        recent[n % kMaxCyclePeriod] = p;
    }
    // A period counts once the window has seen it come round twice.
    for (std::int32_t period = 1; period <= kMaxCyclePeriod && 2 * period <= check.window; ++period)
        if (repeats[period]) return {period == 1 ? OrbitKind::kFixedPoint : OrbitKind::kCycle, period};
    return {OrbitKind::kWandering};
}

// Two orbits this far apart separate along the fastest direction long
// before rounding matters, and stay close enough to see the map's local
// stretching rather than the attractor's size.
inline constexpr double kLyapunovSeparation = 1e-8;
// Steps left out of the average while the separation turns to that direction.
inline constexpr std::int32_t kLyapunovAlignSteps = 16;

// An orbit and a shadow kept kLyapunovSeparation away from it: after every
// step the separation's growth is measured and the shadow pulled back along
// it (Benettin's method). The shadow is a copy of the orbit, so it makes the
// same random choices (the IFS formulas' transforms) as long as neither
// escapes. A step in which either orbit escapes puts the shadow back beside
// the orbit and measures nothing.
template <SteppedOrbit S>
class ShadowPair {
public:
    explicit ShadowPair(const S& start) : orbit_(start), shadow_(start) { PlaceShadow(); }

    // One step of both; the logarithm of the separation's growth, or nothing.
    // -inf when the orbits merge.
    std::optional<double> Step() {
        orbitStayed_ = orbit_.Step();
        const bool shadowStayed = shadow_.Step();
        if (!orbitStayed_ || !shadowStayed) {
            PlaceShadow();
            return std::nullopt;
        }
        const OrbitState a = orbit_.State(), b = shadow_.State();
        double squares = 0;
        for (std::size_t k = 0; k < a.size(); ++k) squares += (b[k] - a[k]) * (b[k] - a[k]);
        const double distance = std::sqrt(squares);
        if (!std::isfinite(distance) || distance == 0) {
            PlaceShadow();
            if (distance == 0) return -std::numeric_limits<double>::infinity();
            return std::nullopt;
        }
        OrbitState pulled = a;
        for (std::size_t k = 0; k < a.size(); ++k)
            pulled[k] += (b[k] - a[k]) * (kLyapunovSeparation / distance);
        shadow_.SetState(pulled);
        return std::log(distance / kLyapunovSeparation);
    }

    const S& Orbit() const { return orbit_; }
    // Whether the orbit (not its shadow) stayed in the last step.
    bool OrbitStayed() const { return orbitStayed_; }

private:
    void PlaceShadow() {
        shadow_ = orbit_;
        OrbitState state = orbit_.State();
        state[0] += kLyapunovSeparation * std::sqrt(0.5);
        state[1] += kLyapunovSeparation * std::sqrt(0.5);
        shadow_.SetState(state);
    }

    S orbit_;
    S shadow_;
    bool orbitStayed_ = true;
};

// The largest Lyapunov exponent (natural logarithm per step) over `steps`
// steps of a ShadowPair, the first kLyapunovAlignSteps left out; -inf when
// the orbits merge, NaN when no step counted.
template <SteppedOrbit S>
double LargestLyapunovExponent(const S& start, std::int32_t steps) {
    ShadowPair<S> pair(start);
    double sum = 0;
    std::int32_t counted = 0;
    for (std::int32_t i = 0; i < steps; ++i) {
        const std::optional<double> growth = pair.Step();
        if (!growth || i < kLyapunovAlignSteps) continue;
        sum += *growth;
        ++counted;
    }
    return counted > 0 ? sum / counted : std::nan("");
}

}  // namespace zephyrin
