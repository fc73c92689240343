#pragma once

#include <cstdint>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "engine/animate/animation.h"
#include "engine/explore/orbit_measures.h"
#include "util/result.h"
#include "util/thread_pool.h"

namespace zephyrin {

// What a frame's orbit does, as the path check sees it.
enum class FrameVerdict {
    kChaotic,        // wanders with a positive exponent (the IFS and self-restarting formulas: wanders)
    kQuasiPeriodic,  // wanders on a curve: an exponent about 0 and a dimension of at least about 1
    kNotChaotic,     // wanders, but nearby orbits close in
    kCycle,          // settles on a cycle
    kFixedPoint,     // settles on one point
    kRunaway,        // runs away
    kNotMeasured,    // a formula without a step
};

// An exponent above this is chaos, as the search takes it; within it of 0,
// with a dimension of at least kQuasiPeriodicDimension, quasi-periodic.
inline constexpr double kChaoticExponent = 0.005;
inline constexpr double kQuasiPeriodicDimension = 0.9;

FrameVerdict JudgeFrame(const OrbitMeasures& measures, std::int32_t formula);

// "chaotic", "quasi-periodic", "not chaotic", "settles on a cycle", ...
std::string_view VerdictText(FrameVerdict verdict);

// Whether a frame is one to report: not chaotic, and with
// `quasiPeriodicAllowed` not quasi-periodic either. Unmeasured frames are not.
bool Flagged(FrameVerdict verdict, bool quasiPeriodicAllowed);

// Frame numbers in increasing order as "3, 7-12, 40".
std::string FrameListText(const std::vector<std::int64_t>& frames);

struct FrameChaos {
    std::int64_t frame = 0;
    OrbitMeasures measures;
    FrameVerdict verdict = FrameVerdict::kNotMeasured;
};

// Measures frame `frame`'s orbit (MeasureOrbit, with seed + frame, as it is
// drawn) and judges it. Fails only when memory runs short.
[[nodiscard]] Result<FrameChaos> CheckFrame(const Animation& animation, std::int64_t frame,
                                            std::uint64_t seed);

// Measures the orbits of frames `first` to `last` (MeasureOrbit, frame k
// with seed + k, as it is drawn) on the pool's threads, before any of them
// is drawn. In frame order; stops early, with the frames measured so far,
// when `stop` is requested. Fails only when memory runs short.
[[nodiscard]] Result<std::vector<FrameChaos>> CheckPath(const Animation& animation, std::int64_t first,
                                                        std::int64_t last, std::uint64_t seed,
                                                        ThreadPool& pool, std::stop_token stop = {});

}  // namespace zephyrin
