#include "render/animate_options.h"

#include <array>
#include <charconv>

#include "render/render_options.h"
#include "util/number_format.h"

namespace zephyrin {
namespace {

struct OptionName {
    std::string_view name;
    AnimateOptionKind kind;
};

constexpr std::array kOptions{
    OptionName{"--animate", AnimateOptionKind::kSwitch},
    OptionName{"--loop", AnimateOptionKind::kSwitch},
    OptionName{"--smooth", AnimateOptionKind::kSwitch},
    OptionName{"--skip-existing", AnimateOptionKind::kSwitch},
    OptionName{"--frames", AnimateOptionKind::kValued},
    OptionName{"--frame-range", AnimateOptionKind::kValued},
    OptionName{"--motion-blur", AnimateOptionKind::kValued},
    OptionName{"--video", AnimateOptionKind::kValued},
    OptionName{"--fps", AnimateOptionKind::kValued},
};

std::optional<std::int64_t> ParseCount(std::string_view text) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto parsed = std::from_chars(text.data(), end, value);
    if (text.empty() || text.front() == '-' || parsed.ec != std::errc() || parsed.ptr != end)
        return std::nullopt;
    return value;
}

std::optional<FrameRange> ParseRange(std::string_view text) {
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos) return std::nullopt;
    const auto first = ParseCount(text.substr(0, dash));
    const auto last = ParseCount(text.substr(dash + 1));
    if (!first || !last || *last < *first) return std::nullopt;
    return FrameRange{*first, *last};
}

std::string Refusal(std::string_view name, std::string_view value, std::string_view expected) {
    return std::string(name) + " expects " + std::string(expected) + ", not \"" + std::string(value) + "\"";
}

}  // namespace

AnimateOptionKind AnimateOptionKindOf(std::string_view name) {
    for (const OptionName& option : kOptions)
        if (option.name == name) return option.kind;
    return AnimateOptionKind::kNone;
}

std::optional<std::string> TakeAnimateOption(std::string_view name, std::string_view value,
                                             AnimateOptions& options) {
    if (name == "--animate") options.animate = true;
    if (name == "--loop") options.loop = true;
    if (name == "--smooth") options.smooth = true;
    if (name == "--skip-existing") options.skipExisting = true;
    if (name == "--frames") {
        const auto frames = ParseCount(value);
        if (!frames || *frames < 2) return Refusal(name, value, "a whole number of at least 2");
        options.frames = frames;
    }
    if (name == "--frame-range") {
        options.range = ParseRange(value);
        if (!options.range)
            return Refusal(name, value, "FIRST-LAST, frame numbers from 0 with LAST >= FIRST");
    }
    if (name == "--motion-blur") {
        const auto samples = ParseCount(value);
        if (!samples || *samples < 1 || *samples > kMostMotionBlurSamples)
            return Refusal(name, value, "a whole number from 1 to " + std::to_string(kMostMotionBlurSamples));
        options.motionBlur = static_cast<std::int32_t>(*samples);
    }
    if (name == "--video") {
        if (value.empty()) return Refusal(name, value, "a file name");
        options.video = std::filesystem::path(value);
    }
    if (name == "--fps") {
        const auto fps = StrToFloat(value, '.');
        if (!fps || !(*fps > 0) || *fps > 1000)
            return Refusal(name, value, "frames per second above 0, at most 1000");
        options.fps = fps;
    }
    return std::nullopt;
}

std::optional<std::string> CheckAnimateOptions(const RenderOptions& options) {
    const AnimateOptions& a = options.animation;
    if (!a.On()) {
        for (const OptionName& option : kOptions)
            if (options.Given(option.name))
                return std::string(option.name) + " needs --animate KEYFRAMES... or an animation file (.zpa)";
        return std::nullopt;
    }
    if (a.animate && a.file)
        return std::string("give either --animate KEYFRAMES... or an animation file, not both");
    for (const auto& keyframe : a.keyframes)
        if (keyframe.extension() == ".zpa")
            return "\"" + keyframe.string() + "\" is an animation file: draw it without --animate";
    if (a.animate && a.keyframes.size() < 2) return std::string("--animate needs at least two keyframes");
    if (a.animate && !a.frames) return std::string("--animate needs --frames N");
    for (const char* single :
         {"--find", "--fit", "--random", "--formula", "--seconds", "--metrics", "--gallery"})
        if (options.Given(single)) return std::string(single) + " cannot be used for an animation";
    if (options.output.empty()) return std::string("no frames' names given (-o FOLDER/frame-%04d.png)");
    if (options.output.extension() != ".png")
        return "animation frames are png files: -o FOLDER/frame-%04d.png, not \"" + options.output.string() +
               "\"";
    if (a.fps && !a.video) return std::string("--fps needs --video");
    return std::nullopt;
}

}  // namespace zephyrin
