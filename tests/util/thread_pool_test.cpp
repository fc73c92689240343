// Jobs on the pool: every share runs to its end, a thrown exception reaches
// whoever waits and ends only its own job, a stop holds, and a task holding
// a thread leaves the other jobs' shares to the other threads.
#include "util/thread_pool.h"

#include <gtest/gtest.h>

#include <array>
#include <future>
#include <stdexcept>

#include "util/pool_task.h"

namespace zephyrin {
namespace {

// Each share counts its slices up to `slices`; with `throwAt` the first
// share throws at that slice.
class CountingJob final : public ParallelJob {
public:
    CountingJob(ThreadPool& pool, int slices, int throwAt = -1)
        : ParallelJob(pool), slices_(slices), throwAt_(throwAt) {
        Start();
    }
    ~CountingJob() override { Stop(); }
    int Total() const {
        int total = 0;
        for (const auto& count : counts_) total += count.load();
        return total;
    }

private:
    bool RunSlice(int index) override {
        auto& count = counts_[static_cast<std::size_t>(index)];
        if (index == 0 && count.load() == throwAt_) throw std::runtime_error("slice failed");
        return ++count < slices_;
    }
    const int slices_;
    const int throwAt_;
    std::array<std::atomic<int>, 4> counts_{};
};

TEST(ThreadPool, RunsEveryShareOfEveryJobToItsEnd) {
    ThreadPool pool(3);
    CountingJob first(pool, 50), second(pool, 70);
    while (!first.WaitFor(std::chrono::milliseconds(10))) {
    }
    while (!second.WaitFor(std::chrono::milliseconds(10))) {
    }
    EXPECT_TRUE(first.Finished());
    EXPECT_EQ(first.Total(), 3 * 50);
    EXPECT_EQ(second.Total(), 3 * 70);
    EXPECT_FALSE(first.Failure());
}

TEST(ThreadPool, AThrownExceptionEndsItsJobAndReachesTheWaiterWhileOthersGoOn) {
    ThreadPool pool(2);
    CountingJob failing(pool, 1'000'000'000, 5);
    CountingJob other(pool, 200);
    while (!failing.WaitFor(std::chrono::milliseconds(10))) {
    }
    ASSERT_TRUE(failing.Failure());
    EXPECT_THROW(std::rethrow_exception(failing.Failure()), std::runtime_error);
    EXPECT_TRUE(failing.Stopped());
    while (!other.WaitFor(std::chrono::milliseconds(10))) {
    }
    EXPECT_EQ(other.Total(), 2 * 200);
}

TEST(ThreadPool, NoSliceRunsOnceStopReturns) {
    ThreadPool pool(2);
    CountingJob endless(pool, 1'000'000'000);
    while (endless.Total() < 100) std::this_thread::yield();
    endless.Stop();
    const int total = endless.Total();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(endless.Total(), total);
    EXPECT_TRUE(endless.Finished());
}

TEST(ThreadPool, ATaskHoldingAThreadHoldsBackNoShareAndItsFailureReachesTheWaiter) {
    ThreadPool pool(2);
    std::promise<void> release;
    PoolTask holding(pool, [held = release.get_future().share()](const PoolTask&) { held.wait(); });
    holding.Start();
    // Both shares, whichever thread the task holds, run on the thread left.
    CountingJob job(pool, 300);
    while (!job.WaitFor(std::chrono::milliseconds(10))) {
    }
    EXPECT_EQ(job.Total(), 2 * 300);
    EXPECT_FALSE(holding.Finished());
    release.set_value();
    while (!holding.WaitFor(std::chrono::milliseconds(10))) {
    }
    EXPECT_FALSE(holding.Failure());

    PoolTask failing(pool, [](const PoolTask&) { throw std::runtime_error("task failed"); });
    failing.Start();
    while (!failing.WaitFor(std::chrono::milliseconds(10))) {
    }
    EXPECT_THROW(std::rethrow_exception(failing.Failure()), std::runtime_error);
}

}  // namespace
}  // namespace zephyrin
