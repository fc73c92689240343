#include "engine/explore/attractor_search.h"

#include <new>
#include <vector>

#include "engine/core/formula_table.h"
#include "engine/core/random.h"
#include "engine/explore/fit_view.h"
#include "engine/explore/orbit_judge.h"
#include "engine/explore/orbit_probe.h"

namespace zephyrin {

namespace {

using Clock = std::chrono::steady_clock;

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

enum class Verdict { kPass, kRunaway, kSettled, kNotChaotic, kUnframed, kSparse, kCancelled };

struct Judged {
    Verdict verdict = Verdict::kPass;
    double lyapunov = std::nan("");
    double coverage = 0;
};

// One candidate start; frames `candidate` when it passes.
Judged Judge(TFractalRec& candidate, const Effects& effects, std::uint64_t seed,
             const std::atomic<bool>& cancel, std::vector<Point2D>& points) {
    Judged judged;
    const FormulaShape shape = ShapeOf(candidate.formula);
    const bool restartsItself = RestartsItself(shape);
    if (!restartsItself) {
        OrbitProbe probe(candidate, effects, seed);
        const OrbitClass orbit = ClassifyOrbit(probe, kOrbitCheck);
        if (orbit.kind == OrbitKind::kRunaway) return {Verdict::kRunaway};
        if (orbit.kind != OrbitKind::kWandering) return {Verdict::kSettled};
        if (IsSmooth(shape)) {
            if (cancel.load(std::memory_order_relaxed)) return {Verdict::kCancelled};
            judged.lyapunov = LargestLyapunovExponent(probe, kLyapunovSteps);
            if (!(judged.lyapunov > kMinLyapunov)) return {Verdict::kNotChaotic, judged.lyapunov};
        }
    }
    if (cancel.load(std::memory_order_relaxed)) return {Verdict::kCancelled};
    TFractalRec framed = candidate;
    const Framing framing = FrameRecord(framed, effects, seed, points);
    judged.coverage = framing.coverage;
    if (framing.escapes > kOrbitCheck.allowedEscapes)
        judged.verdict = Verdict::kRunaway;
    else if (!framing.framed)
        judged.verdict = Verdict::kUnframed;
    else if (!restartsItself && framing.coverage < kMinCoverage)
        judged.verdict = Verdict::kSparse;
    if (judged.verdict == Verdict::kPass) candidate = framed;
    return judged;
}

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

}  // namespace

Result<SearchResult> FindAttractor(TFractalRec& v, const Effects& effects, const SearchLimits& limits,
                                   std::uint64_t seed, const std::atomic<bool>& cancel) {
    SearchResult result;
    if (ShapeOf(v.formula) == FormulaShape::kNone) return result;
    const Clock::time_point start = Clock::now();
    try {
        OrbitProbe starter(v, effects, seed);
        std::vector<Point2D> points;
        while (result.tries < limits.maxTries) {
            if (cancel.load(std::memory_order_relaxed)) {
                result.outcome = SearchOutcome::kCancelled;
                return result;
            }
            if (limits.maxTime && Clock::now() - start >= *limits.maxTime) break;
            ++result.tries;
            starter.MakeRandomStart();
            TFractalRec candidate = v;
            TakeStartValues(candidate, starter.Record());
            // Each try judges with a stream of its own, so that a try's verdict
            // does not depend on how long the tries before it ran.
            const std::uint64_t trySeed =
                MixBits(seed + static_cast<std::uint64_t>(result.tries) * kGoldenGamma);
            const Judged judged = Judge(candidate, effects, trySeed, cancel, points);
            if (judged.verdict == Verdict::kCancelled) {
                result.outcome = SearchOutcome::kCancelled;
                return result;
            }
            if (judged.verdict == Verdict::kPass) {
                v = candidate;
                result.outcome = SearchOutcome::kFound;
                result.lyapunov = judged.lyapunov;
                result.coverage = judged.coverage;
                return result;
            }
            Count(result.rejected, judged.verdict);
        }
        return result;
    } catch (const std::bad_alloc&) {
        return Failure("not enough memory to search for an attractor");
    }
}

}  // namespace zephyrin
