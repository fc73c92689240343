#include "engine/animate/frame_pattern.h"

#include <optional>
#include <string_view>

namespace zephyrin {
namespace {

// The text of `part` with every %% made one %, or none when it holds another %.
std::optional<std::string> Literal(std::string_view part) {
    std::string text;
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (part[i] == '%' && (i + 1 == part.size() || part[++i] != '%')) return std::nullopt;
        text += part[i];
    }
    return text;
}

// Where the conversion starts: the first % that is not part of a %%.
std::size_t ConversionStart(std::string_view name) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] != '%') continue;
        if (i + 1 == name.size() || name[i + 1] != '%') return i;
        ++i;
    }
    return std::string_view::npos;
}

}  // namespace

Result<FramePattern> FramePattern::Parse(const std::filesystem::path& pattern) {
    FramePattern parsed;
    parsed.folder_ = pattern.parent_path();
    std::string name = pattern.filename().string();
    std::size_t start = ConversionStart(name);
    if (start == std::string::npos) {
        const std::string stem = pattern.stem().string();
        name = stem + "-%04d" + pattern.extension().string();
        start = stem.size() + 1;
    }
    std::size_t end = start + 1;
    if (end < name.size() && name[end] == '0') {
        parsed.zeros_ = true;
        ++end;
    }
    if (end < name.size() && name[end] >= '1' && name[end] <= '9') parsed.width_ = name[end++] - '0';
    const auto before = Literal(std::string_view(name).substr(0, start));
    const auto after = end < name.size() && name[end] == 'd' ? Literal(std::string_view(name).substr(end + 1))
                                                             : std::nullopt;
    if (!before || !after)
        return Failure("the frames' names \"" + pattern.string() +
                       "\" need one frame number such as %04d and no other %, but %% for a % sign");
    parsed.before_ = *before;
    parsed.after_ = *after;
    return parsed;
}

std::filesystem::path FramePattern::Name(std::int64_t frame) const {
    std::string number = std::to_string(frame);
    if (static_cast<int>(number.size()) < width_)
        number.insert(0, static_cast<std::size_t>(width_) - number.size(), zeros_ ? '0' : ' ');
    return folder_ / (before_ + number + after_);
}

}  // namespace zephyrin
