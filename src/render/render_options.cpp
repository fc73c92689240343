#include "render/render_options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>

#include "engine/colouring/density_settings.h"
#include "engine/core/formula_table.h"
#include "imaging/gradient.h"
#include "imaging/image_formats.h"
#include "util/number_format.h"

namespace zephyrin {
namespace {

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// The whole text, digits only: no sign, no blanks.
template <typename Unsigned>
std::optional<Unsigned> ParseDigits(std::string_view text) {
    Unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto parsed = std::from_chars(text.data(), end, value);
    if (text.empty() || parsed.ec != std::errc() || parsed.ptr != end) return std::nullopt;
    return value;
}

std::optional<std::int32_t> ParseWhole(std::string_view text, std::int32_t low, std::int32_t high) {
    const auto value = StrToInt(text);
    if (!value || *value < low || *value > high) return std::nullopt;
    return value;
}

struct Size {
    std::int32_t width;
    std::int32_t height;
};

// "WxH"; sizes below 1 are refused by the caller with their own message.
std::optional<Size> ParseSize(std::string_view text) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos) return std::nullopt;
    const auto width = StrToInt(text.substr(0, x));
    const auto height = StrToInt(text.substr(x + 1));
    if (!width || !height) return std::nullopt;
    return Size{*width, *height};
}

class Parser {
public:
    explicit Parser(std::span<const std::string_view> arguments) : arguments_(arguments) {}

    [[nodiscard]] Result<RenderOptions> Parse() {
        for (next_ = 0; next_ < arguments_.size() && error_.empty() && !options_.help && !options_.version;) {
            std::string_view argument = arguments_[next_++];
            inlineValue_.reset();
            if (argument.starts_with("--")) {
                if (const std::size_t equals = argument.find('='); equals != std::string_view::npos) {
                    inlineValue_ = argument.substr(equals + 1);
                    argument = argument.substr(0, equals);
                }
                options_.given.emplace_back(argument);
                Option(argument);
            } else if (argument == "-o") {
                Output(argument);
            } else if (argument.starts_with("-") && argument.size() > 1) {
                error_ = "unknown option " + std::string(argument);
            } else if (options_.animation.animate) {
                options_.animation.keyframes.emplace_back(argument);
            } else if (options_.animation.file || (argument.ends_with(".zpa") && !inputs_.empty())) {
                const std::string first =
                    options_.animation.file ? options_.animation.file->string() : inputs_.front().string();
                error_ = "more than one parameter file: " + Quoted(first) + " and " + Quoted(argument);
            } else if (argument.ends_with(".zpa")) {
                options_.animation.file = std::filesystem::path(argument);
            } else {
                inputs_.emplace_back(argument);
            }
        }
        if (error_.empty() && !options_.help && !options_.version) CheckWhole();
        if (!error_.empty()) return Failure(error_);
        return options_;
    }

private:
    void Option(std::string_view name) {
        if (name == "--help") return Switch(name, options_.help);
        if (name == "--version") return Switch(name, options_.version);
        if (name == "--random") return Switch(name, options_.random);
        if (name == "--find") return Switch(name, options_.find);
        if (name == "--fit") return Switch(name, options_.fit);
        if (name == "--white") return Switch(name, options_.white);
        if (name == "--sqrt-filter") return Switch(name, options_.sqrtFilter);
        if (name == "--quiet") return Switch(name, options_.quiet);
        if (name == "--no-params") {
            bool skip = false;
            Switch(name, skip);
            options_.writeParameters = !skip;
            return;
        }
        if (name == "--output") return Output(name);
        if (name == "--formula") return Formula(name);
        if (name == "--size") return SizeOption(name);
        if (name == "--supersample") return Supersample(name);
        if (name == "--iterations") return Iterations(name);
        if (name == "--seconds") return Seconds(name);
        if (name == "--seed") return Seed(name);
        if (name == "--threads") return WholeOption(name, 1, kMaxThreads, options_.threads);
        if (name == "--png-level") return WholeOption(name, 0, 9, options_.pngLevel);
        if (name == "--density") return Switch(name, options_.density);
        if (name == "--brightness") return DensityReal(name, kBrightnessRange, options_.brightness);
        if (name == "--gamma") return DensityReal(name, kGammaRange, options_.gamma);
        if (name == "--vibrancy") return DensityReal(name, kVibrancyRange, options_.vibrancy);
        if (name == "--gradient") return GradientOption(name);
        if (name == "--depth") return Depth(name);
        if (name == "--merge") return Switch(name, merge_);
        if (name == "--save-counts") return CountsPath(name, options_.saveCounts, {".tif", ".tiff"});
        if (name == "--export-density")
            return CountsPath(name, options_.exportDensity, {".exr", ".tif", ".tiff"});
        if (name == "--share") return Share(name);
        if (name == "--metrics") return Switch(name, options_.metrics);
        if (name == "--gallery") return Gallery(name);
        if (name == "--quasi-periodic") return Switch(name, options_.quasiPeriodic);
        if (name == "--classic") return Switch(name, options_.classic);
        if (const auto kind = AnimateOptionKindOf(name); kind != AnimateOptionKind::kNone)
            return AnimateOption(name, kind);
        error_ = "unknown option " + std::string(name);
    }

