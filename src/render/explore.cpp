#include "render/explore.h"

#include <atomic>

#include "engine/core/view_coords.h"
#include "engine/explore/attractor_search.h"
#include "engine/explore/fit_view.h"

namespace zephyrin {

Result<Exploration> Explore(DrawingSetup& setup, const RenderOptions& options, std::uint64_t seed) {
    Exploration exploration = Exploration::kReady;
    if (options.find) {
        const std::atomic<bool> never{false};
        const SearchLimits limits{.maxTries = kRenderFindTries,
                                  .maxTime = std::nullopt,
                                  .keepQuasiPeriodic = options.quasiPeriodic};
        const Result<SearchResult> search = FindAttractor(setup.record, setup.effects, limits, seed, never);
        if (!search) return Failure(search.error());
        if (search->outcome != SearchOutcome::kFound) exploration = Exploration::kNothingFound;
    } else if (options.fit) {
        const Result<bool> framed = FitView(setup.record, setup.effects, seed);
        if (!framed) return Failure(framed.error());
        if (!*framed) exploration = Exploration::kCannotFrame;
    }
    FreezeView(setup.record);
    return exploration;
}

}  // namespace zephyrin
