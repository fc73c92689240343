#pragma once

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <optional>

#include "engine/core/effects.h"
#include "engine/core/fractal_rec.h"
#include "engine/explore/start_judge.h"
#include "util/result.h"

namespace zephyrin {

struct SearchLimits {
    std::int32_t maxTries = 100000;
    // Ends the search as well; tests leave it out and count tries instead.
    std::optional<std::chrono::steady_clock::duration> maxTime = std::chrono::seconds(1);
    // Keeps quasi-periodic orbits as well as chaotic ones (JudgeStart).
    bool keepQuasiPeriodic = false;
};

enum class SearchOutcome { kFound, kNotFound, kCancelled };

struct SearchResult {
    SearchOutcome outcome = SearchOutcome::kNotFound;
    std::int32_t tries = 0;  // random starts judged, the found one included
    Rejections rejected;
    // Of the found start: the largest Lyapunov exponent (natural log per
    // iteration; NaN where it is not judged) and the framed sample's coverage.
    double lyapunov = std::nan("");
    double coverage = 0;
};

// Find Attractor: random starts of v's formula (the random start a drawing
// makes: coefficients, A, start point), each judged off-screen on a short
// orbit of the engine's own map with v's other settings (B, random range,
// variations, effects), until one passes. Turned down: orbits that run away
// or need the runaway rescue often, that settle on a fixed point or a cycle
// of up to 32 points, whose largest Lyapunov exponent is not positive (the
// smooth maps; the IFS formulas 70 and 71 are judged by what they light
// alone), or that light too few cells of the framed picture; with
// limits.keepQuasiPeriodic, quasi-periodic orbits pass too. Formulas 23 to
// 40 make a random start of their own every 1000 iterations, which no search
// can keep: for them the first start whose framed drawing does not run away
// is taken. Formulas without a map find nothing at once.
//
// On success `v` holds the found af, AA, AACopy, AAStart and start point,
// randomStart false, and the view Fit View gives it; otherwise `v` is
// unchanged. The same v, effects, seed and try budget find the same values;
// the time budget and `cancel` (read between and within tries) only end the
// search sooner. Touches nothing but `v`: run it on a worker thread on a copy
// of a window's record and copy the result back. Fails only when memory runs
// short.
[[nodiscard]] Result<SearchResult> FindAttractor(TFractalRec& v, const Effects& effects,
                                                 const SearchLimits& limits, std::uint64_t seed,
                                                 const std::atomic<bool>& cancel);

}  // namespace zephyrin
