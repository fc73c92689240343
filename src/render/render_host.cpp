#include "render/render_host.h"

#include <algorithm>
#include <utility>

namespace zephyrin {

RenderHost::RenderHost(TFractalRec& rec, std::int64_t budget, std::function<bool(std::int64_t)> goOn)
    : rec_(rec), budget_(budget), goOn_(std::move(goOn)), checkpoint_(std::min(budget, kCheckpointInterval)) {
    if (budget <= 0) rec_.stop = kTrue;
}

void RenderHost::Checkpoint() {
    if (done_ >= budget_ || !goOn_(done_)) {
        rec_.stop = kTrue;
        return;
    }
    checkpoint_ = std::min(done_ + kCheckpointInterval, budget_);
}

}  // namespace zephyrin
