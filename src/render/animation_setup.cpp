#include "render/animation_setup.h"

#include <utility>

#include "engine/animate/animation_file.h"
#include "render/drawing_setup.h"
#include "render/render_job.h"
#include "render/render_memory.h"

namespace zephyrin {
namespace {

// The file's settings where the command line gives none.
void TakeSettings(const AnimationSettings& settings, RenderOptions& options) {
    AnimateOptions& a = options.animation;
    if (!options.Given("--size")) {
        options.width = settings.width.value_or(options.width);
        options.height = settings.height.value_or(options.height);
    }
    if (!options.Given("--iterations")) options.iterations = settings.iterations.value_or(options.iterations);
    if (!options.Given("--density")) options.density = settings.density.value_or(options.density);
    if (!options.Given("--depth")) options.depth = settings.depth.value_or(options.depth);
    if (!options.Given("--seed") && settings.seed) options.seed = settings.seed;
    if (!options.Given("--fps") && settings.fps) a.fps = settings.fps;
    if (!options.Given("--loop")) a.loop = settings.loop;
    if (!options.Given("--smooth")) a.smooth = settings.smooth;
}

[[nodiscard]] Result<> AddKeyframe(Result<PreparedDrawing> drawing, bool cut, PreparedAnimation& prepared) {
    if (!drawing) return Failure(drawing.error());
    const DrawingSetup& setup = drawing->setup;
    prepared.animation.keyframes.push_back({.record = setup.record,
                                            .effects = setup.effects,
                                            .density = setup.density,
                                            .frames = 0,
                                            .cut = cut});
    // Kept for a crossfade into a density keyframe even where it is off here.
    prepared.gradients.push_back(!PaintsWhilePlotting(setup.density.mode)
                                     ? std::move(drawing->gradient)
                                     : FindGradient(setup.density.gradient).value_or(Gradient()));
    for (std::string& message : drawing->messages) prepared.messages.push_back(std::move(message));
    return {};
}

[[nodiscard]] Result<> CheckMotionBlur(const PreparedAnimation& prepared) {
    if (prepared.options.animation.motionBlur <= 1) return {};
    for (const Keyframe& k : prepared.animation.keyframes)
        if (!CountsTellTheColours({k.record, k.effects, k.density}))
            return Failure(
                "--motion-blur adds the counts of several drawings: it needs --density, or "
                "keyframes without Color Mix and with an intensity above -9.5");
    return {};
}

}  // namespace

Result<PreparedAnimation> PrepareAnimation(const RenderOptions& options) {
    PreparedAnimation prepared;
    prepared.options = options;
    RenderOptions& effective = prepared.options;
    std::optional<AnimationDocument> document;
    if (options.animation.file) {
        Result<AnimationDocument> read = ReadAnimationFile(*options.animation.file);
        if (!read) return Failure(read.error());
        document = *std::move(read);
        TakeSettings(document->settings, effective);
    }
    effective.parameterFile.reset();
    // Before any keyframe is laid out at the size (with an animation file's, too).
    const std::int64_t width = std::int64_t{effective.width} * effective.supersample;
    const std::int64_t height = std::int64_t{effective.height} * effective.supersample;
    if (!RenderFitsInMemory(width, height, 1))
        return Failure("a frame of " + std::to_string(width) + " x " + std::to_string(height) +
                       " pixels does not fit in memory");
    Animation& animation = prepared.animation;
    animation.loop = effective.animation.loop;
    animation.smooth = effective.animation.smooth;

    if (document) {
        for (std::size_t i = 0; i < document->keyframes.size(); ++i) {
            const std::string caption =
                options.animation.file->string() + ", keyframe " + std::to_string(i + 1);
            const KeyframeText& k = document->keyframes[i];
            if (Result<> added =
                    AddKeyframe(PrepareDrawingFromText(k.parameters, caption, effective), k.cut, prepared);
                !added)
                return Failure(added.error());
        }
    }
    for (const std::filesystem::path& file : options.animation.keyframes) {
        RenderOptions single = effective;
        single.parameterFile = file;
        if (Result<> added = AddKeyframe(PrepareDrawing(single), false, prepared); !added)
            return Failure(added.error());
    }

    // --animate comes with --frames; without it the animation file's frames count.
    Result<> framed;
    if (animation.keyframes.size() < 2)
        framed = CheckAnimation(animation);
    else if (options.animation.frames)
        framed = SpreadFrames(animation, *options.animation.frames);
    else
        framed = TakeFrames(*document, animation);
    if (framed) framed = CheckAnimation(animation);
    if (framed) framed = CheckMotionBlur(prepared);
    if (!framed) {
        const std::string where = document ? options.animation.file->string() + ": " : std::string();
        return Failure(where + framed.error());
    }
    return prepared;
}

}  // namespace zephyrin
