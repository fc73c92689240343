#pragma once

#include <atomic>
#include <cstdint>
#include <limits>
#include <vector>

#include "engine/core/effects.h"
#include "engine/core/fractal_rec.h"
#include "engine/explore/orbit_judge.h"

namespace zephyrin {

// Why the starts that failed were turned down.
struct Rejections {
    std::int32_t runaway = 0;  // escaped, or needed the runaway rescue too often
    std::int32_t settled = 0;  // a fixed point or a short cycle
    std::int32_t notChaotic =
        0;  // largest Lyapunov exponent not clearly positive (nor quasi-periodic when kept)
    std::int32_t unframed = 0;  // nothing to frame: a point, or nothing plotted
    std::int32_t sparse = 0;    // framed, but lights too few cells
};

enum class Verdict { kPass, kRunaway, kSettled, kNotChaotic, kUnframed, kSparse, kCancelled };

void Count(Rejections& rejected, Verdict verdict);

struct Judged {
    Verdict verdict = Verdict::kPass;
    // The short estimate of the largest Lyapunov exponent the start was
    // judged by (the measured one for a quasi-periodic orbit); NaN where
    // not judged by it.
    double lyapunov = std::numeric_limits<double>::quiet_NaN();
    double coverage = 0;  // the framed sample's
};

// An orbit whose exponent, measured until stable, lies this close to 0
// neither settles nor spreads: it circles on a closed curve or a torus.
inline constexpr double kQuasiPeriodicBand = 0.005;
// A long cycle of points measures about 0, a curve 1, a torus 2.
inline constexpr double kMinQuasiPeriodicDimension = 0.9;
// A closed curve across a picture lights one or two in a hundred of its cells.
inline constexpr double kMinQuasiPeriodicCoverage = 0.01;

// One candidate start, judged as Find Attractor judges (attractor_search.h)
// on orbits of the engine's map from `seed`; with `keepQuasiPeriodic` an
// orbit whose short estimate is not clearly positive passes as well when it
// is quasi-periodic: its measured exponent (MeasureOrbit with the quick
// default budget, as this only screens) within kQuasiPeriodicBand of 0, its
// D2 at least kMinQuasiPeriodicDimension, and it lights at least
// kMinQuasiPeriodicCoverage. Frames `candidate` when it
// passes and leaves it unchanged otherwise. `points` is reused from call to
// call. Reads `cancel` between its stages. Throws std::bad_alloc.
Judged JudgeStart(TFractalRec& candidate, const Effects& effects, std::uint64_t seed, bool keepQuasiPeriodic,
                  const std::atomic<bool>& cancel, std::vector<Point2D>& points);

}  // namespace zephyrin
