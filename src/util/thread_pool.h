#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace zephyrin {

class ParallelJob;

// The process's worker threads, one per core, shared by every job: each free
// thread takes the next job in turn that has work for it and runs one slice
// of it, so jobs side by side share the cores fairly.
class ThreadPool {
public:
    explicit ThreadPool(int threads = DefaultThreads());
    // Stops every job still in the pool and joins the threads.
    ~ThreadPool();
    ThreadPool(const ThreadPool&) = delete;
    ThreadPool& operator=(const ThreadPool&) = delete;

    int Threads() const { return static_cast<int>(threads_.size()); }
    static int DefaultThreads();

private:
    friend class ParallelJob;
    void Add(ParallelJob* job);
    // Returns once no thread runs a slice of `job` any more.
    void Remove(ParallelJob* job);
    void Work(int index);
    struct Slice {
        ParallelJob* job = nullptr;
        int share = 0;
    };
    // The next job in turn with a share free to run, or no job; under the lock.
    // Thread `index` takes the share of its own index where it can, so that a
    // share's state mostly stays in one core's cache, and any other free
    // share when that one is busy: a thread held by a long task leaves its
    // shares to the other threads instead of holding them back.
    Slice NextSliceFor(int index);

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<ParallelJob*> jobs_;
    std::size_t next_ = 0;
    bool ending_ = false;
    std::vector<std::thread> threads_;
};

// Work the pool's threads share out: by default one share per thread (its
// own state in the derived job); one thread at a time runs a slice of a
// share, so slices of one share never run side by side. A job runs from
// Start until every share is done, a slice throws (the first exception is
// kept for whoever waits) or Stop. A derived job calls Stop in its
// destructor, before the state its slices use goes.
class ParallelJob {
public:
    explicit ParallelJob(ThreadPool& pool);
    ParallelJob(ThreadPool& pool, int shares);
    virtual ~ParallelJob();
    ParallelJob(const ParallelJob&) = delete;
    ParallelJob& operator=(const ParallelJob&) = delete;

    ThreadPool& Pool() const { return pool_; }
    int Shares() const { return static_cast<int>(shares_.size()); }

    // Hands the job to the pool's threads.
    void Start();
    // No thread runs a slice once this returns.
    void Stop();
    bool Stopped() const { return stopped_.load(); }
    // Whether every share is done, or the job stopped or failed.
    bool Finished() const;
    // Waits until Finished, at most `timeout`; false when it timed out.
    bool WaitFor(std::chrono::milliseconds timeout);
    // The exception a slice threw, once one has.
    std::exception_ptr Failure() const;

protected:
    // One slice of share `index`; returns false when the share has nothing
    // more to do.
    virtual bool RunSlice(int index) = 0;
    // A slice should end soon when this turns true.
    bool StopRequested() const { return stopped_.load(std::memory_order_relaxed); }

private:
    friend class ThreadPool;
    struct Share {
        bool busy = false;  // a thread runs a slice of it; under the pool's lock
        bool done = false;
    };
    // Runs one slice of share `index` for a pool thread; under no lock.
    void RunShare(int index);

    ThreadPool& pool_;
    std::vector<Share> shares_;  // under the pool's lock
    std::atomic<bool> stopped_{false};
    bool started_ = false;
    int sharesLeft_ = 0;          // under the pool's lock
    std::exception_ptr failure_;  // under the pool's lock
};

}  // namespace zephyrin
