#include "engine/file/density_lines.h"

#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "engine/file/param_file.h"
#include "util/lm_string.h"
#include "util/number_format.h"

namespace zephyrin {
namespace {

constexpr std::string_view kGradientKey = "gradient";
constexpr std::string_view kNameKey = "gradient.name";
constexpr std::string_view kCountKey = "gradient.segments";
constexpr std::string_view kSegmentKey = "gradient.segment";
constexpr std::string_view kNoteKey = "gradient.note";

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// Whether the line "key=value" reads back with this very value.
bool ReadsBack(std::string_view key, std::string_view value) {
    return !value.empty() && Trimmed(value) == value && value.find_first_of("\r\n") == std::string::npos &&
           key.size() + 1 + value.size() <= kLongestParameterLine;
}

// A gradient's name as its line can hold it: control characters as blanks,
// cut at a character's start to fit.
std::string NameLineValue(std::string name) {
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    std::size_t fits = kLongestParameterLine - kNameKey.size() - 1;
    if (name.size() > fits) {
        while (fits > 0 && (static_cast<unsigned char>(name[fits]) & 0xC0) == 0x80) --fits;
        name.resize(fits);
    }
    return std::string(Trimmed(name));
}

bool CarriedInFull(const DensitySettings& density) {
    return density.carried && density.carried->segments.size() <= kMostCarriedSegments;
}

// The lines after the 150th as they are read: the simple keys go straight
// into the settings, a gradient's segments once they are all there.
class DensityReader {
public:
    DensityReader(char separator, const std::filesystem::path& folder, DensitySettings& density)
        : separator_(separator), folder_(folder), density_(density) {}

    // False when the line cannot be read.
    bool Take(std::string_view key, std::string_view value, int lineNumber) {
        if (key == "density") {
            density_.mode = ModeOfFileValue(value);
            return true;
        }
        if (key == kGradientKey) return TakeGradient(value);
        if (key == kNameKey) {
            name_ = std::string(value);
            return true;
        }
        if (key == kCountKey) return TakeCount(value, lineNumber);
        if (key == kSegmentKey) return TakeSegment(value);
        return TakeReal(key, value);
    }

    // After the last line: carries the segments, if they came in full, or
    // gives the line that announced more than came.
    std::optional<int> Finish() {
        if (expected_ == 0) return std::nullopt;
        if (std::ssize(segments_) < expected_) return countLine_;
        if (!named_ && !name_.empty()) density_.gradient = name_;
        const std::string name =
            name_.empty() ? std::filesystem::path(density_.gradient).stem().string() : name_;
        density_.carried = CarriedGradient({name, std::move(segments_)});
        return std::nullopt;
    }

private:
    bool TakeGradient(std::string_view value) {
        if (value.empty()) return false;
        std::filesystem::path path(value);
        if (!BuiltInGradient(value) && path.is_relative()) {
            std::error_code ignored;
            const std::filesystem::path resolved = std::filesystem::absolute(folder_ / path, ignored);
            if (!resolved.empty()) path = resolved;
        }
        density_.gradient = path.string();
        density_.carried = {};
        named_ = true;
        return true;
    }

    bool TakeCount(std::string_view value, int lineNumber) {
        const auto count = StrToInt(value);
        if (expected_ > 0 || !count || *count < 1 || *count > kMostExtraLines) return false;
        expected_ = *count;
        countLine_ = lineNumber;
        return true;
    }

    bool TakeSegment(std::string_view value) {
        if (std::ssize(segments_) >= expected_) return false;
        const Result<GradientSegment> segment =
            ParseGradientSegment(value, segments_.empty() ? nullptr : &segments_.back());
        if (!segment) return false;
        segments_.push_back(*segment);
        return true;
    }

    bool TakeReal(std::string_view key, std::string_view value) {
        const std::pair<std::string_view, std::pair<double*, SettingRange>> reals[] = {
            {"brightness", {&density_.brightness, kBrightnessRange}},
            {"gamma", {&density_.gamma, kGammaRange}},
            {"vibrancy", {&density_.vibrancy, kVibrancyRange}},
        };
        for (const auto& [name, field] : reals) {
            if (key != name) continue;
            const std::string text = separator_ == '.' ? ReplaceChar(std::string(value), ',', '.')
                                                       : ReplaceChar(std::string(value), '.', ',');
            const auto number = StrToFloat(text, separator_);
            if (!number || !field.second.Holds(*number)) return false;
            *field.first = *number;
            return true;
        }
        return true;  // unknown keys are for other readers
    }

    char separator_;
    const std::filesystem::path& folder_;
    DensitySettings& density_;
    bool named_ = false;  // by a "gradient=" line
    std::string name_;
    int expected_ = 0;
    int countLine_ = 0;
    std::vector<GradientSegment> segments_;
};

}  // namespace

std::string WriteDensityLines(const DensitySettings& density, char decimalSeparator) {
    std::string text;
    if (PaintsWhilePlotting(density.mode)) return text;
    const auto writeLine = [&text](std::string_view key, std::string_view value) {
        text += key;
        text += '=';
        text += value;
        text += "\r\n";
    };
    writeLine("density", InfoOf(density.mode).fileValue);
    writeLine("brightness", FloatToStr(density.brightness, decimalSeparator));
    writeLine("gamma", FloatToStr(density.gamma, decimalSeparator));
    writeLine("vibrancy", FloatToStr(density.vibrancy, decimalSeparator));
    if (ReadsBack(kGradientKey, density.gradient)) writeLine(kGradientKey, density.gradient);
    if (!density.carried) return text;
    const std::vector<GradientSegment>& segments = density.carried->segments;
    if (!CarriedInFull(density)) {
        writeLine(kNoteKey, std::to_string(segments.size()) + " segments, more than the " +
                                std::to_string(kMostCarriedSegments) +
                                " a parameter file carries: the gradient is named by its file only");
        return text;
    }
    if (const std::string name = NameLineValue(density.carried->name); !name.empty())
        writeLine(kNameKey, name);
    writeLine(kCountKey, std::to_string(segments.size()));
    for (const GradientSegment& segment : segments) writeLine(kSegmentKey, GradientSegmentLine(segment));
    return text;
}

std::string GradientNote(const DensitySettings& density) {
    if (PaintsWhilePlotting(density.mode) || CarriedInFull(density)) return {};
    const bool named = ReadsBack(kGradientKey, density.gradient);
    if (named && !density.carried) return {};
    std::string note = "The gradient \"" + density.gradient + "\" ";
    if (density.carried)
        note += "has " + std::to_string(density.carried->segments.size()) + " segments, more than the " +
                std::to_string(kMostCarriedSegments) + " a parameter file carries, so ";
    return note + (named ? "the parameters name its file only: they draw with it only where it is found."
                         : "cannot be written into the parameters: they draw with another gradient.");
}

std::optional<int> ReadDensityLines(LineReader& file, char decimalSeparator,
                                    const std::filesystem::path& folder, DensitySettings& density) {
    density.mode = ColouringMode::kClassic;
    DensityReader reader(decimalSeparator, folder, density);
    for (int extra = 0; extra < kMostExtraLines && !file.AtEnd(); ++extra) {
        const std::string_view line = file.Next();
        const std::size_t equals = line.find('=');
        const bool valid =
            line.size() <= kLongestParameterLine &&
            (equals == std::string_view::npos ||
             reader.Take(Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)), file.Number()));
        if (!valid) return file.Number();
    }
    return reader.Finish();
}

}  // namespace zephyrin
