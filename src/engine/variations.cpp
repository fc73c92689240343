#include "engine/variation_pass.h"

namespace zephyrin {

void Engine::PlotVariations() {
    PassVariations([this] { PlotPoint(); });
}

}  // namespace zephyrin
