#include "engine/animate/path_check_job.h"

#include <new>
#include <utility>

namespace zephyrin {

PathCheckJob::PathCheckJob(ThreadPool& pool, Animation animation, std::int64_t first, std::int64_t last,
                           std::uint64_t seed)
    : ParallelJob(pool),
      animation_(std::move(animation)),
      first_(first),
      seed_(seed),
      frames_(last < first ? 0 : static_cast<std::size_t>(last - first + 1)) {}

PathCheckJob::~PathCheckJob() {
    Stop();
}

bool PathCheckJob::RunSlice(int) {
    const std::size_t i = next_++;
    if (i >= frames_.size() || StopRequested()) return false;
    Result<FrameChaos> checked = CheckFrame(animation_, first_ + static_cast<std::int64_t>(i), seed_);
    // Measuring fails only when memory runs short.
    if (!checked) throw std::bad_alloc();
    frames_[i] = *std::move(checked);
    return true;
}

}  // namespace zephyrin
