#include "engine/animate/animation_file.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <nlohmann/json.hpp>
#include <system_error>

#include "engine/core/view_coords.h"
#include "engine/file/param_file.h"
#include "util/atomic_file.h"

namespace zephyrin {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kFormat = "zephyrin-animation";
constexpr std::int64_t kVersion = 1;
constexpr double kMostFps = 1000;
constexpr std::size_t kMostKeyframes = 10000;

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// Reads the members of one object, keeping the first problem found.
class Members {
public:
    Members(const Json& object, std::string where, std::string& problem)
        : object_(object), where_(std::move(where)), problem_(problem) {}

    // Every whole number the file holds is at least 0.
    template <typename T>
    void Whole(const char* name, T low, T high, std::optional<T>& out) {
        const Json* value = Find(name);
        if (value == nullptr) return;
        const auto number = value->is_number_unsigned() ? value->get<std::uint64_t>() : 0;
        if (value->is_number_unsigned() && number >= static_cast<std::uint64_t>(low) &&
            number <= static_cast<std::uint64_t>(high))
            out = static_cast<T>(number);
        else
            Refuse(name, "a whole number from " + std::to_string(low) + " to " + std::to_string(high));
    }

    void Switch(const char* name, bool& out) {
        if (const Json* value = Find(name)) {
            if (value->is_boolean())
                out = value->get<bool>();
            else
                Refuse(name, "true or false");
        }
    }

    void Rate(const char* name, std::optional<double>& out) {
        if (const Json* value = Find(name)) {
            const double rate = value->is_number() ? value->get<double>() : 0;
            if (std::isfinite(rate) && rate > 0 && rate <= kMostFps)
                out = rate;
            else
                Refuse(name, "a number above 0, at most " + std::to_string(static_cast<int>(kMostFps)));
        }
    }

    void Refuse(const char* name, const std::string& expected) {
        if (problem_.empty()) problem_ = where_ + "\"" + name + "\" must be " + expected;
    }

    const Json* Find(const char* name) const {
        const auto found = object_.find(name);
        return found == object_.end() ? nullptr : &*found;
    }

private:
    const Json& object_;
    std::string where_;
    std::string& problem_;
};

void ReadSettings(const Json& json, AnimationSettings& settings, std::string& problem) {
    if (!json.is_object()) {
        problem = "\"settings\" must be an object";
        return;
    }
    constexpr std::int32_t kMostSide = std::numeric_limits<std::int32_t>::max();
    Members members(json, "in \"settings\", ", problem);
    members.Switch("loop", settings.loop);
    members.Switch("smooth", settings.smooth);
    members.Whole<std::int64_t>("frames", 1, kMostFrames, settings.frames);
    members.Whole<std::int32_t>("width", 1, kMostSide, settings.width);
    members.Whole<std::int32_t>("height", 1, kMostSide, settings.height);
    members.Whole<std::int64_t>("iterations", 1, std::numeric_limits<std::int64_t>::max(),
                                settings.iterations);
    bool density = false;
    if (members.Find("density") != nullptr) {
        members.Switch("density", density);
        settings.density = density;
    }
    members.Whole<std::int32_t>("depth", 8, 16, settings.depth);
    if (settings.depth && *settings.depth != 8 && *settings.depth != 16) members.Refuse("depth", "8 or 16");
    members.Whole<std::uint64_t>("seed", 0, std::numeric_limits<std::uint64_t>::max(), settings.seed);
    members.Rate("fps", settings.fps);
}

void ReadKeyframe(const Json& json, std::size_t index, KeyframeText& keyframe, std::string& problem) {
    const std::string where = "keyframe " + std::to_string(index + 1);
    if (!json.is_object()) {
        problem = where + " must be an object";
        return;
    }
    Members members(json, "in " + where + ", ", problem);
    const Json* lines = members.Find("parameters");
    const bool allText = lines != nullptr && lines->is_array() &&
                         std::ranges::all_of(*lines, [](const Json& line) { return line.is_string(); });
    if (!allText) return members.Refuse("parameters", "the parameter file's lines, a list of texts");
    for (const Json& line : *lines) keyframe.parameters += line.get<std::string>() + "\r\n";
    members.Whole<std::int64_t>("frames", 1, kMostFrames, keyframe.frames);
    members.Switch("cut", keyframe.cut);
}

std::string ReadDocument(const Json& json, AnimationDocument& document) {
    if (!json.is_object() || !json.contains("format") || json["format"] != kFormat)
        return "it is not a Zephyrin animation (no \"format\": \"zephyrin-animation\")";
    if (json.contains("version") && !(json["version"].is_number_unsigned() && json["version"] <= kVersion))
        return "it is of a later version than this program reads";
    std::string problem;
    if (json.contains("settings")) ReadSettings(json["settings"], document.settings, problem);
    if (!problem.empty()) return problem;
    if (!json.contains("keyframes") || !json["keyframes"].is_array()) return "it has no \"keyframes\" list";
    const Json& keyframes = json["keyframes"];
    if (keyframes.size() > kMostKeyframes)
        return "it has more than " + std::to_string(kMostKeyframes) + " keyframes";
    document.keyframes.resize(keyframes.size());
    for (std::size_t i = 0; i < keyframes.size() && problem.empty(); ++i)
        ReadKeyframe(keyframes[i], i, document.keyframes[i], problem);
    return problem;
}

Json Lines(std::string_view text) {
    Json lines = Json::array();
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(std::string(line));
    }
    return lines;
}

}  // namespace

