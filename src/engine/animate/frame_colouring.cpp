#include "engine/animate/frame_colouring.h"

#include <utility>

#include "engine/colouring/colour_from_counts.h"
#include "engine/file/param_file.h"
#include "imaging/area_averaging.h"

namespace zephyrin {
namespace {

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

void ColourFrame(const FrameState& state, const CountGrid& counts, const std::optional<ToneReferences>& tone,
                 std::span<const Gradient> keyframeGradients, const FrameSettings& settings,
                 DrawnFrame& out) {
    const bool white = state.record.white != kFalse;
    if (!PaintsWhilePlotting(state.density.mode)) {
        const Gradient gradient = FrameGradient(state, keyframeGradients);
        const DensityCounts blocks{counts, settings.supersample};
        if (settings.depth == 16) {
            DensityColour(blocks, state.density, gradient, white, out.wide, tone);
            out.picture = ToPicture(out.wide);
        } else {
            DensityColour(blocks, state.density, gradient, white, out.picture, tone);
        }
        out.litShare = LitShare(counts, settings.supersample);
        return;
    }
    TakePaintedFrame(state, ColourFromCounts(counts, state.record), settings, out);
}

void TakePaintedFrame(const FrameState& state, Picture painted, const FrameSettings& settings,
                      DrawnFrame& out) {
    out.picture =
        settings.supersample > 1 ? ReduceByAreaAveraging(painted, settings.supersample) : std::move(painted);
    if (settings.depth == 16) out.wide = Widen(out.picture);
    out.litShare = LitShare(out.picture, state.record.white != kFalse);
}

void FinishFrame(const FrameState& state, std::int64_t frame, std::uint64_t seed,
                 const FrameSettings& settings, DrawnFrame& out) {
    out.iterations = settings.iterations;
    out.meanBrightness = settings.depth == 16 ? MeanBrightness(out.wide) : MeanBrightness(out.picture);
    if (settings.writeParameters)
        out.parameters = WriteParameterText(state.record, state.effects, state.density, '.') +
                         "seed=" + std::to_string(FrameSeed(seed, frame)) +
                         "\r\nframe=" + std::to_string(frame) + "\r\n";
}

}  // namespace zephyrin
