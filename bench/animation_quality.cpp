// The animation's figures, from the renderer's own code: frame 0 beside its
// keyframe drawn alone, a frame drawn again alone, and how steady the mean
// brightness of density frames is with the keyframes' tone references
// against each frame's own (what tone mapping every frame alone would give).
//
//   build/bench/animation_quality [FOLDER]   (files are kept in FOLDER if given)
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/animate/frame_state.h"
#include "engine/colouring/density_colour.h"
#include "engine/file/param_file.h"
#include "imaging/embedded_parameters.h"
#include "imaging/png_reader.h"
#include "render/animation_setup.h"
#include "render/frame_drawing.h"
#include "render/render_program.h"
#include "util/number_format.h"

namespace zephyrin {
namespace {

int Run(std::vector<std::string> arguments) {
    const std::vector<std::string_view> views(arguments.begin(), arguments.end());
    std::ostringstream out, err;
    const int status = RunRenderProgram(views, out, err, false);
    if (status != 0) std::cerr << err.str();
    return status;
}

bool SamePixels(const std::filesystem::path& a, const std::filesystem::path& b) {
    const Result<Picture> first = ReadPngPicture(a), second = ReadPngPicture(b);
    return first && second && *first == *second;
}

// The luminance 0.299 r + 0.587 g + 0.114 b of a picture, 0 to 1.
double MeanBrightness(const Picture& picture) {
    double sum = 0;
    for (int row = 0; row < picture.Height(); ++row)
        for (int column = 0; column < picture.Width(); ++column) {
            const std::uint32_t c = picture.Pixel(column, row);
            sum += 0.299 * Picture::Red(c) + 0.587 * Picture::Green(c) + 0.114 * Picture::Blue(c);
        }
    return sum / (255.0 * picture.Width() * picture.Height());
}

struct Steadiness {
    double deviation = 0;         // largest |b - mean| / mean
    double secondDifference = 0;  // largest |b[k-1] - 2 b[k] + b[k+1]| / mean
};

Steadiness Measure(const std::vector<double>& brightness) {
    double mean = 0;
    for (const double b : brightness) mean += b / static_cast<double>(brightness.size());
    Steadiness s;
    for (std::size_t k = 0; k < brightness.size(); ++k) {
        s.deviation = std::max(s.deviation, std::fabs(brightness[k] - mean) / mean);
        if (k > 0 && k + 1 < brightness.size())
            s.secondDifference =
                std::max(s.secondDifference,
                         std::fabs(brightness[k - 1] - 2 * brightness[k] + brightness[k + 1]) / mean);
    }
    return s;
}

// Every frame's mean brightness with the keyframes' references (as the
// frames are drawn) and with each frame's own.
std::pair<Steadiness, Steadiness> Brightness(const std::vector<std::string>& command) {
    const std::vector<std::string_view> views(command.begin(), command.end());
    const RenderOptions options = ParseRenderOptions(views).value();
    const PreparedAnimation prepared = PrepareAnimation(options).value();
    const std::uint64_t seed = *options.seed;
    FrameDrawer drawer(prepared, seed, *options.threads);
    std::vector<double> shared, own;
    for (std::int64_t k = 0; k < FrameCount(prepared.animation); ++k) {
        shared.push_back(drawer.Draw(k, {}).meanBrightness);
        const FrameState state = FrameAt(prepared.animation, static_cast<double>(k));
        RenderSettings settings{*options.threads, FrameSeed(seed, k), options.iterations, {}};
        const RenderResult drawn = Render({state.record, state.effects, state.density}, settings, {});
        Picture picture;
        DensityColour({drawn.counts, 1}, state.density, FrameGradient(state, prepared.gradients), false,
                      picture);
        own.push_back(MeanBrightness(picture));
    }
    return {Measure(shared), Measure(own)};
}

std::string Percent(double share) {
    return FormatFixed(100 * share, 2, '.') + " %";
}

// The found record with every coefficient moved by 0.01, as a parameter file.
void Neighbour(const std::filesystem::path& found, const std::filesystem::path& neighbour) {
    TFractalRec v{};
    Effects effects;
    DensitySettings density;
    if (ReadParameterText(ReadEmbeddedParameters(found).value(), "found", '.', v, effects, density).Failed())
        std::exit(1);
    for (int i = 1; i <= Coefficients::kCount; ++i) v.af[i] += 0.01;
    if (!WriteParameterFile(neighbour, WriteParameterText(v, effects, density, '.'))) std::exit(1);
}

int Measure(const std::filesystem::path& folder) {
    const auto at = [&](const char* name) { return (folder / name).string(); };
    const std::vector<std::string> small{"--size",    "160x120", "--iterations", "500000", "--density",
                                         "--threads", "2"};
    const auto with = [&](std::vector<std::string> more) {
        std::vector<std::string> all = small;
        all.insert(all.end(), more.begin(), more.end());
        return all;
    };
    if (Run(with({"--find", "--formula", "70", "--seed", "11", "-o", at("found.png")})) != 0) return 1;
    Neighbour(folder / "found.png", folder / "neighbour.zpr");
    std::filesystem::create_directories(folder / "frames");
    std::filesystem::create_directories(folder / "again");
    const std::vector<std::string> animate =
        with({"--animate", at("found.png"), at("neighbour.zpr"), "--frames", "24", "--seed", "5"});
    auto frames = animate, again = animate;
    frames.insert(frames.end(), {"-o", at("frames/f.png")});
    again.insert(again.end(), {"--frame-range", "13-13", "-o", at("again/f.png")});
    if (Run(frames) != 0 || Run(again) != 0 ||
        Run(with({at("found.png"), "--seed", "5", "-o", at("alone.png")})) != 0)
        return 1;
    std::cout << "| What | Figure |\n|---|---|\n";
    std::cout << "| Frame 0 beside its keyframe drawn alone with the same seed | "
              << (SamePixels(folder / "frames/f-0000.png", folder / "alone.png") ? "the same pixels"
                                                                                 : "DIFFERENT")
              << " |\n| Frame 13 drawn again alone (`--frame-range 13-13`) | "
              << (SamePixels(folder / "frames/f-0013.png", folder / "again/f-0013.png") ? "the same pixels"
                                                                                        : "DIFFERENT")
              << " |\n";
    // The sampling noise differs from seed to seed: the range over six.
    struct Range {
        double low = 1e300, high = 0;
        void Add(double value) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
        std::string Text() const { return FormatFixed(100 * low, 2, '.') + " - " + Percent(high); }
    };
    Range stillShared, stillOwn, movingShared, movingOwn;
    for (const char* seed : {"1", "2", "3", "4", "5", "6"}) {
        const auto [shared, own] = Brightness(with({"--animate", at("found.png"), at("found.png"), "--frames",
                                                    "24", "--seed", seed, "-o", "x.png"}));
        stillShared.Add(shared.deviation);
        stillOwn.Add(own.deviation);
        const auto [sharedMoving, ownMoving] =
            Brightness(with({"--animate", at("found.png"), at("neighbour.zpr"), "--frames", "24", "--seed",
                             seed, "-o", "x.png"}));
        movingShared.Add(sharedMoving.secondDifference);
        movingOwn.Add(ownMoving.secondDifference);
    }
    std::cout << "| Two identical keyframes, 24 frames, seeds 1 to 6: largest deviation of the mean "
                 "brightness from "
                 "its mean, with the keyframes' references / each frame's own | "
              << stillShared.Text() << " / " << stillOwn.Text() << " |\n";
    std::cout
        << "| Coefficients moved by 0.01 over 24 frames, seeds 1 to 6: largest second difference of the mean "
           "brightness, of its mean, with the keyframes' references / each frame's own | "
        << movingShared.Text() << " / " << movingOwn.Text() << " |\n";
    return 0;
}

}  // namespace
}  // namespace zephyrin

int main(int argc, char** argv) {
    std::filesystem::path folder;
    if (argc > 1) {
        folder = argv[1];
    } else {
        folder = std::filesystem::temp_directory_path() /
                 ("zephyrin-animation-" + std::to_string(std::random_device()()));
    }
    std::filesystem::create_directories(folder);
    const int status = zephyrin::Measure(folder);
    if (argc <= 1) std::filesystem::remove_all(folder);
    return status;
}
