// How good and how quick Find Attractor is: for each formula, 20 seeds, a
// 400 x 300 picture of a new window's settings drawn with one million
// iterations after the search; the share of pictures that light at least 2 %
// of their pixels, and the median and longest search. `--no-find` measures
// the plain random starts in the start view instead, for comparison.
//
//   find_quality [--no-find] [--seeds N] [--iterations N] [FORMULA...]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "engine/core/defaults.h"
#include "engine/core/formula_table.h"
#include "engine/core/view_coords.h"
#include "engine/explore/attractor_search.h"
#include "render/render_job.h"

namespace zephyrin {
namespace {

constexpr double kLitGoal = 0.02;

struct Options {
    bool find = true;
    bool verbose = false;
    int seeds = 20;
    std::int64_t iterations = 1'000'000;
    std::vector<int> formulas;
};

double LitShare(const Picture& picture) {
    std::int64_t lit = 0;
    for (int row = 0; row < picture.Height(); ++row)
        for (int column = 0; column < picture.Width(); ++column) lit += picture.Pixel(column, row) != 0;
    return static_cast<double>(lit) / (static_cast<double>(picture.Width()) * picture.Height());
}

double Median(std::vector<double> values) {
    std::ranges::sort(values);
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void Measure(int formula, const Options& options) {
    std::vector<double> seconds;
    std::vector<double> tries;
    int good = 0, found = 0;
    Rejections rejected;
    for (int seed = 1; seed <= options.seeds; ++seed) {
        DrawingSetup setup{NewWindowRecord(400, 300), {}};
        SelectFormula(setup.record, formula);
        SearchResult search;
        if (options.find) {
            const std::atomic<bool> cancel{false};
            const auto start = std::chrono::steady_clock::now();
            const Result<SearchResult> searched = FindAttractor(setup.record, setup.effects, SearchLimits{},
                                                                static_cast<std::uint64_t>(seed), cancel);
            seconds.push_back(
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
            if (!searched) {
                std::printf("seed %d: %s\n", seed, searched.error().c_str());
                continue;
            }
            search = *searched;
            tries.push_back(search.tries);
            found += search.outcome == SearchOutcome::kFound;
            rejected.runaway += search.rejected.runaway;
            rejected.settled += search.rejected.settled;
            rejected.notChaotic += search.rejected.notChaotic;
            rejected.unframed += search.rejected.unframed;
            rejected.sparse += search.rejected.sparse;
            if (search.outcome != SearchOutcome::kFound) {
                if (options.verbose)
                    std::printf("  seed %2d: nothing found in %d tries\n", seed, search.tries);
                continue;
            }
        }
        FreezeView(setup.record);
        const RenderSettings settings{.threads = 1,
                                      .seed = static_cast<std::uint64_t>(seed),
                                      .iterations = options.iterations,
                                      .seconds = {}};
        const double lit = LitShare(Render(setup, settings, {}).picture);
        good += lit >= kLitGoal;
        if (options.verbose)
            std::printf(
                "  seed %2d: tries %4d  %7.1f ms  lyapunov %6.3f  coverage %5.3f  lit %5.3f  zoom %g\n", seed,
                search.tries, seconds.empty() ? 0 : seconds.back() * 1e3, search.lyapunov, search.coverage,
                lit, setup.record.zoom);
    }
    std::printf("formula %2d: %2d of %d light >= 2 %%", formula, good, options.seeds);
    if (options.find) {
        std::printf(
            "  found %2d  search median %6.1f ms  max %6.1f ms  tries median %4.1f max %d  turned down: "
            "runaway %d, settled %d, not chaotic %d, unframed %d, sparse %d",
            found, Median(seconds) * 1e3, std::ranges::max(seconds) * 1e3, Median(tries),
            static_cast<int>(std::ranges::max(tries)), rejected.runaway, rejected.settled,
            rejected.notChaotic, rejected.unframed, rejected.sparse);
    }
    std::printf("\n");
    std::fflush(stdout);
}

}  // namespace
}  // namespace zephyrin

int main(int argc, char** argv) {
    zephyrin::Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--no-find")
            options.find = false;
        else if (argument == "--verbose")
            options.verbose = true;
        else if (argument == "--seeds" && i + 1 < argc)
            options.seeds = std::atoi(argv[++i]);
        else if (argument == "--iterations" && i + 1 < argc)
            options.iterations = std::atoll(argv[++i]);
        else
            options.formulas.push_back(std::atoi(argv[i]));
    }
    if (options.formulas.empty()) options.formulas = {1, 5, 45, 63, 70, 71};
    if (options.seeds < 1) options.seeds = 1;
    for (const int formula : options.formulas) zephyrin::Measure(formula, options);
}
