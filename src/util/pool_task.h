#pragma once

#include <functional>
#include <utility>

#include "util/thread_pool.h"

namespace zephyrin {

// One short piece of work (colouring and saving a frame, drawing a small
// picture) for a program's pool, taken by its first thread in turn with the
// pool's other jobs, so that it runs off the interface thread without a
// thread of its own.
class PoolTask final : public ParallelJob {
public:
    using Work = std::function<void()>;

    PoolTask(ThreadPool& pool, Work work) : ParallelJob(pool), work_(std::move(work)) {}
    // Waits for the work if it is running.
    ~PoolTask() override { Stop(); }

private:
    bool RunSlice(int index) override {
        if (index == 0 && !StopRequested()) work_();
        return false;
    }

    Work work_;
};

}  // namespace zephyrin
