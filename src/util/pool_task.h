#pragma once

#include <functional>
#include <utility>

#include "util/thread_pool.h"

namespace zephyrin {

// One piece of work (drawing a small picture, colouring and saving a frame)
// for a program's pool, taken by its first thread in turn with the pool's
// other jobs, so that it runs off the interface thread without a thread of
// its own. Long work looks at Stopping now and then.
class PoolTask final : public ParallelJob {
public:
    using Work = std::function<void(const PoolTask& task)>;

    PoolTask(ThreadPool& pool, Work work) : ParallelJob(pool), work_(std::move(work)) {}
    // Waits for the work if it is running.
    ~PoolTask() override { Stop(); }

    bool Stopping() const { return StopRequested(); }

private:
    bool RunSlice(int index) override {
        if (index == 0 && !StopRequested()) work_(*this);
        return false;
    }

    Work work_;
};

}  // namespace zephyrin