Result<AnimationDocument> ParseAnimationText(std::string_view text, std::string_view source) {
    const std::string failed = "Cannot read the animation " + Quoted(source) + ": ";
    AnimationDocument document;
    try {
        const Json json = Json::parse(text);
        if (const std::string problem = ReadDocument(json, document); !problem.empty())
            return Failure(failed + problem);
    } catch (const Json::parse_error& error) {
        // The library's own words after its "[json.exception...] " tag.
        const std::string_view what = error.what();
        const std::size_t tag = what.find("] ");
        return Failure(failed + std::string(tag == std::string_view::npos ? what : what.substr(tag + 2)));
    } catch (const Json::exception& error) {
        return Failure(failed + error.what());
    }
    return document;
}

std::string WriteAnimationText(const AnimationDocument& document) {
    const AnimationSettings& s = document.settings;
    Json settings = {{"loop", s.loop}, {"smooth", s.smooth}};
    const auto put = [&](const char* name, const auto& value) {
        if (value) settings[name] = *value;
    };
    put("frames", s.frames);
    put("width", s.width);
    put("height", s.height);
    put("iterations", s.iterations);
    put("density", s.density);
    put("depth", s.depth);
    put("seed", s.seed);
    put("fps", s.fps);
    Json keyframes = Json::array();
    for (const KeyframeText& k : document.keyframes) {
        Json keyframe = {{"parameters", Lines(k.parameters)}};
        if (k.frames) keyframe["frames"] = *k.frames;
        keyframe["cut"] = k.cut;
        keyframes.push_back(std::move(keyframe));
    }
    const Json json = {
        {"format", kFormat}, {"version", kVersion}, {"settings", settings}, {"keyframes", keyframes}};
    // A byte that is not UTF-8 (a gradient's path in another encoding) becomes U+FFFD.
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

Result<AnimationDocument> ReadAnimationFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const auto reason = [] { return std::error_code(errno, std::generic_category()).message(); };
    if (!in) return Failure("Cannot open the animation " + Quoted(path.string()) + ": " + reason());
    std::string text(kLargestAnimationFile + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) return Failure("Cannot read the animation " + Quoted(path.string()) + ": " + reason());
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > kLargestAnimationFile)
        return Failure("Cannot read the animation " + Quoted(path.string()) + ": it is larger than " +
                       std::to_string(kLargestAnimationFile / (1024 * 1024)) + " MB");
    return ParseAnimationText(text, path.string());
}

Result<> WriteAnimationFile(const std::filesystem::path& path, const AnimationDocument& document) {
    const std::string text = WriteAnimationText(document);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    if (const Result<> written = WriteFileAtomically(path, std::span(bytes, text.size())); !written)
        return Failure("Cannot write the animation " + Quoted(path.string()) + ": " + written.error());
    return {};
}

Keyframe KeyframeOf(const TFractalRec& v, const Effects& effects, const DensitySettings& density) {
    Keyframe keyframe{.record = v, .effects = effects, .density = density};
    RoundAsWritten(keyframe.record, keyframe.effects);
    keyframe.record.randomStart = kFalse;
    FreezeView(keyframe.record);
    return keyframe;
}

AnimationDocument DocumentOf(const Animation& animation, AnimationSettings settings) {
    AnimationDocument document;
    settings.loop = animation.loop;
    settings.smooth = animation.smooth;
    document.settings = settings;
    for (std::size_t i = 0; i < animation.keyframes.size(); ++i) {
        const Keyframe& k = animation.keyframes[i];
        document.keyframes.push_back({WriteParameterText(k.record, k.effects, k.density, '.'),
                                      i < SegmentCount(animation) ? std::optional(k.frames) : std::nullopt,
                                      k.cut});
    }
    return document;
}

Result<> TakeFrames(const AnimationDocument& document, Animation& animation) {
    const std::size_t segments = SegmentCount(animation);
    std::size_t given = 0;
    std::int64_t sum = 0;
    for (std::size_t s = 0; s < segments; ++s) {
        if (!document.keyframes[s].frames) continue;
        ++given;
        sum += *document.keyframes[s].frames;
        animation.keyframes[s].frames = *document.keyframes[s].frames;
    }
    const std::optional<std::int64_t> total = document.settings.frames;
    if (given == segments && segments > 0) {
        const std::int64_t frames = sum + (animation.loop ? 0 : 1);
        if (total && *total != frames)
            return Failure("the keyframes' frames add up to " + std::to_string(frames) + ", not the " +
                           std::to_string(*total) + " of \"frames\"");
        return {};
    }
    if (given > 0) return Failure("some keyframes give their frames to the next and some do not");
    if (!total) return Failure("neither the keyframes nor \"frames\" say how many frames to draw");
    return SpreadFrames(animation, *total);
}

}  // namespace zephyrin
