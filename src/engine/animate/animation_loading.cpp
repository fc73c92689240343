#include "engine/animate/animation_loading.h"

#include <utility>

#include "engine/colouring/density_gradient.h"
#include "engine/core/defaults.h"
#include "engine/core/view_coords.h"
#include "engine/file/param_file.h"

namespace zephyrin {

Result<LoadedKeyframe> LoadKeyframe(const KeyframeText& text, const std::string& caption, std::int32_t width,
                                    std::int32_t height) {
    LoadedKeyframe loaded;
    Keyframe& k = loaded.keyframe;
    k.record = NewWindowRecord(width, height);
    k.cut = text.cut;
    const ParameterReadReport report =
        ReadParameterText(text.parameters, caption, '.', k.record, k.effects, k.density);
    if (report.Failed()) {
        std::string all;
        for (const std::string& message : report.Messages()) all += (all.empty() ? "" : "\n") + message;
        return Failure(all);
    }
    loaded.notes = report.notes;
    k.record.randomStart = kFalse;
    FreezeView(k.record);
    loaded.gradient = FindGradient(k.density.gradient).value_or(Gradient());
    if (!PaintsWhilePlotting(k.density.mode)) {
        Result<Gradient> taken = TakeGradient(k.density);
        if (!taken) return Failure(caption + ": " + taken.error());
        loaded.gradient = *std::move(taken);
    }
    return loaded;
}

Result<LoadedAnimation> LoadAnimation(const AnimationDocument& document, std::int32_t width,
                                      std::int32_t height) {
    LoadedAnimation loaded;
    loaded.animation.loop = document.settings.loop;
    loaded.animation.smooth = document.settings.smooth;
    for (std::size_t i = 0; i < document.keyframes.size(); ++i) {
        Result<LoadedKeyframe> k =
            LoadKeyframe(document.keyframes[i], "keyframe " + std::to_string(i + 1), width, height);
        if (!k) return Failure(k.error());
        loaded.animation.keyframes.push_back(std::move(k->keyframe));
        loaded.gradients.push_back(std::move(k->gradient));
        for (std::string& note : k->notes) loaded.notes.push_back(std::move(note));
    }
    if (loaded.animation.keyframes.size() < 2) return Failure("an animation needs at least two keyframes");
    if (Result<> framed = TakeFrames(document, loaded.animation); !framed) return Failure(framed.error());
    if (Result<> checked = CheckAnimation(loaded.animation); !checked) return Failure(checked.error());
    return loaded;
}

}  // namespace zephyrin
