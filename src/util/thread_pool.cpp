#include "util/thread_pool.h"

#include <algorithm>

namespace zephyrin {

int ThreadPool::DefaultThreads() {
    return static_cast<int>(std::max(std::thread::hardware_concurrency(), 1u));
}

ThreadPool::ThreadPool(int threads) {
    const int count = std::max(threads, 1);
    threads_.reserve(static_cast<std::size_t>(count));
    try {
        for (int i = 0; i < count; ++i) threads_.emplace_back([this, i] { Work(i); });
    } catch (...) {
        // The threads already started must end before the pool goes.
        {
            const std::scoped_lock lock(mutex_);
            ending_ = true;
        }
        changed_.notify_all();
        for (std::thread& thread : threads_) thread.join();
        throw;
    }
}

ThreadPool::~ThreadPool() {
    {
        const std::scoped_lock lock(mutex_);
        ending_ = true;
        for (ParallelJob* job : jobs_) job->stopped_ = true;
    }
    changed_.notify_all();
    for (std::thread& thread : threads_) thread.join();
}

void ThreadPool::Add(ParallelJob* job) {
    {
        const std::scoped_lock lock(mutex_);
        jobs_.push_back(job);
    }
    changed_.notify_all();
}

void ThreadPool::Remove(ParallelJob* job) {
    std::unique_lock lock(mutex_);
    std::erase(jobs_, job);
    changed_.wait(lock, [&] {
        return std::ranges::none_of(job->shares_, [](const ParallelJob::Share& share) { return share.busy; });
    });
}

ThreadPool::Slice ThreadPool::NextSliceFor(int index) {
    for (std::size_t tried = 0; tried < jobs_.size(); ++tried) {
        next_ %= jobs_.size();
        ParallelJob* job = jobs_[next_];
        next_ = (next_ + 1) % jobs_.size();
        if (job->stopped_) continue;
        const auto free = [&](std::size_t share) {
            return share < job->shares_.size() && !job->shares_[share].busy && !job->shares_[share].done;
        };
        if (const auto own = static_cast<std::size_t>(index); free(own)) return {job, index};
        for (std::size_t share = 0; share < job->shares_.size(); ++share)
            if (free(share)) return {job, static_cast<int>(share)};
    }
    return {};
}

void ThreadPool::Work(int index) {
    std::unique_lock lock(mutex_);
    for (;;) {
        Slice slice;
        changed_.wait(lock, [&] { return ending_ || (slice = NextSliceFor(index)).job != nullptr; });
        if (ending_) return;
        ParallelJob::Share& share = slice.job->shares_[static_cast<std::size_t>(slice.share)];
        share.busy = true;
        lock.unlock();
        slice.job->RunShare(slice.share);
        lock.lock();
        share.busy = false;
        changed_.notify_all();
    }
}

ParallelJob::ParallelJob(ThreadPool& pool) : ParallelJob(pool, pool.Threads()) {}

ParallelJob::ParallelJob(ThreadPool& pool, int shares)
    : pool_(pool), shares_(static_cast<std::size_t>(std::max(shares, 0))), sharesLeft_(std::max(shares, 0)) {}

ParallelJob::~ParallelJob() {
    Stop();
}

void ParallelJob::Start() {
    if (started_) return;
    started_ = true;
    pool_.Add(this);
}

void ParallelJob::Stop() {
    stopped_ = true;
    if (started_) pool_.Remove(this);
    pool_.changed_.notify_all();
}

void ParallelJob::RunShare(int index) {
    bool more = false;
    std::exception_ptr thrown;
    try {
        more = RunSlice(index);
    } catch (...) {
        thrown = std::current_exception();
    }
    const std::scoped_lock lock(pool_.mutex_);
    if (thrown) {
        if (!failure_) failure_ = thrown;
        stopped_ = true;
    }
    if (!more && !shares_[static_cast<std::size_t>(index)].done) {
        shares_[static_cast<std::size_t>(index)].done = true;
        --sharesLeft_;
    }
}

bool ParallelJob::Finished() const {
    const std::scoped_lock lock(pool_.mutex_);
    return stopped_ || sharesLeft_ == 0;
}

bool ParallelJob::WaitFor(std::chrono::milliseconds timeout) {
    std::unique_lock lock(pool_.mutex_);
    return pool_.changed_.wait_for(lock, timeout, [&] {
        const bool idle = std::ranges::none_of(shares_, [](const Share& share) { return share.busy; });
        return (stopped_ && idle) || sharesLeft_ == 0;
    });
}

std::exception_ptr ParallelJob::Failure() const {
    const std::scoped_lock lock(pool_.mutex_);
    return failure_;
}

}  // namespace zephyrin
