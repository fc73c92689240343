// One piece of work on the pool: it runs once, what it throws is kept, and
// a stop reaches work that is running.
#include "util/pool_task.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

namespace zephyrin {
namespace {

void WaitUntilFinished(ParallelJob& job) {
    while (!job.WaitFor(std::chrono::milliseconds(10))) {
    }
}

TEST(PoolTask, RunsOnceKeepsWhatItThrowsAndHearsAStop) {
    ThreadPool pool(3);
    std::atomic<int> runs{0};
    PoolTask once(pool, [&](const PoolTask&) { ++runs; });
    once.Start();
    WaitUntilFinished(once);
    EXPECT_EQ(runs.load(), 1);
    EXPECT_FALSE(once.Failure());

    PoolTask failing(pool, [](const PoolTask&) { throw std::runtime_error("no room"); });
    failing.Start();
    WaitUntilFinished(failing);
    EXPECT_TRUE(failing.Failure());

    std::atomic<bool> started{false}, heard{false};
    PoolTask endless(pool, [&](const PoolTask& task) {
        started = true;
        while (!task.Stopping()) std::this_thread::yield();
        heard = true;
    });
    endless.Start();
    while (!started) std::this_thread::yield();
    endless.Stop();
    EXPECT_TRUE(heard.load());
    EXPECT_TRUE(endless.Finished());
}

}  // namespace
}  // namespace zephyrin
