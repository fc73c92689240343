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
    drawing.CopyCounts(counts);
    return counts.TotalRise();
}

void WaitFor(const CountsDrawing& drawing, std::int64_t iterations) {
    while (drawing.Iterations() < iterations) std::this_thread::yield();
}

TEST(CountsDrawing, AddsEveryThreadsCountsAndStopsForGood) {
    ThreadPool pool(2);
    CountsDrawing drawing(pool, testing::StillPointRecord(), {}, 1);
    WaitFor(drawing, 4 * CountsDrawing::kSlice);
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
    ThreadPool pool(2);
    CountsDrawing drawing(pool, v, {}, 1, counted);
    WaitFor(drawing, CountsDrawing::kSlice);
    drawing.Stop();
    EXPECT_EQ(Rise(drawing), 1000 + 10 * drawing.Iterations());
}

// One thread, two drawings: slices alternate, so neither gets ahead by more
// than the slice in progress and the one before it.
TEST(CountsDrawing, DrawingsSideBySideShareTheThreads) {
    ThreadPool pool(1);
    CountsDrawing first(pool, testing::StillPointRecord(), {}, 1);
    CountsDrawing second(pool, testing::StillPointRecord(), {}, 2);
    WaitFor(second, 6 * CountsDrawing::kSlice);
    first.Stop();
    second.Stop();
    EXPECT_LE(std::abs(first.Iterations() - second.Iterations()), 2 * CountsDrawing::kSlice);
}

// A budget is drawn exactly, shared out over the threads, and the same
// seed and threads draw the same counts.
TEST(CountsDrawing, DrawsABudgetExactlyAndRepeatably) {
    ThreadPool pool(2);
    const TFractalRec v = testing::StillPointRecord();
    constexpr std::int64_t kBudget = 1'000'003;
    CountsDrawing first(pool, v, {}, 9, {}, kBudget);
    CountsDrawing again(pool, v, {}, 9, {}, kBudget);
    while (!first.WaitFor(std::chrono::milliseconds(10))) {
    }
    while (!again.WaitFor(std::chrono::milliseconds(10))) {
    }
    EXPECT_EQ(first.Iterations(), kBudget);
    EXPECT_EQ(Rise(first), 10 * kBudget);
    CountGrid a, b;
    first.CopyCounts(a);
    again.CopyCounts(b);
    EXPECT_EQ(a, b);
}

// Both threads add to the one pixel of a still point while the counts are
// copied: no copy holds fewer hits than the one before, the last holds all.
TEST(CountsDrawing, CopiesWhileTheThreadsCount) {
    ThreadPool pool(2);
    constexpr std::int64_t kBudget = 3 * CountsDrawing::kSlice + 5;
    CountsDrawing drawing(pool, testing::StillPointRecord(), {}, 4, {}, kBudget);
    std::int64_t last = 0;
    while (!drawing.Finished()) {
        const std::int64_t rise = Rise(drawing);
        EXPECT_GE(rise, last);
        last = rise;
    }
    EXPECT_EQ(Rise(drawing), 10 * kBudget);
}

// Every variation switched off: once the threads have taken the record up,
// they go on iterating and plot nothing.
TEST(CountsDrawing, AHandedRecordReachesTheThreads) {
    ThreadPool pool(2);
    TFractalRec v = testing::StillPointRecord();
    CountsDrawing drawing(pool, v, {}, 1);
    WaitFor(drawing, CountsDrawing::kSlice);
    v.varNone = kFalse;
    drawing.Hand(v, {});
    while (drawing.Taken() < 1) std::this_thread::yield();
    const std::int64_t rise = Rise(drawing);
    WaitFor(drawing, drawing.Iterations() + 2 * CountsDrawing::kSlice);
    EXPECT_EQ(Rise(drawing), rise);
}

}  // namespace
}  // namespace zephyrin
