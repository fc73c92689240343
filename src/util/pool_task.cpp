#include "util/pool_task.h"

#include <utility>

namespace zephyrin {

PoolTask::PoolTask(ThreadPool& pool, Work work) : ParallelJob(pool, 1), work_(std::move(work)) {}

PoolTask::~PoolTask() {
    Stop();
}

bool PoolTask::RunSlice(int) {
    if (!StopRequested()) work_(*this);
    return false;
}

}  // namespace zephyrin
