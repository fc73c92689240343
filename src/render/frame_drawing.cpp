#include "render/frame_drawing.h"

#include <utility>

#include "engine/animate/path_curve.h"
#include "engine/animate/tone_path.h"
#include "engine/colouring/colour_counts.h"
#include "engine/colouring/colour_from_counts.h"
#include "engine/core/random.h"
#include "engine/file/param_file.h"
#include "imaging/area_averaging.h"

namespace zephyrin {
namespace {

DrawingSetup SetupOf(const FrameState& state) {
    return {state.record, state.effects, state.density};
}

double Luminance(double r, double g, double b) {
    return 0.299 * r + 0.587 * g + 0.114 * b;
}

double MeanBrightness(const Picture& picture) {
    double sum = 0;
    const std::size_t pixels = static_cast<std::size_t>(picture.Width()) * picture.Height();
    for (std::size_t i = 0; i < pixels; ++i) {
        const std::uint32_t word = picture.Words()[i];
        sum += Luminance(word >> 16 & 0xFF, word >> 8 & 0xFF, word & 0xFF);
    }
    return pixels > 0 ? sum / (255.0 * static_cast<double>(pixels)) : 0;
}

double MeanBrightness(const Picture16& picture) {
    double sum = 0;
    for (int row = 0; row < picture.Height(); ++row)
        for (int column = 0; column < picture.Width(); ++column)
            sum += Luminance(picture.Sample(column, row, 0), picture.Sample(column, row, 1),
                             picture.Sample(column, row, 2));
    const double pixels = static_cast<double>(picture.Width()) * picture.Height();
    return pixels > 0 ? sum / (Picture16::kFull * pixels) : 0;
}

// The share of the picture's pixels whose block of counts was hit.
double LitShare(const CountGrid& counts, int block) {
    const int columns = counts.Width() / block, rows = counts.Height() / block;
    std::int64_t lit = 0;
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            bool hit = false;
            for (int dy = 0; dy < block && !hit; ++dy)
                for (int dx = 0; dx < block && !hit; ++dx)
                    hit = CountGrid::HitsOf(counts.At(column * block + dx, row * block + dy)) > 0;
            lit += hit ? 1 : 0;
        }
    return columns * rows > 0 ? static_cast<double>(lit) / (static_cast<double>(columns) * rows) : 0;
}

// A classic picture: the share of pixels not of the background colour.
double LitShare(const Picture& picture, bool white) {
    const std::uint32_t background = Picture::ToWord(white ? Picture::Pack(255, 255, 255) : 0);
    const std::size_t pixels = static_cast<std::size_t>(picture.Width()) * picture.Height();
    std::size_t lit = 0;
    for (std::size_t i = 0; i < pixels; ++i) lit += picture.Words()[i] != background ? 1 : 0;
    return pixels > 0 ? static_cast<double>(lit) / static_cast<double>(pixels) : 0;
}

}  // namespace

FrameDrawer::FrameDrawer(const PreparedAnimation& prepared, std::uint64_t seed, std::int32_t threads)
    : prepared_(prepared),
      seed_(seed),
      threads_(threads),
      toneMeasured_(prepared.animation.keyframes.size(), false),
      tones_(prepared.animation.keyframes.size()) {}

RenderSettings FrameDrawer::Settings(std::uint64_t seed, std::int64_t iterations) const {
    RenderSettings settings;
    settings.threads = threads_;
    settings.seed = seed;
    settings.iterations = iterations;
    return settings;
}

std::optional<ToneReferences> FrameDrawer::KeyframeTone(std::size_t keyframe, const ProgressReport& report) {
    if (!toneMeasured_[keyframe]) {
        const Keyframe& k = prepared_.animation.keyframes[keyframe];
        DrawingSetup setup{k.record, k.effects, k.density};
        setup.density.mode = ColouringMode::kDensity;
        const std::uint64_t seed = FrameSeed(seed_, KeyframeFrame(prepared_.animation, keyframe));
        const RenderResult drawn = Render(setup, Settings(seed, prepared_.options.iterations), report);
        tones_[keyframe] = MeasureToneReferences({drawn.counts, prepared_.options.supersample});
        toneMeasured_[keyframe] = true;
    }
    return tones_[keyframe];
}

