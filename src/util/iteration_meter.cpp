#include "util/iteration_meter.h"

#include <algorithm>

namespace zephyrin {

void IterationMeter::Restart(double seconds) {
    lastCount_ = 0;
    iterations_ = 0;
    readings_[0] = {0, seconds};
    newest_ = 0;
    held_ = 1;
}

void IterationMeter::Take(std::int32_t count, double seconds) {
    // Unsigned, the step is right across the count's wrap.
    const auto now = static_cast<std::uint32_t>(count);
    iterations_ += now - lastCount_;
    lastCount_ = now;
    newest_ = (newest_ + 1) % readings_.size();
    readings_[newest_] = {iterations_, seconds};
    held_ = std::min(held_ + 1, readings_.size());
}

double IterationMeter::PerSecond() const {
    if (held_ < 2) return 0;
    const Reading& newest = readings_[newest_];
    const Reading& oldest = readings_[(newest_ + readings_.size() - (held_ - 1)) % readings_.size()];
    const double seconds = newest.seconds - oldest.seconds;
    return seconds > 0 ? static_cast<double>(newest.iterations - oldest.iterations) / seconds : 0;
}

}  // namespace zephyrin
