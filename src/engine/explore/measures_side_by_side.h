#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "engine/core/effects.h"
#include "engine/core/fractal_rec.h"
#include "engine/explore/orbit_measures.h"
#include "util/result.h"
#include "util/thread_pool.h"

namespace zephyrin {

struct MeasureRequest {
    TFractalRec record;
    std::uint64_t seed = 0;
};

// Called with a request's place and its measures.
using Measured = std::function<void(std::size_t, const OrbitMeasures&)>;

// MeasureOrbit of every request with `budget`, a request to a thread of
// `pool` at a time, or one after the other on this thread without a pool
// (the pool must not be the one this thread belongs to: its slice would hold
// a thread while it waits). `measured` is called on this thread in the
// order of the requests, each as soon as it and those before it are
// measured; the measures are the same whichever threads made them. Fails
// when memory runs short, and soon after `cancel` is set.
[[nodiscard]] Result<> MeasureSideBySide(const std::vector<MeasureRequest>& requests, const Effects& effects,
                                         const MeasureBudget& budget, ThreadPool* pool,
                                         const std::atomic<bool>& cancel, const Measured& measured);

}  // namespace zephyrin
