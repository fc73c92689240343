#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/image_encoders.h"
#include "render/animate_options.h"
#include "render/render_share.h"
#include "util/result.h"

namespace zephyrin {

// What the command line asks for. Sizes are the saved picture's; the drawing
// is `supersample` times larger in each direction.
struct RenderOptions {
    std::optional<std::filesystem::path> parameterFile;
    std::filesystem::path output;
    std::optional<std::int32_t> formula;
    bool random = false;
    bool find = false;  // search for an attractor of the formula, then frame it
    bool fit = false;   // frame the orbit before drawing
    std::int32_t width = 800;
    std::int32_t height = 600;
    std::int32_t supersample = 1;
    std::int64_t iterations = 20'000'000;
    std::optional<double> seconds;  // draws for this long instead of counting iterations
    std::optional<std::uint64_t> seed;
    std::optional<std::int32_t> threads;  // all cores when not given
    bool white = false;
    bool sqrtFilter = false;
    // Density colouring; any of its settings turns it on too.
    bool density = false;
    std::optional<double> brightness;
    std::optional<double> gamma;
    std::optional<double> vibrancy;
    std::optional<std::string> gradient;       // a built-in name or a .ggr file
    std::int32_t depth = 8;                    // bits per channel of the picture file
    std::int32_t pngLevel = kDefaultPngLevel;  // zlib level of a PNG picture file
    // Counts files (a TIFF of the drawing's counts and their description):
    // where to save the counts, the files --merge adds up, and where the
    // density levels go (.exr or .tif).
    std::optional<std::filesystem::path> saveCounts;
    std::vector<std::filesystem::path> merge;
    std::optional<std::filesystem::path> exportDensity;
    // --share R/N: only this share of the drawing, for a counts file to be
    // merged with the other shares'.
    std::optional<RenderShare> share;
    // Every long option named, as written before any "=", so that an
    // animation file's settings give way only to those.
    std::vector<std::string> given;
    bool writeParameters = true;
    bool quiet = false;
    bool help = false;
    bool version = false;
    bool sizeGiven = false;
    bool iterationsGiven = false;

    // Measuring and the gallery (metrics_mode.h, gallery_mode.h).
    bool metrics = false;                 // print the orbit's measures; draw only with -o
    std::optional<std::int32_t> gallery;  // a contact sheet of this many attractors
    bool allFormulas = false;             // --formula all: the gallery's from every menu
    bool quasiPeriodic = false;           // --find, --gallery and animations keep quasi-periodic orbits
    bool classic = false;                 // the gallery's tiles in the classic colouring

    AnimateOptions animation;

    bool Given(std::string_view name) const;
};

inline constexpr std::int32_t kMaxGalleryTiles = 256;

inline constexpr std::int32_t kMaxThreads = 1024;

// Parses the arguments after the program name. Options take their value as
// the next argument or after "=" ("--size 640x480", "--size=640x480").
// Checks everything that needs no file or memory: numbers and their ranges,
// at most one picture output, whose extension names an image format (one
// that holds 16 bits with --depth 16), and at least one output of any kind
// (none needed with --metrics), at most one parameter file (with --merge: at
// least two counts files), a gradient that is a built-in name or ends in
// .ggr, counts files that end in .tif, --iterations 0 only for a .tif input,
// --share R/N with R below N and only for one picture,
// and options that go together. With --animate the arguments that are not
// options are keyframes; a .zpa argument is an animation file
// (animate_options.h). Stops at the first problem, and at --help.
[[nodiscard]] Result<RenderOptions> ParseRenderOptions(std::span<const std::string_view> arguments);

}  // namespace zephyrin
