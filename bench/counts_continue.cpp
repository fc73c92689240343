// Whether runs added up draw what one long run draws: the counts of N + N
// iterations (the second run on the first's counts, with one thread)
// beside a 2N drawing, against two 2N drawings of other seeds beside each
// other, on the formula 70 record of the faithfulness table; and their
// noise, against a second run that repeats the first one's streams.
//
//   build/bench/counts_continue [N]   (default 10000000)
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/faithfulness.h"
#include "render/render_job.h"

namespace zephyrin {
namespace {

std::vector<double> Rises(const CountGrid& counts) {
    std::vector<double> rises(counts.Size());
    for (std::size_t i = 0; i < counts.Size(); ++i)
        rises[i] = static_cast<double>(CountGrid::HitsOf(counts.Counts()[i]));
    return rises;
}

double Distance(const std::vector<double>& x, const std::vector<double>& y) {
    double sum = 0;
    for (std::size_t i = 0; i < x.size(); ++i) sum += (x[i] - y[i]) * (x[i] - y[i]);
    return sum;
}

CountGrid Draw(const DrawingSetup& setup, std::uint64_t seed, std::int64_t run, std::int64_t iterations,
               std::int32_t threads, const CountGrid* start = nullptr) {
    RenderSettings settings;
    settings.seed = seed;
    settings.run = run;
    settings.iterations = iterations;
    settings.threads = threads;
    settings.startCounts = start;
    return Render(setup, settings, {}).counts;
}

}  // namespace
}  // namespace zephyrin

int main(int argc, char** argv) {
    using namespace zephyrin;
    const std::int64_t n = argc > 1 ? std::atoll(argv[1]) : 10'000'000;
    DrawingSetup setup;
    setup.record = testing::FaithfulnessRecord(70, 1, 800, 600);
    setup.record.randomStart = kFalse;
    setup.density.mode = ColouringMode::kDensity;

    const std::vector<double> a = Rises(Draw(setup, 11, 0, 2 * n, 2));
    const std::vector<double> b = Rises(Draw(setup, 22, 0, 2 * n, 2));
    const CountGrid first = Draw(setup, 33, 0, n, 2);
    const std::vector<double> c = Rises(Draw(setup, 33, 1, n, 1, &first));
    // The control: a second run that repeats the first's streams.
    const std::vector<double> twice = Rises(Draw(setup, 33, 0, n, 2, &first));
    const double apart = testing::Correlation(a, b);
    const double continued = testing::Correlation(c, a);
    const double continuedB = testing::Correlation(c, b);
    std::printf("formula 70, 800 x 600, N = %lld, %.2f %% of the pixels lit\n", static_cast<long long>(n),
                100 * testing::Lit(a));
    std::printf("2N (seed 11) ~ 2N (seed 22):          %.6f\n", apart);
    std::printf("N + N (seed 33, runs 0 and 1) ~ 2N 11: %.6f\n", continued);
    std::printf("N + N (seed 33, runs 0 and 1) ~ 2N 22: %.6f\n", continuedB);
    std::printf("largest difference: %.6f (goal: within 0.002)\n",
                std::max(std::abs(continued - apart), std::abs(continuedB - apart)));
    // Independent runs add their noise as one long run has it: the squared
    // distance to another 2N drawing is that of a 2N drawing (ratio 1); a
    // run that repeats its streams doubles its noise instead (ratio 1.5).
    std::printf("noise against 2N 11, as a share of 2N 22's: %.3f (N + N), %.3f (N twice, same streams)\n",
                Distance(c, a) / Distance(b, a), Distance(twice, a) / Distance(b, a));
    return 0;
}
