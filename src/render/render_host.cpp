#include "render/render_host.h"

#include <algorithm>

namespace zephyrin {

RenderHost::RenderHost(TFractalRec& rec, std::int64_t budget, const std::atomic<bool>& stopRequested)
    : rec_(rec),
      budget_(budget),
      stopRequested_(stopRequested),
      checkpoint_(std::min(budget, kCheckpointInterval)) {
    if (budget <= 0) rec_.stop = kTrue;
}

void RenderHost::Checkpoint() {
    published_.store(done_, std::memory_order_relaxed);
    if (done_ >= budget_ || stopRequested_.load(std::memory_order_relaxed)) {
        rec_.stop = kTrue;
        return;
    }
    checkpoint_ = std::min(done_ + kCheckpointInterval, budget_);
}

}  // namespace zephyrin
