#include "engine/animate/path_chaos.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include "engine/animate/frame_state.h"
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

namespace {

// One frame a slice, taken in turn by whichever share is free, so that a
// stop is seen within one frame's measuring.
class PathCheck final : public ParallelJob {
public:
    PathCheck(ThreadPool& pool, const Animation& animation, std::int64_t first, std::int64_t last,
              std::uint64_t seed, std::stop_token stop)
        : ParallelJob(pool),
          animation_(animation),
          first_(first),
          seed_(seed),
          stop_(std::move(stop)),
          frames_(static_cast<std::size_t>(last - first + 1)),
          measured_(frames_.size()) {
        Start();
    }
    ~PathCheck() override { Stop(); }

    [[nodiscard]] Result<std::vector<FrameChaos>> Take() {
        if (failure_) return zephyrin::Failure(*failure_);
        frames_.resize(measured_);
        return std::move(frames_);
    }

private:
    bool RunSlice(int) override {
        const std::size_t i = next_++;
        if (i >= frames_.size()) return false;
        if (stop_.stop_requested()) {
            const std::scoped_lock lock(mutex_);
            measured_ = std::min(measured_, i);
            return false;
        }
        const std::int64_t frame = first_ + static_cast<std::int64_t>(i);
        const FrameState state = FrameAt(animation_, static_cast<double>(frame));
        const Result<OrbitMeasures> measures =
            MeasureOrbit(state.record, state.effects, seed_ + static_cast<std::uint64_t>(frame));
        if (!measures) {
            const std::scoped_lock lock(mutex_);
            failure_ = measures.error();
            next_ = frames_.size();
            return false;
        }
        frames_[i] = {frame, *measures, JudgeFrame(*measures, state.record.formula)};
        return true;
    }

    const Animation& animation_;
    const std::int64_t first_;
    const std::uint64_t seed_;
    const std::stop_token stop_;
    std::vector<FrameChaos> frames_;
    std::atomic<std::size_t> next_{0};
    std::mutex mutex_;
    std::size_t measured_;  // frames before it are measured once the job ends
    std::optional<std::string> failure_;
};

}  // namespace

Result<std::vector<FrameChaos>> CheckPath(const Animation& animation, std::int64_t first, std::int64_t last,
                                          std::uint64_t seed, ThreadPool& pool, std::stop_token stop) {
    if (last < first) return std::vector<FrameChaos>{};
    PathCheck check(pool, animation, first, last, seed, std::move(stop));
    while (!check.WaitFor(std::chrono::milliseconds(100))) {
    }
    if (const std::exception_ptr failure = check.Failure()) std::rethrow_exception(failure);
    return check.Take();
}

}  // namespace zephyrin
