// How repeatable and how quick the measures of an orbit are: for each
// formula, attractors found from a few seeds (Find Attractor with a try
// budget), each measured with the budget the program shows measures from
// (kSettledBudget; with --quick, the default one the searches screen by),
// and measured again from another seed with twice the points and steps,
// independently in two ways:
//
//   beside  from a start moved by a millionth: a chaotic orbit has
//           forgotten the move long before its transient ends, so this is
//           another drawing of the same record at the same stage (for a
//           smooth map the seed alone would change only which points D2
//           takes, and the estimate would share the first one's orbit);
//   later   from a start past the end of the first measure's longest
//           possible run, so that no step of the orbit is measured twice:
//           whether the orbit still does what it did when measured.
//
// Prints for each way how many pairs of estimates agree within 0.01 (L) and
// 0.05 (D2) and the median differences, and the processor time of one
// measure. Orbits still on their way (a chaotic stretch before a cycle or a
// curve, or a slow drift onto a curve) disagree most, and most of all later.
//
//   measure_quality [--seeds N] [--quick] [--verbose] [FORMULA...]
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
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
    MeasureBudget budget = kSettledBudget;
    std::vector<int> formulas;
};

MeasureBudget Doubled(MeasureBudget budget) {
    budget.lyapunovSteps *= 2;
    budget.lyapunovMaxSteps *= 2;
    budget.dimensionPoints *= 2;
    budget.dimensionSpan *= 2;
    budget.coverageIterations *= 2;
    return budget;
}

// The most steps a measure with `budget` makes of the orbit: its transient,
// the window the orbit is classified in and the measuring run, and for an
// orbit that circles the steps on to a second measuring run.
std::int64_t LongestRun(const MeasureBudget& budget) {
    const std::int64_t run =
        std::max({budget.lyapunovMaxSteps, budget.dimensionSpan, budget.coverageIterations});
    return std::int64_t{budget.transient} + 256 + run +
           (budget.circlingSteps > 0 ? budget.circlingSteps + run : 0);
}

// The record with its start moved `steps` along its own orbit.
TFractalRec FurtherAlong(const TFractalRec& v, std::uint64_t seed, std::int64_t steps) {
    OrbitProbe probe(v, {}, seed);
    for (std::int64_t i = 0; i < steps; ++i) probe.Step();
    TFractalRec moved = v;
    moved.startX = probe.Position().x;
    moved.startY = probe.Position().y;
    return moved;
}

TFractalRec Nudged(const TFractalRec& v) {
    TFractalRec moved = v;
    moved.startX += 1e-6 * (1 + std::fabs(v.startX));
    moved.startY -= 1e-6 * (1 + std::fabs(v.startY));
    return moved;
}

double Median(std::vector<double> values) {
    if (values.empty()) return std::nan("");
    std::ranges::sort(values);
    return values[values.size() / 2];
}

// Processor time rather than wall time: the machine may be busy with others' work.
double Seconds(std::clock_t since) {
    return static_cast<double>(std::clock() - since) / CLOCKS_PER_SEC;
}

// How far the second estimates of one way lie from the first ones.
struct Agreement {
    std::vector<double> lyapunov, dimension;

    void Add(const OrbitMeasures& first, const OrbitMeasures& second) {
        const double dL = std::fabs(first.lyapunov - second.lyapunov);
        const double dD = std::fabs(first.dimension - second.dimension);
        if (std::isfinite(dL)) lyapunov.push_back(dL);
        if (std::isfinite(dD)) dimension.push_back(dD);
    }

    void Print(const char* way) const {
        const auto within = [](const std::vector<double>& values, double limit) {
            return std::ranges::count_if(values, [limit](double value) { return value <= limit; });
        };
        std::printf(
            "  %-6s L within 0.01: %2td of %2zu (median difference %.4f)  D2 within 0.05: %2td of %2zu "
            "(median %.3f)\n",
            way, within(lyapunov, 0.01), lyapunov.size(), Median(lyapunov), within(dimension, 0.05),
            dimension.size(), Median(dimension));
    }
};

void Measure(int formula, const Options& options) {
    Agreement beside, later;
    double time = 0;
    int measured = 0;
    for (int seed = 1; seed <= options.seeds; ++seed) {
        TFractalRec v = NewWindowRecord(400, 300);
        SelectFormula(v, formula);
        const std::atomic<bool> never{false};
        const SearchLimits limits{.maxTries = 1000, .maxTime = std::nullopt};
        const auto seedBits = static_cast<std::uint64_t>(seed);
        const auto found = FindAttractor(v, {}, limits, seedBits, never);
        if (!found || found->outcome != SearchOutcome::kFound) continue;
        const std::clock_t start = std::clock();
        const auto first = MeasureOrbit(v, {}, seedBits, options.budget);
        time += Seconds(start);
        const MeasureBudget doubled = Doubled(options.budget);
        const auto near = MeasureOrbit(Nudged(v), {}, seedBits + 1000, doubled);
        const TFractalRec moved = FurtherAlong(v, seedBits, LongestRun(options.budget));
        const auto far = MeasureOrbit(moved, {}, seedBits + 1000, doubled);
        if (!first || !near || !far) continue;
        ++measured;
        beside.Add(*first, *near);
        later.Add(*first, *far);
        if (options.verbose)
            std::printf(
                "  seed %2d: L %8.4f beside %8.4f later %8.4f  D2 %6.3f beside %6.3f later %6.3f  "
                "score %5.3f\n",
                seed, first->lyapunov, near->lyapunov, far->lyapunov, first->dimension, near->dimension,
                far->dimension, first->score);
    }
    std::printf("formula %2d: %2d measured, one measure %.1f ms\n", formula, measured,
                measured ? time / measured * 1e3 : 0.0);
    beside.Print("beside");
    later.Print("later");
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
        else if (argument == "--quick")
            options.budget = {};
        else if (argument == "--seeds" && i + 1 < argc)
            options.seeds = std::max(std::atoi(argv[++i]), 1);
        else
            options.formulas.push_back(std::atoi(argv[i]));
    }
    if (options.formulas.empty()) options.formulas = {1, 5, 45, 63, 70, 71, 23};
    for (const int formula : options.formulas) zephyrin::Measure(formula, options);
}
