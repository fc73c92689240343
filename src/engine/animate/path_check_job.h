#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <stop_token>
#include <vector>

#include "engine/animate/path_chaos.h"
#include "util/thread_pool.h"

namespace zephyrin {

// The path check (CheckFrame of every frame from `first` to `last`) as a job
// of a program's pool, a frame a slice, beside the pool's other drawings, so
// that a window can check a path while it stays responsive. A frame whose
// orbit cannot be measured for lack of memory fails the job. A stop (Stop or
// `stop`) is heard within one frame's measuring.
class PathCheckJob final : public ParallelJob {
public:
    PathCheckJob(ThreadPool& pool, Animation animation, std::int64_t first, std::int64_t last,
                 std::uint64_t seed, std::stop_token stop = {});
    ~PathCheckJob() override;

    // Once Finished without a Failure: the verdicts in frame order, of every
    // frame or, after a stop, of the frames measured before it.
    std::vector<FrameChaos> Frames() const;

private:
    bool RunSlice(int index) override;

    Animation animation_;
    std::int64_t first_;
    std::uint64_t seed_;
    std::stop_token stop_;
    std::vector<FrameChaos> frames_;
    std::atomic<std::size_t> next_{0};
    mutable std::mutex mutex_;
    std::size_t measured_;  // the frames before it are measured once the job ends
};

}  // namespace zephyrin
