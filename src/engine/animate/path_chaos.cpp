#include "engine/animate/path_chaos.h"

#include <chrono>
#include <cmath>
#include <string>
#include <utility>

#include "engine/animate/frame_state.h"
#include "engine/animate/path_check_job.h"
#include "engine/core/formula_table.h"
#include "engine/explore/orbit_probe.h"

namespace zephyrin {

FrameVerdict JudgeFrame(const OrbitMeasures& measures, std::int32_t formula) {
    if (!measures.measured) return FrameVerdict::kNotMeasured;
    switch (measures.kind) {
        case OrbitKind::kRunaway:
            return FrameVerdict::kRunaway;
        case OrbitKind::kFixedPoint:
            return FrameVerdict::kFixedPoint;
        case OrbitKind::kCycle:
            return FrameVerdict::kCycle;
        case OrbitKind::kWandering:
            break;
    }
    // A random choice of maps, or a restart every 1000 iterations, has no
    // exponent of one map to judge: wandering is what it can show.
    const double exponent = measures.lyapunov;
    if (!IsSmooth(ShapeOf(formula)) || std::isnan(exponent)) return FrameVerdict::kChaotic;
    if (exponent > kChaoticExponent) return FrameVerdict::kChaotic;
    if (std::fabs(exponent) <= kChaoticExponent && measures.dimension >= kQuasiPeriodicDimension)
        return FrameVerdict::kQuasiPeriodic;
    return FrameVerdict::kNotChaotic;
}

std::string_view VerdictText(FrameVerdict verdict) {
    switch (verdict) {
        case FrameVerdict::kChaotic:
            return "chaotic";
        case FrameVerdict::kQuasiPeriodic:
            return "quasi-periodic";
        case FrameVerdict::kNotChaotic:
            return "not chaotic";
        case FrameVerdict::kCycle:
            return "settles on a cycle";
        case FrameVerdict::kFixedPoint:
            return "settles on a point";
        case FrameVerdict::kRunaway:
            return "runs away";
        case FrameVerdict::kNotMeasured:
            break;
    }
    return "not measured";
}

bool Flagged(FrameVerdict verdict, bool quasiPeriodicAllowed) {
    switch (verdict) {
        case FrameVerdict::kChaotic:
        case FrameVerdict::kNotMeasured:
            return false;
        case FrameVerdict::kQuasiPeriodic:
            return !quasiPeriodicAllowed;
        default:
            return true;
    }
}

std::string FrameListText(const std::vector<std::int64_t>& frames) {
    std::string list;
    for (std::size_t i = 0; i < frames.size();) {
        std::size_t j = i;
        while (j + 1 < frames.size() && frames[j + 1] == frames[j] + 1) ++j;
        list += (list.empty() ? "" : ", ") + std::to_string(frames[i]);
        if (j > i) list += "-" + std::to_string(frames[j]);
        i = j + 1;
    }
    return list;
}

Result<FrameChaos> CheckFrame(const Animation& animation, std::int64_t frame, std::uint64_t seed) {
    const FrameState state = FrameAt(animation, static_cast<double>(frame));
    // The quick budget, as the searches screen by: every frame of a path is
    // measured before any is drawn, and a frame is drawn from its start, so
    // its orbit's first stretch is what it shows; the settled budget would
    // take ten times as long and judge orbits by where they go after a
    // hundred thousand steps.
    const Result<OrbitMeasures> measures =
        MeasureOrbit(state.record, state.effects, seed + static_cast<std::uint64_t>(frame));
    if (!measures) return Failure(measures.error());
    return FrameChaos{frame, *measures, JudgeFrame(*measures, state.record.formula)};
}

Result<std::vector<FrameChaos>> CheckPath(const Animation& animation, std::int64_t first, std::int64_t last,
                                          std::uint64_t seed, ThreadPool& pool, std::stop_token stop) {
    if (last < first) return std::vector<FrameChaos>{};
    PathCheckJob check(pool, animation, first, last, seed, std::move(stop));
    check.Start();
    while (!check.WaitFor(std::chrono::milliseconds(100))) {
    }
    if (check.Failure()) return Failure("not enough memory to measure the frames' orbits");
    return check.Frames();
}

}  // namespace zephyrin
