#include "engine/animate/tone_path.h"

#include <cmath>

#include "engine/animate/path_curve.h"

namespace zephyrin {

std::optional<ToneReferences> ToneAt(const Animation& animation, const PathPosition& at,
                                     std::span<const std::optional<ToneReferences>> keyframeTones) {
    std::vector<double> medians(keyframeTones.size()), references(keyframeTones.size());
    for (const std::size_t i : PathKeyframes(animation, at)) {
        if (!keyframeTones[i]) return std::nullopt;
        medians[i] = std::log(keyframeTones[i]->median);
        references[i] = std::log(keyframeTones[i]->reference);
    }
    if (at.fraction == 0 || !Moves(animation, at.segment)) return keyframeTones[at.segment];
    return ToneReferences{std::exp(PathValue(animation, medians, at)),
                          std::exp(PathValue(animation, references, at))};
}

}  // namespace zephyrin
