// The batched kernel's speed beside the engine's, formula by formula, in
// CPU seconds of the drawing thread (so that a loaded machine's other work
// counts less), the two run in turn ROUNDS times; medians and ranges. A
// measuring tool, not a test:
//   batch_speed [WxH] [ITERATIONS [ROUNDS [FORMULA...]]]
// The records are the faithfulness test's.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/faithfulness.h"
#include "engine/faithfulness_records.h"

#include "cpu_clock.h"

namespace {

using namespace zephyrin;

template <typename Draw>
double SecondsOf(Draw draw) {
    const double start = bench::ThreadCpuSeconds();
    draw();
    return bench::ThreadCpuSeconds() - start;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    int width = 800, height = 600;
    if (argc > 1) std::sscanf(argv[1], "%dx%d", &width, &height);
    const std::int64_t iterations = argc > 2 ? std::atoll(argv[2]) : 4'000'000;
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    std::vector<int> only;
    for (int i = 4; i < argc; ++i) only.push_back(std::atoi(argv[i]));
    std::printf(
        "batch target %s, %d x %d, %lld iterations, %d rounds; CPU ns per iteration, median (range)\n",
        BatchTarget(), width, height, static_cast<long long>(iterations), rounds);
    std::printf("formula  engine ns            batch ns             batch/engine rate\n");
    for (const testing::FaithfulnessCase& c : testing::kFaithfulnessCases) {
        if (!only.empty() && std::find(only.begin(), only.end(), c.formula) == only.end()) continue;
        const TFractalRec v = testing::FaithfulnessRecord(c.formula, c.seed, width, height, c.found);
        std::vector<double> engine, batch, ratios;
        for (int r = 0; r < rounds; ++r) {
            engine.push_back(SecondsOf([&] { (void)testing::EngineRises(v, iterations, 1); }) * 1e9 /
                             static_cast<double>(iterations));
            batch.push_back(SecondsOf([&] { (void)testing::BatchRises(v, iterations, 2); }) * 1e9 /
                            static_cast<double>(iterations));
            ratios.push_back(engine.back() / batch.back());
        }
        const auto [engineLow, engineHigh] = std::minmax_element(engine.begin(), engine.end());
        const auto [batchLow, batchHigh] = std::minmax_element(batch.begin(), batch.end());
        const auto [ratioLow, ratioHigh] = std::minmax_element(ratios.begin(), ratios.end());
        std::printf("%7d  %6.1f (%.1f-%.1f)  %6.1f (%.1f-%.1f)  %5.2f (%.2f-%.2f)\n", c.formula,
                    Median(engine), *engineLow, *engineHigh, Median(batch), *batchLow, *batchHigh,
                    Median(ratios), *ratioLow, *ratioHigh);
        std::fflush(stdout);
    }
}
