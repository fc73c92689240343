#include "engine/explore/start_judge.h"

#include <cmath>
#include <new>

#include "engine/core/formula_table.h"
#include "engine/explore/fit_view.h"
#include "engine/explore/orbit_measures.h"
#include "engine/explore/orbit_probe.h"

namespace zephyrin {

namespace {

// No escape is forgiven: the rescue puts the point where the judging
// stream says, so the drawing's own rescue may send its orbit elsewhere
// (such starts drew a tenth of what their sample promised).
constexpr OrbitCheck kOrbitCheck{.transient = 1000, .window = 256, .allowedEscapes = 0};
// An invariant curve's estimate falls like log(n) / n: about 0.002 here.
constexpr std::int32_t kLyapunovSteps = 4000;
// Above what the rings of formulas 1 and 63 measure; those drew under 2 %
// of their pictures, the chaotic ones rarely did.
constexpr double kMinLyapunov = 0.005;
// A million iterations at 400 x 300 lit about the share of pixels that the
// framing sample lights of cells (half to several times it); from 0.04 on
// they lit over 2 % of the pixels.
constexpr double kMinCoverage = 0.04;

// Quasi-periodic orbits of formula 22 spiral into the origin, where the
// rescue puts them back on the picture to spiral in again; they may need it
// once in this many steps.
constexpr std::int32_t kQuasiPeriodicStepsPerEscape = 100;

bool IsQuasiPeriodic(const OrbitMeasures& measures) {
    return std::fabs(measures.lyapunov) <= kQuasiPeriodicBand &&
           measures.dimension >= kMinQuasiPeriodicDimension && measures.coverage >= kMinQuasiPeriodicCoverage;
}

}  // namespace

void Count(Rejections& rejected, Verdict verdict) {
    switch (verdict) {
        case Verdict::kRunaway:
            ++rejected.runaway;
            break;
        case Verdict::kSettled:
            ++rejected.settled;
            break;
        case Verdict::kNotChaotic:
            ++rejected.notChaotic;
            break;
        case Verdict::kUnframed:
            ++rejected.unframed;
            break;
        case Verdict::kSparse:
            ++rejected.sparse;
            break;
        case Verdict::kPass:
        case Verdict::kCancelled:
            break;
    }
}

Judged JudgeStart(TFractalRec& candidate, const Effects& effects, std::uint64_t seed, bool keepQuasiPeriodic,
                  const std::atomic<bool>& cancel, std::vector<Point2D>& points) {
    Judged judged;
    const FormulaShape shape = ShapeOf(candidate.formula);
    const bool restartsItself = RestartsItself(shape);
    bool mayCircle = false;
    if (!restartsItself) {
        OrbitProbe probe(candidate, effects, seed);
        OrbitCheck check = kOrbitCheck;
        // A chaotic orbit is still held to no escape, by its framing sample,
        // which begins with the steps looked at here.
        if (keepQuasiPeriodic)
            check.allowedEscapes = (check.transient + check.window) / kQuasiPeriodicStepsPerEscape;
        const OrbitClass orbit = ClassifyOrbit(probe, check);
        if (orbit.kind == OrbitKind::kRunaway) return {.verdict = Verdict::kRunaway};
        if (orbit.kind != OrbitKind::kWandering) return {.verdict = Verdict::kSettled};
        if (IsSmooth(shape)) {
            if (cancel.load(std::memory_order_relaxed)) return {.verdict = Verdict::kCancelled};
            judged.lyapunov = LargestLyapunovExponent(probe, kLyapunovSteps);
            mayCircle = keepQuasiPeriodic && std::fabs(judged.lyapunov) <= kQuasiPeriodicBand;
            if (!(judged.lyapunov > kMinLyapunov) && !mayCircle)
                return {.verdict = Verdict::kNotChaotic, .lyapunov = judged.lyapunov};
        }
    }
    if (cancel.load(std::memory_order_relaxed)) return {.verdict = Verdict::kCancelled};
    TFractalRec framed = candidate;
    const Framing framing = FrameRecord(framed, effects, seed, points);
    judged.coverage = framing.coverage;
    const double minCoverage = mayCircle ? kMinQuasiPeriodicCoverage : kMinCoverage;
    const std::int32_t allowedEscapes =
        mayCircle ? framing.steps / kQuasiPeriodicStepsPerEscape : kOrbitCheck.allowedEscapes;
    if (framing.escapes > allowedEscapes)
        judged.verdict = Verdict::kRunaway;
    else if (!framing.framed)
        judged.verdict = Verdict::kUnframed;
    else if (!restartsItself && framing.coverage < minCoverage)
        judged.verdict = Verdict::kSparse;
    if (judged.verdict == Verdict::kPass && mayCircle) {
        if (cancel.load(std::memory_order_relaxed)) return {.verdict = Verdict::kCancelled};
        const Result<OrbitMeasures> measures = MeasureOrbit(framed, effects, seed);
        if (!measures) throw std::bad_alloc();
        judged.lyapunov = measures->lyapunov;
        if (!IsQuasiPeriodic(*measures)) judged.verdict = Verdict::kNotChaotic;
    }
    if (judged.verdict == Verdict::kPass) candidate = framed;
    return judged;
}

}  // namespace zephyrin
