// Rows shared out among the pool's threads: every row once, in runs of
// neighbours with shares of their own, and a run's exception for the caller.
#include "util/parallel_rows.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

#include "util/thread_pool.h"

namespace zephyrin {
namespace {

TEST(ParallelRows, EveryRowOnceInRunsOfTheirOwn) {
    ThreadPool pool(3);
    for (ThreadPool* on : {&pool, static_cast<ThreadPool*>(nullptr)})
        for (int rows : {1, 2, 7, 100}) {
            std::vector<std::atomic<int>> visits(static_cast<std::size_t>(rows));
            std::vector<std::atomic<int>> runsOfShare(static_cast<std::size_t>(RowRuns(on)));
            ForRowsInParallel(on, rows, [&](int first, int end, int share) {
                ++runsOfShare[static_cast<std::size_t>(share)];
                for (int row = first; row < end; ++row) ++visits[static_cast<std::size_t>(row)];
            });
            for (const auto& count : visits) EXPECT_EQ(count.load(), 1) << rows;
            int runs = 0;
            for (const auto& count : runsOfShare) {
                EXPECT_LE(count.load(), 1);
                runs += count.load();
            }
            EXPECT_EQ(runs, std::min(rows, RowRuns(on)));
        }
}

TEST(ParallelRows, ARunsExceptionReachesTheCaller) {
    ThreadPool pool(2);
    EXPECT_THROW(ForRowsInParallel(&pool, 10,
                                   [](int first, int, int) {
                                       if (first == 0) throw std::runtime_error("row 0");
                                   }),
                 std::runtime_error);
    // The pool goes on with the next job.
    std::atomic<int> rows = 0;
    ForRowsInParallel(&pool, 10, [&](int first, int end, int) { rows += end - first; });
    EXPECT_EQ(rows.load(), 10);
}

}  // namespace
}  // namespace zephyrin