CountGrid FrameDrawer::SampleCounts(std::int64_t frame, const ProgressReport& report) {
    const std::int32_t samples = prepared_.options.animation.motionBlur;
    const std::int64_t iterations = prepared_.options.iterations;
    CountGrid sum;
    for (std::int32_t i = 0; i < samples; ++i) {
        const double time = static_cast<double>(frame) + (i + 0.5) / samples - 0.5;
        DrawingSetup setup = SetupOf(FrameAt(prepared_.animation, time));
        setup.density.mode = ColouringMode::kDensity;  // for the counts
        const std::uint64_t frameSeed = FrameSeed(seed_, frame);
        const std::uint64_t seed = i == 0 ? frameSeed : MixBits(frameSeed ^ (i * kGoldenGamma));
        const std::int64_t share = iterations / samples + (i < iterations % samples ? 1 : 0);
        const ProgressReport sampleReport = [&](const RenderProgress& progress) {
            if (report) report({progress.iterations, progress.seconds, (i + progress.fraction) / samples});
        };
        RenderResult drawn = Render(setup, Settings(seed, share), sampleReport);
        if (i == 0)
            sum = std::move(drawn.counts);
        else
            sum.Add(drawn.counts);
    }
    return sum;
}

void FrameDrawer::Colour(const FrameState& state, const CountGrid& counts,
                         const std::optional<ToneReferences>& tone, DrawnFrame& out) const {
    const RenderOptions& options = prepared_.options;
    const bool white = state.record.white != kFalse;
    if (!PaintsWhilePlotting(state.density.mode)) {
        const Gradient gradient = FrameGradient(state, prepared_.gradients);
        const DensityCounts blocks{counts, options.supersample};
        const CountsColouring colouring{.settings = state.density, .gradient = gradient, .tone = tone};
        std::optional<Picture16> deep;
        if (options.depth == 16) deep = ColourCounts16(blocks, state.record, colouring);
        if (deep) {
            out.wide = *std::move(deep);
            out.picture = ToPicture(out.wide);
        } else {
            ColourCounts(blocks, state.record, colouring, out.picture);
            if (options.depth == 16) out.wide = Widen(out.picture);
        }
        out.litShare = LitShare(counts, options.supersample);
        return;
    }
    out.picture = ColourFromCounts(counts, state.record);
    if (options.supersample > 1) out.picture = ReduceByAreaAveraging(out.picture, options.supersample);
    if (options.depth == 16) out.wide = Widen(out.picture);
    out.litShare = LitShare(out.picture, white);
}

DrawnFrame FrameDrawer::Draw(std::int64_t frame, const ProgressReport& report) {
    const RenderOptions& options = prepared_.options;
    const FrameState state = FrameAt(prepared_.animation, static_cast<double>(frame));
    DrawnFrame out;
    if (PaintsWhilePlotting(state.density.mode) && options.animation.motionBlur == 1) {
        // As one picture is drawn: painted as it goes where the counts do not tell the colours.
        RenderResult drawn =
            Render(SetupOf(state), Settings(FrameSeed(seed_, frame), options.iterations), report);
        out.picture = options.supersample > 1 ? ReduceByAreaAveraging(drawn.picture, options.supersample)
                                              : std::move(drawn.picture);
        if (options.depth == 16) out.wide = Widen(out.picture);
        out.litShare = LitShare(out.picture, state.record.white != kFalse);
    } else {
        std::optional<ToneReferences> tone;
        if (!PaintsWhilePlotting(state.density.mode)) {
            for (const std::size_t k : PathKeyframes(prepared_.animation, state.position))
                KeyframeTone(k, report);
            tone = ToneAt(prepared_.animation, state.position, tones_);
        }
        Colour(state, SampleCounts(frame, report), tone, out);
    }
    out.iterations = options.iterations;
    out.meanBrightness = options.depth == 16 ? MeanBrightness(out.wide) : MeanBrightness(out.picture);
    if (options.writeParameters)
        out.parameters = WriteParameterText(state.record, state.effects, state.density, '.') +
                         "seed=" + std::to_string(FrameSeed(seed_, frame)) +
                         "\r\nframe=" + std::to_string(frame) + "\r\n";
    return out;
}

}  // namespace zephyrin
