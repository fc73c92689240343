#include "engine/explore/attractor_search.h"

#include <new>
#include <vector>

#include "engine/core/formula_table.h"
#include "engine/core/random.h"
#include "engine/explore/orbit_probe.h"

namespace zephyrin {

Result<SearchResult> FindAttractor(TFractalRec& v, const Effects& effects, const SearchLimits& limits,
                                   std::uint64_t seed, const std::atomic<bool>& cancel) {
    using Clock = std::chrono::steady_clock;
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
            const Judged judged =
                JudgeStart(candidate, effects, trySeed, limits.keepQuasiPeriodic, cancel, points);
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
