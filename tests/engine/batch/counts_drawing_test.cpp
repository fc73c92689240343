// Drawings on the pool: the counts of every thread, a fair share for each
// drawing, stops that hold, and handed records that reach the threads.
#include "engine/batch/counts_drawing.h"

#include <gtest/gtest.h>

#include <thread>

#include "engine/core/defaults.h"
#include "engine/core/engine.h"
#include "engine/core/view_coords.h"
#include "engine/faithfulness.h"

namespace zephyrin {
namespace {

std::int64_t Rise(const CountsDrawing& drawing) {
    CountGrid counts;
    drawing.SumCounts(counts);
    return counts.TotalRise();
}

void WaitFor(const CountsDrawing& drawing, std::int64_t iterations) {
    while (drawing.Iterations() < iterations) std::this_thread::yield();
}

TEST(CountsDrawing, AddsEveryThreadsCountsAndStopsForGood) {
    DrawingPool pool(2);
    CountsDrawing drawing(pool, testing::StillPointRecord(), {}, 1);
    WaitFor(drawing, 4 * DrawingPool::kSlice);
    drawing.Stop();
    const std::int64_t done = drawing.Iterations();
    EXPECT_EQ(Rise(drawing), 10 * done);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(drawing.Iterations(), done);
}

// A drawing that takes over another drawing's counts adds to them.
TEST(CountsDrawing, TakesOverTheEnginesCounts) {
    const TFractalRec v = testing::StillPointRecord();
    CountGrid counted(v.width, v.height);
    counted.Counts()[7] += 1000;
    DrawingPool pool(2);
    CountsDrawing drawing(pool, v, {}, 1, counted);
    WaitFor(drawing, DrawingPool::kSlice);
    drawing.Stop();
    EXPECT_EQ(Rise(drawing), 1000 + 10 * drawing.Iterations());
}

// One thread, two drawings: slices alternate, so neither gets ahead by more
// than the slice in progress and the one before it.
TEST(CountsDrawing, DrawingsSideBySideShareTheThreads) {
    DrawingPool pool(1);
    CountsDrawing first(pool, testing::StillPointRecord(), {}, 1);
    CountsDrawing second(pool, testing::StillPointRecord(), {}, 2);
    WaitFor(second, 6 * DrawingPool::kSlice);
    first.Stop();
    second.Stop();
    EXPECT_LE(std::abs(first.Iterations() - second.Iterations()), 2 * DrawingPool::kSlice);
}

// Every variation switched off: once the threads have taken the record up,
// they go on iterating and plot nothing.
TEST(CountsDrawing, AHandedRecordReachesTheThreads) {
    DrawingPool pool(2);
    TFractalRec v = testing::StillPointRecord();
    CountsDrawing drawing(pool, v, {}, 1);
    WaitFor(drawing, DrawingPool::kSlice);
    v.varNone = kFalse;
    drawing.Hand(v, {});
    while (drawing.Taken() < 1) std::this_thread::yield();
    const std::int64_t rise = Rise(drawing);
    WaitFor(drawing, drawing.Iterations() + 2 * DrawingPool::kSlice);
    EXPECT_EQ(Rise(drawing), rise);
}

}  // namespace
}  // namespace zephyrin
