// The largest Lyapunov exponent measured until it is known well enough,
// rather than over a fixed number of steps.
#pragma once

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "engine/explore/orbit_judge.h"

namespace zephyrin {

struct LyapunovBudget {
    std::int32_t minSteps = 10000;
    std::int32_t maxSteps = 200000;
    // Measuring ends once twice the estimate's standard error is below this.
    double tolerance = 0.005;
    // Measuring ends, with nothing measured, soon after this is set.
    const std::atomic<bool>* cancel = nullptr;
};

struct LyapunovEstimate {
    double exponent = std::numeric_limits<double>::quiet_NaN();  // natural log per step
    std::int32_t steps = 0;                                      // steps made
    bool stable = false;                                         // the tolerance was reached within maxSteps
    bool cancelled = false;
};

// Steps between looks at the estimate's error.
inline constexpr std::int32_t kLyapunovBlock = 1000;
// The standard error comes from this many batches of consecutive blocks,
// each batch a tenth of the steps so far: orbits that linger in one part of
// their attractor for thousands of steps make short batches look alike and
// would hide the error.
inline constexpr std::int32_t kLyapunovBatches = 10;

namespace lyapunov_detail {

struct Block {
    double sum = 0;
    std::int32_t counted = 0;
};

// The standard error of the mean of kLyapunovBatches batch means.
inline double StandardError(const std::vector<Block>& blocks) {
    const std::size_t perBatch = blocks.size() / kLyapunovBatches;
    double means = 0, squares = 0;
    std::int32_t batches = 0;
    for (std::size_t first = blocks.size() % kLyapunovBatches; first < blocks.size(); first += perBatch) {
        Block batch;
        for (std::size_t i = first; i < first + perBatch; ++i) {
            batch.sum += blocks[i].sum;
            batch.counted += blocks[i].counted;
        }
        if (batch.counted == 0) continue;
        const double mean = batch.sum / batch.counted;
        means += mean;
        squares += mean * mean;
        ++batches;
    }
    if (batches < 2) return std::numeric_limits<double>::infinity();
    const double average = means / batches;
    return std::sqrt(std::max(squares / batches - average * average, 0.0) / (batches - 1));
}

}  // namespace lyapunov_detail

// Benettin's method (ShadowPair) from `start`: the mean growth over every
// measured step after the first kLyapunovAlignSteps, until at least
// minSteps are made and twice the standard error of the mean is within the
// tolerance, or maxSteps are made. `observe(orbit, stayed)` sees the orbit
// after every step, and whether it stayed. -inf when the orbits merge; NaN
// when no step could be measured or the budget's cancel flag was set (read
// between blocks).
template <SteppedOrbit S, typename Observe>
LyapunovEstimate EstimateLyapunov(const S& start, const LyapunovBudget& budget, Observe&& observe) {
    using lyapunov_detail::Block;
    ShadowPair<S> pair(start);
    LyapunovEstimate estimate;
    std::vector<Block> blocks;
    Block total;
    while (estimate.steps < budget.maxSteps) {
        if (budget.cancel && budget.cancel->load(std::memory_order_relaxed)) {
            estimate.cancelled = true;
            return estimate;
        }
        Block block;
        for (std::int32_t i = 0; i < kLyapunovBlock && estimate.steps < budget.maxSteps; ++i) {
            const std::optional<double> growth = pair.Step();
            observe(pair.Orbit(), pair.OrbitStayed());
            if (estimate.steps++ < kLyapunovAlignSteps || !growth) continue;
            if (std::isinf(*growth)) {
                estimate.exponent = *growth;
                estimate.stable = true;
                return estimate;
            }
            block.sum += *growth;
            ++block.counted;
        }
        total.sum += block.sum;
        total.counted += block.counted;
        blocks.push_back(block);
        if (estimate.steps >= budget.minSteps && std::ssize(blocks) >= kLyapunovBatches &&
            2 * lyapunov_detail::StandardError(blocks) <= budget.tolerance) {
            estimate.stable = true;
            break;
        }
    }
    if (total.counted > 0) estimate.exponent = total.sum / total.counted;
    return estimate;
}

template <SteppedOrbit S>
LyapunovEstimate EstimateLyapunov(const S& start, const LyapunovBudget& budget) {
    return EstimateLyapunov(start, budget, [](const S&, bool) {});
}

}  // namespace zephyrin