    void AnimateOption(std::string_view name, AnimateOptionKind kind) {
        std::optional<std::string_view> value = std::string_view();
        if (kind == AnimateOptionKind::kValued)
            value = Value(name);
        else if (inlineValue_)
            error_ = std::string(name) + " takes no value";
        if (!value || !error_.empty()) return;
        if (const auto refused = TakeAnimateOption(name, *value, options_.animation)) error_ = *refused;
        // A parameter file before --animate is the first keyframe.
        if (name == "--animate" && !inputs_.empty()) {
            options_.animation.keyframes.insert(options_.animation.keyframes.begin(), inputs_.begin(),
                                                inputs_.end());
            inputs_.clear();
        }
    }

    void Switch(std::string_view name, bool& on) {
        if (inlineValue_) {
            error_ = std::string(name) + " takes no value";
            return;
        }
        on = true;
    }

    std::optional<std::string_view> Value(std::string_view name) {
        if (inlineValue_) return inlineValue_;
        if (next_ < arguments_.size()) return arguments_[next_++];
        error_ = std::string(name) + " needs a value";
        return std::nullopt;
    }

    void Refuse(std::string_view name, std::string_view value, std::string_view expected) {
        error_ = std::string(name) + " expects " + std::string(expected) + ", not " + Quoted(value);
    }

    void Output(std::string_view name) {
        const auto value = Value(name);
        if (!value) return;
        if (!options_.output.empty()) {
            error_ = "more than one output file";
            return;
        }
        if (value->empty()) return Refuse(name, *value, "a file name");
        options_.output = std::filesystem::path(*value);
    }

    void Formula(std::string_view name) {
        const auto value = Value(name);
        if (!value) return;
        if (*value == "all") {
            options_.allFormulas = true;
            return;
        }
        const auto number = StrToInt(*value);
        if (!number || FindFormula(*number) == nullptr)
            return Refuse(name, *value, "a formula number (1 to 55 or 60 to 75) or all");
        options_.formula = number;
    }

    void SizeOption(std::string_view name) {
        const auto value = Value(name);
        if (!value) return;
        const auto size = ParseSize(*value);
        if (!size) return Refuse(name, *value, "WIDTHxHEIGHT in pixels");
        if (size->width < 1 || size->height < 1)
            return Refuse(name, *value, "a width and a height of at least 1 pixel");
        options_.width = size->width;
        options_.height = size->height;
        options_.sizeGiven = true;
    }

