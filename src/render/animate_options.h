#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zephyrin {

struct RenderOptions;

struct FrameRange {
    std::int64_t first = 0;
    std::int64_t last = 0;  // inclusive
};

// What the command line asks of an animation (--animate KEY... or an
// animation file); the frames' size, iterations, colouring, depth, seed and
// threads are the picture options'.
struct AnimateOptions {
    bool animate = false;
    std::vector<std::filesystem::path> keyframes;  // the arguments after --animate
    std::optional<std::filesystem::path> file;     // a .zpa given as the parameter file
    std::optional<std::int64_t> frames;
    bool loop = false;
    bool smooth = false;
    std::optional<FrameRange> range;
    bool skipExisting = false;
    std::int32_t motionBlur = 1;  // parameter samples per frame
    std::optional<std::filesystem::path> video;
    std::optional<double> fps;

    bool On() const { return animate || file.has_value(); }
};

inline constexpr std::int32_t kMostMotionBlurSamples = 64;
inline constexpr double kDefaultFps = 30;

enum class AnimateOptionKind { kNone, kSwitch, kValued };

// Whether `name` ("--frames") is an animation option, and whether it takes a value.
AnimateOptionKind AnimateOptionKindOf(std::string_view name);

// Takes an animation option (and its value for a valued one); returns the
// complaint when the value is not one it takes.
std::optional<std::string> TakeAnimateOption(std::string_view name, std::string_view value,
                                             AnimateOptions& options);

// What stands against the whole command line of an animation, or against
// animation options without one: no frame count, too few keyframes, picture
// options that mean nothing for frames (--find, --fit, --random, --formula,
// --seconds, --metrics, --gallery), an output that is not a png file, --fps without --video.
std::optional<std::string> CheckAnimateOptions(const RenderOptions& options);

}  // namespace zephyrin
