#include "render/frame_drawing.h"

#include <utility>

namespace zephyrin {

FrameSettings FrameSettingsOf(const RenderOptions& options) {
    return {.iterations = options.iterations,
            .supersample = options.supersample,
            .depth = options.depth,
            .motionBlur = options.animation.motionBlur,
            .writeParameters = options.writeParameters};
}

FrameDrawer::FrameDrawer(const PreparedAnimation& prepared, std::uint64_t seed, std::int32_t threads)
    : prepared_(prepared),
      settings_(FrameSettingsOf(prepared.options)),
      seed_(seed),
      threads_(threads),
      tones_(prepared.animation.keyframes.size()) {}

RenderResult FrameDrawer::Counted(const CountsRun& run, const ProgressReport& report) const {
    DrawingSetup setup{run.record, run.effects, {}};
    setup.density.mode = ColouringMode::kDensity;  // for the counts
    RenderSettings settings;
    settings.threads = threads_;
    settings.seed = run.seed;
    settings.iterations = run.iterations;
    return Render(setup, settings, report);
}

CountGrid FrameDrawer::SampleCounts(std::int64_t frame, const ProgressReport& report) const {
    const std::vector<CountsRun> runs = FrameSampleRuns(prepared_.animation, frame, seed_, settings_);
    const auto samples = static_cast<double>(runs.size());
    CountGrid sum;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const ProgressReport sampleReport = [&](const RenderProgress& progress) {
            if (report)
                report({progress.iterations, progress.seconds,
                        (static_cast<double>(i) + progress.fraction) / samples});
        };
        RenderResult drawn = Counted(runs[i], sampleReport);
        if (i == 0)
            sum = std::move(drawn.counts);
        else
            sum.Add(drawn.counts);
    }
    return sum;
}

DrawnFrame FrameDrawer::Draw(std::int64_t frame, const ProgressReport& report) {
    const Animation& animation = prepared_.animation;
    const FrameState state = FrameAt(animation, static_cast<double>(frame));
    DrawnFrame out;
    if (PaintedAsDrawn(state, settings_)) {
        RenderSettings settings;
        settings.threads = threads_;
        settings.seed = FrameSeed(seed_, frame);
        settings.iterations = settings_.iterations;
        TakePaintedFrame(state,
                         Render({state.record, state.effects, state.density}, settings, report).picture,
                         settings_, out);
    } else {
        std::optional<ToneReferences> tone;
        if (!PaintsWhilePlotting(state.density.mode)) {
            for (const std::size_t k : tones_.Missing(animation, state.position))
                tones_.Measure(k, Counted(KeyframeToneRun(animation, k, seed_, settings_), report).counts,
                               settings_.supersample);
            tone = tones_.At(animation, state.position);
        }
        ColourFrame(state, SampleCounts(frame, report), tone, prepared_.gradients, settings_, out);
    }
    FinishFrame(state, frame, seed_, settings_, out);
    return out;
}

}  // namespace zephyrin
