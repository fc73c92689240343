#include "util/pool_task.h"

#include <utility>

namespace zephyrin {

PoolTask::PoolTask(ThreadPool& pool, std::function<void()> task) : ParallelJob(pool, 1), task_(std::move(task)) {
    Start();
}

PoolTask::~PoolTask() {
    Stop();
}

bool PoolTask::RunSlice(int) {
    task_();
    return false;
}

}  // namespace zephyrin
