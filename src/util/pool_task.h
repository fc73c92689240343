#pragma once

#include <functional>

#include "util/thread_pool.h"

namespace zephyrin {

// Work that cannot be cut into slices (a search, colouring and saving a
// frame, a small picture), run once on whichever of the pool's threads is
// free first, so that it runs off the interface thread without a thread of
// its own: the thread is the task's until it returns, and the pool's other
// jobs go on on the other threads. Long work looks at Stopping now and then;
// Stop and the destructor wait for it.
class PoolTask final : public ParallelJob {
public:
    using Work = std::function<void(const PoolTask& task)>;

    PoolTask(ThreadPool& pool, Work work);
    ~PoolTask() override;

    bool Stopping() const { return StopRequested(); }

private:
    bool RunSlice(int index) override;

    Work work_;
};

}  // namespace zephyrin
