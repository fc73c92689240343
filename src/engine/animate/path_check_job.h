#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "engine/animate/path_chaos.h"
#include "util/thread_pool.h"

namespace zephyrin {

// The path check (CheckFrame of every frame from `first` to `last`) as a job
// of a program's pool, a frame a slice, beside the pool's other drawings, so
// that a window can check a path while it stays responsive. A frame whose
// orbit cannot be measured for lack of memory fails the job.
class PathCheckJob final : public ParallelJob {
public:
    PathCheckJob(ThreadPool& pool, Animation animation, std::int64_t first, std::int64_t last,
                 std::uint64_t seed);
    ~PathCheckJob() override;

    // Once Finished without a Failure: every frame's verdict, in frame order.
    const std::vector<FrameChaos>& Frames() const { return frames_; }

private:
    bool RunSlice(int index) override;

    Animation animation_;
    std::int64_t first_;
    std::uint64_t seed_;
    std::vector<FrameChaos> frames_;
    std::atomic<std::size_t> next_{0};
};

}  // namespace zephyrin