    void Supersample(std::string_view name) {
        const auto value = Value(name);
        if (!value) return;
        const auto factor = ParseWhole(*value, 2, 4);
        if (!factor) return Refuse(name, *value, "2, 3 or 4");
        options_.supersample = *factor;
    }

    void Iterations(std::string_view name) {
        const auto value = Value(name);
        if (!value) return;
        const auto count = ParseDigits<std::uint64_t>(*value);
        if (!count || *count > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            return Refuse(name, *value, "a whole number of at least 1");
        options_.iterations = static_cast<std::int64_t>(*count);
        options_.iterationsGiven = true;
    }

    void Seconds(std::string_view name) {
        const auto value = Value(name);
        if (!value) return;
        const auto seconds = StrToFloat(*value, '.');
        if (!seconds || !(*seconds > 0)) return Refuse(name, *value, "a number of seconds above 0");
        options_.seconds = seconds;
    }

    void Seed(std::string_view name) {
        const auto value = Value(name);
        if (!value) return;
        const auto seed = ParseDigits<std::uint64_t>(*value);
        if (!seed) return Refuse(name, *value, "a whole number from 0 to 18446744073709551615");
        options_.seed = seed;
    }

    template <typename Whole>
    void WholeOption(std::string_view name, std::int32_t low, std::int32_t high, Whole& setting) {
        const auto value = Value(name);
        if (!value) return;
        const auto whole = ParseWhole(*value, low, high);
        if (!whole)
            return Refuse(name, *value,
                          "a whole number from " + std::to_string(low) + " to " + std::to_string(high));
        setting = *whole;
    }

    void DensityReal(std::string_view name, SettingRange range, std::optional<double>& setting) {
        const auto value = Value(name);
        if (!value) return;
        const auto number = StrToFloat(*value, '.');
        if (!number || !range.Holds(*number))
            return Refuse(
                name, *value,
                "a number from " + FloatToStr(range.low, '.') + " to " + FloatToStr(range.high, '.'));
        setting = number;
    }

    void GradientOption(std::string_view name) {
        const auto value = Value(name);
        if (!value) return;
        std::string extension = std::filesystem::path(*value).extension().string();
        for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const bool file = extension == ".ggr";
        if (!file && !BuiltInGradient(*value)) {
            std::string names;
            for (const std::string_view builtIn : BuiltInGradientNames())
                names += (names.empty() ? "" : ", ") + std::string(builtIn);
            return Refuse(name, *value, "one of " + names + " or a .ggr file");
        }
        options_.gradient = std::string(*value);
    }

    void Depth(std::string_view name) {
        const auto value = Value(name);
        if (!value) return;
        if (*value != "8" && *value != "16") return Refuse(name, *value, "8 or 16");
        options_.depth = *value == "8" ? 8 : 16;
    }

    void CountsPath(std::string_view name, std::optional<std::filesystem::path>& path,
                    std::initializer_list<std::string_view> extensions) {
        const auto value = Value(name);
        if (!value) return;
        if (path) {
            error_ = "more than one " + std::string(name);
            return;
        }
        if (std::ranges::find(extensions, LowerExtension(*value)) == extensions.end())
            return Refuse(name, *value, extensions.size() == 2 ? "a .tif file" : "an .exr or .tif file");
        path = std::filesystem::path(*value);
    }

    static std::string LowerExtension(const std::filesystem::path& path) {
        std::string extension = path.extension().string();
        for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return extension;
    }

    // The inputs: one parameter file, or the counts files of a merge.
    void CheckInputs() {
        if (merge_) {
            options_.merge = inputs_;
            if (inputs_.size() < 2) error_ = "--merge needs two counts files or more";
        } else if (inputs_.size() > 1) {
            error_ = "more than one parameter file: " + Quoted(inputs_[0].string()) + " and " +
                     Quoted(inputs_[1].string());
        } else if (!inputs_.empty()) {
            options_.parameterFile = inputs_.front();
        }
        const std::string extension = options_.parameterFile ? LowerExtension(*options_.parameterFile) : "";
        const bool tiffInput = extension == ".tif" || extension == ".tiff";
        if (error_.empty() && options_.iterationsGiven && options_.iterations == 0 && !tiffInput)
            error_ =
                "--iterations expects a whole number of at least 1 (0 recolours a counts file), not \"0\"";
    }

    void Share(std::string_view name) {
        const auto value = Value(name);
        if (!value) return;
        options_.share = ParseShare(*value);
        if (!options_.share)
            Refuse(name, *value,
                   "R/N, share R (from 0) of N (1 to " + std::to_string(kMostShares) + "), R below N");
    }

    void Gallery(std::string_view name) {
        const auto value = Value(name);
        if (!value) return;
        const auto tiles = ParseWhole(*value, 1, kMaxGalleryTiles);
        if (!tiles)
            return Refuse(name, *value,
                          "a number of attractors from 1 to " + std::to_string(kMaxGalleryTiles));
        options_.gallery = tiles;
    }

    // What --metrics, --gallery and their options need of the others.
    std::string ModeConflict() const {
        const RenderOptions& o = options_;
        const bool coloured = o.density || o.brightness || o.gamma || o.vibrancy || o.gradient;
        if (o.gallery && o.metrics) return "give either --gallery or --metrics, not both";
        if (o.gallery && (o.find || o.fit)) return "--gallery finds and frames its attractors itself";
        if (o.gallery && o.depth == 16) return "--gallery writes its sheet with 8 bits per channel";
        if (o.classic && !o.gallery) return "--classic goes with --gallery";
        if (o.classic && coloured) return "give either --classic or density colouring, not both";
        if (o.allFormulas && !o.gallery) return "--formula all goes with --gallery";
        if (o.share && (o.gallery || o.metrics || !o.merge.empty() || o.animation.On()))
            return "--share goes with one picture (frames of an animation are shared with --frame-range)";
        if (o.quasiPeriodic && !o.gallery && !o.find && !o.animation.On())
            return "--quasi-periodic goes with --find, --gallery or an animation";
        return {};
    }

    void CheckWhole() {
        CheckInputs();
        if (!error_.empty()) return;
        if (const auto problem = CheckAnimateOptions(options_)) {
            error_ = *problem;
        } else if (options_.iterationsGiven && options_.seconds) {
            error_ = "give either --iterations or --seconds, not both";
        } else if (const std::string conflict = ModeConflict(); !conflict.empty()) {
            error_ = conflict;
        } else if (options_.output.empty() && !options_.metrics && !options_.saveCounts &&
                   !options_.exportDensity) {
            error_ =
                "no output file given (-o OUT.ext, --save-counts COUNTS.tif or --export-density OUT.exr)";
        } else if (options_.output.empty()) {
            return;
        } else if (FindImageFormat(options_.output) == nullptr) {
            error_ = "the output " + Quoted(options_.output.string()) +
                     " does not end in an image format's extension (" + ExtensionList(FormatSet::kAll) + ")";
        } else if (options_.depth == 16 && !FindImageFormat(options_.output)->SixteenBits()) {
            error_ = "--depth 16 needs a " + ExtensionList(FormatSet::kSixteenBits) + " output, not " +
                     Quoted(options_.output.string());
        }
    }

    std::span<const std::string_view> arguments_;
    std::size_t next_ = 0;
    std::optional<std::string_view> inlineValue_;
    RenderOptions options_;
    std::string error_;
    bool merge_ = false;
    std::vector<std::filesystem::path> inputs_;
};

}  // namespace

bool RenderOptions::Given(std::string_view name) const {
    return std::ranges::find(given, name) != given.end();
}

Result<RenderOptions> ParseRenderOptions(std::span<const std::string_view> arguments) {
    return Parser(arguments).Parse();
}

}  // namespace zephyrin
