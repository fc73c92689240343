#pragma once

#include <functional>

#include "util/thread_pool.h"

namespace zephyrin {

// Work that cannot be cut into slices, run once on whichever of the pool's
// threads is free first: the thread is the task's until it returns, and the
// pool's other jobs go on on the other threads. The task ends soon only if
// it looks at a flag of its caller's; Stop and the destructor wait for it.
class PoolTask final : public ParallelJob {
public:
    PoolTask(ThreadPool& pool, std::function<void()> task);
    ~PoolTask() override;

private:
    bool RunSlice(int index) override;

    std::function<void()> task_;
};

}  // namespace zephyrin
