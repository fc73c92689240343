#include "engine/animate/path_check_job.h"

#include <algorithm>
#include <new>
#include <utility>

namespace zephyrin {

PathCheckJob::PathCheckJob(ThreadPool& pool, Animation animation, std::int64_t first, std::int64_t last,
                           std::uint64_t seed, std::stop_token stop)
    : ParallelJob(pool),
      animation_(std::move(animation)),
      first_(first),
      seed_(seed),
      stop_(std::move(stop)),
      frames_(last < first ? 0 : static_cast<std::size_t>(last - first + 1)),
      measured_(frames_.size()) {}

PathCheckJob::~PathCheckJob() {
    Stop();
}

bool PathCheckJob::RunSlice(int) {
    const std::size_t i = next_++;
    if (i >= frames_.size()) return false;
    // The frames taken before this one are finished before the job ends.
    if (StopRequested() || stop_.stop_requested()) {
        const std::scoped_lock lock(mutex_);
        measured_ = std::min(measured_, i);
        return false;
    }
    Result<FrameChaos> checked = CheckFrame(animation_, first_ + static_cast<std::int64_t>(i), seed_);
    // Measuring fails only when memory runs short.
    if (!checked) throw std::bad_alloc();
    frames_[i] = *std::move(checked);
    return true;
}

std::vector<FrameChaos> PathCheckJob::Frames() const {
    const std::scoped_lock lock(mutex_);
    return {frames_.begin(), frames_.begin() + static_cast<std::ptrdiff_t>(measured_)};
}

}  // namespace zephyrin
