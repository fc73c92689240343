// The two ways a drawing thread counts its hits, side by side in one
// process: bins per band flushed into a grid shared by every thread, and a
// grid of the thread's own that hits are added to where they fall. CPU ns
// per iteration of one batch on a found, framed formula 70 record, the two
// run in turn ROUNDS times; medians and ranges. A measuring tool, not a
// test; it tells where CountsDrawing::kOwnGridCells should lie:
//   counting_paths [ITERATIONS [ROUNDS [WxH...]]]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/batch/banded_counts.h"
#include "engine/batch/hit_bins.h"
#include "engine/batch/orbit_batch.h"
#include "engine/batch/own_counts.h"
#include "engine/core/count_grid.h"
#include "engine/core/view_coords.h"
#include "engine/explore/fit_view.h"
#include "engine/faithfulness.h"

#include "cpu_clock.h"

namespace {

using namespace zephyrin;

struct Spread {
    double median, low, high;
};
Spread SpreadOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.front(), values.back()};
}

}  // namespace

int main(int argc, char** argv) {
    const std::int64_t iterations = argc > 1 ? std::atoll(argv[1]) : 20'000'000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    std::vector<std::string> sizes;
    for (int i = 3; i < argc; ++i) sizes.emplace_back(argv[i]);
    if (sizes.empty()) sizes = {"400x300", "800x600", "1280x960", "1920x1080"};
    std::printf("batch target %s, %lld iterations, %d rounds; CPU ns per iteration, median (range)\n",
                BatchTarget(), static_cast<long long>(iterations), rounds);
    std::printf("size         shared grid, bins     own grid              bins/own\n");
    for (const std::string& size : sizes) {
        int width = 0, height = 0;
        if (std::sscanf(size.c_str(), "%dx%d", &width, &height) != 2) continue;
        TFractalRec v = testing::FaithfulnessRecord(70, 3, width, height, true);
        std::vector<Point2D> points;
        (void)FrameRecord(v, Effects{}, 3, points);
        FreezeView(v);
        std::vector<double> binned, own;
        for (int r = 0; r < rounds; ++r) {
            CountGrid shared(width, height), mine(width, height);
            BandedCounts grid(shared.Counts(), width, height);
            HitBins bins(grid);
            OwnCounts cells(mine.Counts(), width, height);
            OrbitBatch a(v, Effects{}, 9), b(v, Effects{}, 9);
            a.Run(1, bins);  // the warm-up outside the time
            b.Run(1, cells);
            double start = bench::ThreadCpuSeconds();
            a.Run(iterations, bins);
            bins.EmptyAll();
            binned.push_back((bench::ThreadCpuSeconds() - start) * 1e9 / static_cast<double>(iterations));
            start = bench::ThreadCpuSeconds();
            b.Run(iterations, cells);
            own.push_back((bench::ThreadCpuSeconds() - start) * 1e9 / static_cast<double>(iterations));
            if (shared != mine) std::printf("the two paths counted differently at %s\n", size.c_str());
        }
        const Spread s = SpreadOf(binned), o = SpreadOf(own);
        std::printf("%-12s %5.2f (%5.2f-%5.2f)   %5.2f (%5.2f-%5.2f)   %.2f\n", size.c_str(), s.median, s.low,
                    s.high, o.median, o.low, o.high, s.median / o.median);
    }
}
