#include "engine/explore/appeal_score.h"

#include <algorithm>
#include <cmath>

namespace zephyrin {

namespace {

double DimensionFactor(double dimension) {
    if (std::isnan(dimension)) return 0;
    const double outside = std::max({1.1 - dimension, dimension - 1.5, 0.0});
    return std::exp(-(outside / 0.3) * (outside / 0.3));
}

double CoverageFactor(double coverage) {
    return std::sqrt(std::clamp(coverage / 0.2, 0.0, 1.0));
}

double LyapunovFactor(double lyapunov) {
    if (std::isnan(lyapunov)) return 0;
    if (lyapunov <= 0.4) return std::clamp(0.5 + 5 * lyapunov, 0.0, 1.0);
    const double above = (lyapunov - 0.4) / 0.4;
    return std::exp(-above * above);
}

}  // namespace

double AppealScore(double lyapunov, double dimension, double coverage, bool byLyapunov) {
    const double score = DimensionFactor(dimension) * CoverageFactor(coverage);
    return byLyapunov ? score * LyapunovFactor(lyapunov) : score;
}

}  // namespace zephyrin
