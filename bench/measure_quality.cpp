// How repeatable and how quick the measures of an orbit are: for each
// formula, attractors found from a few seeds (Find Attractor with a try
// budget), each measured twice: from its seed with the default budget, and
// from another seed with twice the points and steps, starting 100 000
// iterations further along the orbit (for a smooth map the seed changes
// nothing, the start does). Prints how many pairs of estimates agree
// within 0.01 (L) and 0.05 (D2), the median differences, and the time of
// one measure. Orbits that are still on their way (a chaotic stretch
// before a cycle or a curve, or a slow drift) disagree most.
//
//   measure_quality [--seeds N] [--verbose] [FORMULA...]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "engine/core/defaults.h"
#include "engine/core/formula_table.h"
#include "engine/explore/attractor_search.h"
#include "engine/explore/orbit_measures.h"
#include "engine/explore/orbit_probe.h"

namespace zephyrin {
namespace {

struct Options {
    int seeds = 10;
    bool verbose = false;
    std::vector<int> formulas;
};

MeasureBudget Doubled() {
    MeasureBudget budget;
    budget.lyapunovSteps *= 2;
    budget.lyapunovMaxSteps *= 2;
    budget.dimensionPoints *= 2;
    budget.coverageIterations *= 2;
    return budget;
}

// The record with its start moved along its own orbit.
TFractalRec FurtherAlong(const TFractalRec& v, std::uint64_t seed) {
    OrbitProbe probe(v, {}, seed);
    for (int i = 0; i < 100000; ++i) probe.Step();
    TFractalRec moved = v;
    moved.startX = probe.Position().x;
    moved.startY = probe.Position().y;
    return moved;
}

double Median(std::vector<double> values) {
    if (values.empty()) return std::nan("");
    std::ranges::sort(values);
    return values[values.size() / 2];
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void Measure(int formula, const Options& options) {
    std::vector<double> differencesL, differencesD;
    double time = 0;
    int measured = 0;
    for (int seed = 1; seed <= options.seeds; ++seed) {
        TFractalRec v = NewWindowRecord(400, 300);
        SelectFormula(v, formula);
        const std::atomic<bool> never{false};
        const SearchLimits limits{.maxTries = 1000, .maxTime = std::nullopt};
        const auto found = FindAttractor(v, {}, limits, static_cast<std::uint64_t>(seed), never);
        if (!found || found->outcome != SearchOutcome::kFound) continue;
        const auto start = std::chrono::steady_clock::now();
        const auto first = MeasureOrbit(v, {}, static_cast<std::uint64_t>(seed));
        time += Seconds(start);
        const auto second = MeasureOrbit(FurtherAlong(v, static_cast<std::uint64_t>(seed)), {},
                                         static_cast<std::uint64_t>(seed) + 1000, Doubled());
        if (!first || !second) continue;
        ++measured;
        const double dL = std::fabs(first->lyapunov - second->lyapunov);
        const double dD = std::fabs(first->dimension - second->dimension);
        if (std::isfinite(dL)) differencesL.push_back(dL);
        if (std::isfinite(dD)) differencesD.push_back(dD);
        if (options.verbose)
            std::printf("  seed %2d: L %8.4f %8.4f  D2 %6.3f %6.3f  coverage %5.3f  score %5.3f\n", seed,
                        first->lyapunov, second->lyapunov, first->dimension, second->dimension,
                        first->coverage, first->score);
    }
    const auto within = [](const std::vector<double>& values, double limit) {
        return std::ranges::count_if(values, [limit](double value) { return value <= limit; });
    };
    std::printf(
        "formula %2d: %2d measured  L within 0.01: %2td of %2zu (median difference %.4f)  D2 within 0.05: "
        "%2td "
        "of %2zu (median %.3f)  one measure %.1f ms\n",
        formula, measured, within(differencesL, 0.01), differencesL.size(), Median(differencesL),
        within(differencesD, 0.05), differencesD.size(), Median(differencesD),
        measured ? time / measured * 1e3 : 0.0);
    std::fflush(stdout);
}

}  // namespace
}  // namespace zephyrin

int main(int argc, char** argv) {
    zephyrin::Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--verbose")
            options.verbose = true;
        else if (argument == "--seeds" && i + 1 < argc)
            options.seeds = std::max(std::atoi(argv[++i]), 1);
        else
            options.formulas.push_back(std::atoi(argv[i]));
    }
    if (options.formulas.empty()) options.formulas = {1, 5, 45, 63, 70, 71, 23};
    for (const int formula : options.formulas) zephyrin::Measure(formula, options);
}
