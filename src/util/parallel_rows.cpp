#include "util/parallel_rows.h"

#include <chrono>
#include <exception>

#include "util/thread_pool.h"

namespace zephyrin {
namespace {

// Each share is one run in one slice: rows cost about alike, so an even
// split keeps the threads busy to the end without a queue.
class RowRunsJob final : public ParallelJob {
public:
    RowRunsJob(ThreadPool& pool, int rows, const std::function<void(int, int, int)>& work)
        : ParallelJob(pool), rows_(rows), work_(work) {}
    ~RowRunsJob() override { Stop(); }

protected:
    bool RunSlice(int index) override {
        const auto runs = static_cast<long long>(Shares());
        const auto first = static_cast<int>(rows_ * static_cast<long long>(index) / runs);
        const auto end = static_cast<int>(rows_ * static_cast<long long>(index + 1) / runs);
        if (first < end) work_(first, end, index);
        return false;
    }

private:
    int rows_;
    const std::function<void(int, int, int)>& work_;
};

}  // namespace

int RowRuns(const ThreadPool* pool) {
    return pool == nullptr ? 1 : pool->Threads();
}

void ForRowsInParallel(ThreadPool* pool, int rows, const std::function<void(int, int, int)>& work) {
    if (rows <= 0) return;
    if (RowRuns(pool) == 1) {
        work(0, rows, 0);
        return;
    }
    RowRunsJob job(*pool, rows, work);
    job.Start();
    while (!job.WaitFor(std::chrono::milliseconds(100))) {
    }
    job.Stop();
    if (const std::exception_ptr failure = job.Failure()) std::rethrow_exception(failure);
}

}  // namespace zephyrin
