// The largest Lyapunov exponent measured until it is known well enough,
// rather than over a fixed number of steps.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "engine/explore/orbit_judge.h"

namespace zephyrin {

struct LyapunovBudget {
    std::int32_t minSteps = 10000;
    std::int32_t maxSteps = 200000;
    // Measuring ends once twice the estimate's standard error is below this.
    double tolerance = 0.005;
};

struct LyapunovEstimate {
    double exponent = std::numeric_limits<double>::quiet_NaN();  // natural log per step
    std::int32_t steps = 0;                                      // steps made
    bool stable = false;                                         // the tolerance was reached within maxSteps
};

// Long enough that the means of neighbouring blocks are nearly independent,
// so that their spread tells the mean's standard error.
inline constexpr std::int32_t kLyapunovBlock = 1000;
// Fewer block means say too little about their spread.
inline constexpr std::int32_t kLyapunovMinBlocks = 8;

// Benettin's method (ShadowPair) from `start`: the mean growth over every
// measured step after the first kLyapunovAlignSteps, in blocks of
// kLyapunovBlock steps, until the standard error of the mean, taken from the
// spread of the block means, is within half the tolerance. -inf when the
// orbits merge; NaN when no step could be measured.
template <SteppedOrbit S>
LyapunovEstimate EstimateLyapunov(const S& start, const LyapunovBudget& budget) {
    ShadowPair<S> pair(start);
    LyapunovEstimate estimate;
    double sum = 0;
    std::int64_t counted = 0;
    double blockMeans = 0, blockSquares = 0;
    std::int32_t blocks = 0;
    while (estimate.steps < budget.maxSteps) {
        double blockSum = 0;
        std::int32_t blockCounted = 0;
        for (std::int32_t i = 0; i < kLyapunovBlock && estimate.steps < budget.maxSteps; ++i) {
            const std::optional<double> growth = pair.Step();
            if (estimate.steps++ < kLyapunovAlignSteps || !growth) continue;
            if (std::isinf(*growth)) {
                estimate.exponent = *growth;
                estimate.stable = true;
                return estimate;
            }
            blockSum += *growth;
            ++blockCounted;
        }
        if (blockCounted == 0) continue;
        sum += blockSum;
        counted += blockCounted;
        const double mean = blockSum / blockCounted;
        blockMeans += mean;
        blockSquares += mean * mean;
        ++blocks;
        if (estimate.steps < budget.minSteps || blocks < kLyapunovMinBlocks) continue;
        const double average = blockMeans / blocks;
        const double variance = std::max(blockSquares / blocks - average * average, 0.0) / (blocks - 1);
        if (2 * std::sqrt(variance) <= budget.tolerance) {
            estimate.stable = true;
            break;
        }
    }
    if (counted > 0) estimate.exponent = sum / static_cast<double>(counted);
    return estimate;
}

}  // namespace zephyrin
