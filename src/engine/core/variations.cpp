#include "engine/core/variation_pass.h"

namespace zephyrin {

void Engine::PlotVariations() {
    // The colour settings change only between iterations (a dialog, the
    // next 1000-iteration block), so they are looked at once per iteration.
    if (host_->picture) colours_.Refresh(*v, host_->effects.colorMix, cycles);
    PassVariations([this](double plotX, double plotY) { PlotAt(plotX, plotY); });
}

}  // namespace zephyrin
