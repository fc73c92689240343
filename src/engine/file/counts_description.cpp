#include "engine/file/counts_description.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>

#include "engine/core/variation_table.h"
#include "engine/file/param_file.h"
#include "util/number_format.h"

namespace zephyrin {
namespace {

constexpr std::string_view kKeys[] = {"iterations", "seeds", "supersample", "colouring", "white"};
constexpr std::int32_t kLargestSupersample = 4;

template <typename Number>
std::optional<Number> WholeNumber(std::string_view text) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto parsed = std::from_chars(text.data(), end, value);
    if (text.empty() || text.front() == '-' || parsed.ec != std::errc() || parsed.ptr != end)
        return std::nullopt;
    return value;
}

// "SEED:RUNS" pairs separated by commas, each seed once, each with a run.
std::optional<std::vector<SeedRuns>> ParseSeeds(std::string_view text) {
    std::vector<SeedRuns> seeds;
    while (!text.empty()) {
        const std::size_t comma = std::min(text.find(','), text.size());
        const std::string_view pair = text.substr(0, comma);
        text.remove_prefix(std::min(comma + 1, text.size()));
        const std::size_t colon = pair.find(':');
        if (colon == std::string_view::npos) return std::nullopt;
        const auto seed = WholeNumber<std::uint64_t>(pair.substr(0, colon));
        const auto runs = WholeNumber<std::int64_t>(pair.substr(colon + 1));
        if (!seed || !runs || *runs < 1) return std::nullopt;
        if (std::ranges::any_of(seeds, [&](const SeedRuns& s) { return s.seed == *seed; }))
            return std::nullopt;
        seeds.push_back({*seed, *runs});
    }
    if (seeds.empty()) return std::nullopt;
    return seeds;
}

// The key=value lines after the parameter text's 150, by key; the last of a
// key counts.
std::map<std::string, std::string, std::less<>> KeyLines(std::string_view text) {
    std::map<std::string, std::string, std::less<>> keys;
    for (int line = 0; !text.empty(); ++line) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view current = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (current.ends_with('\r')) current.remove_suffix(1);
        const std::size_t equals = current.find('=');
        if (line >= kParameterLineCount && equals != std::string_view::npos)
            keys[std::string(current.substr(0, equals))] = std::string(current.substr(equals + 1));
    }
    return keys;
}

// The history, supersampling and white switch of the key lines, or the key
// that is missing or wrong.
[[nodiscard]] Result<> ReadKeys(std::string_view parameterText, CountsDescription& description) {
    const auto keys = KeyLines(parameterText);
    for (const std::string_view key : kKeys)
        if (!keys.contains(key)) return Failure("its description has no " + std::string(key) + " line");
    const auto wrong = [](std::string_view key) {
        return Failure("its description's " + std::string(key) + " line cannot be read");
    };
    const auto iterations = WholeNumber<std::int64_t>(keys.find("iterations")->second);
    if (!iterations) return wrong("iterations");
    auto seeds = ParseSeeds(keys.find("seeds")->second);
    if (!seeds) return wrong("seeds");
    const auto supersample = WholeNumber<std::int32_t>(keys.find("supersample")->second);
    if (!supersample || *supersample < 1 || *supersample > kLargestSupersample) return wrong("supersample");
    const std::string& colouring = keys.find("colouring")->second;
    const std::optional<ColouringMode> mode = ModeNamed(colouring);
    if (!mode) return wrong("colouring");
    if (*mode != description.density.mode)
        return Failure("its description's colouring contradicts its parameters");
    const std::string& white = keys.find("white")->second;
    if (white != "0" && white != "1") return wrong("white");

    description.history = {*iterations, *std::move(seeds)};
    description.supersample = *supersample;
    description.record.white = ToFlag(white == "1");
    return {};
}

std::string Values(double a, double b) {
    return FloatToStr(a, '.') + " and " + FloatToStr(b, '.');
}

// The first value of the record and effects that shapes the counts and
// differs, named, or empty.
std::string RecordDifference(const CountsDescription& a, const CountsDescription& b) {
    const TFractalRec& v = a.record;
    const TFractalRec& w = b.record;
    const std::pair<std::string_view, double TFractalRec::*> reals[] = {
        {"the magnification", &TFractalRec::zoom},       {"the view centre x", &TFractalRec::xCenter},
        {"the view centre y", &TFractalRec::yCenter},    {"the intensity", &TFractalRec::intensity},
        {"the variation weight", &TFractalRec::factor2}, {"the random range", &TFractalRec::randomizer},
        {"the start value of A", &TFractalRec::AAStart}, {"the constant B", &TFractalRec::BB},
        {"the start point x", &TFractalRec::startX},     {"the start point y", &TFractalRec::startY},
    };
    if (v.formula != w.formula)
        return "the formula: " + std::to_string(v.formula) + " and " + std::to_string(w.formula);
    for (const auto& [name, field] : reals)
        if (v.*field != w.*field) return std::string(name) + ": " + Values(v.*field, w.*field);
    for (int i = 1; i <= Coefficients::kCount; ++i)
        if (v.af[i] != w.af[i])
            return "coefficient af[" + std::to_string(i) + "]: " + Values(v.af[i], w.af[i]);
    for (const VariationInfo& variation : kVariations)
        if ((v.*variation.field != kFalse) != (w.*variation.field != kFalse))
            return "the variation " + std::string(variation.name);
    if (a.effects != b.effects) return "the effects (Color Mix, Expansion, Modulas)";
    return {};
}

}  // namespace

std::string CountsDifference(const CountsDescription& a, const CountsDescription& b) {
    if (a.record.width != b.record.width || a.record.height != b.record.height)
        return "the size: " + std::to_string(a.record.width) + " x " + std::to_string(a.record.height) +
               " and " + std::to_string(b.record.width) + " x " + std::to_string(b.record.height) + " counts";
    if (a.supersample != b.supersample)
        return "the supersampling: " + std::to_string(a.supersample) + " and " +
               std::to_string(b.supersample);
    if (std::string record = RecordDifference(a, b); !record.empty()) return record;
    for (const SeedRuns& s : a.history.seeds)
        if (b.history.RunsOf(s.seed) > 0)
            return "both were drawn with seed " + std::to_string(s.seed) +
                   ", whose streams would count twice";
    return {};
}

std::int64_t CountsHistory::RunsOf(std::uint64_t seed) const {
    const auto found = std::ranges::find(seeds, seed, &SeedRuns::seed);
    return found != seeds.end() ? found->runs : 0;
}

void CountsHistory::AddRun(std::uint64_t seed, std::int64_t drawn) {
    iterations += drawn;
    const auto found = std::ranges::find(seeds, seed, &SeedRuns::seed);
    if (found != seeds.end())
        ++found->runs;
    else
        seeds.push_back({seed, 1});
}

std::string WriteCountsDescription(const CountsDescription& description) {
    std::string text(kCountsMarker);
    text += "\r\n";
    text += WriteParameterText(description.record, description.effects, description.density, '.');
    std::string seeds;
    for (const SeedRuns& s : description.history.seeds)
        seeds += (seeds.empty() ? "" : ",") + std::to_string(s.seed) + ":" + std::to_string(s.runs);
    const std::pair<std::string_view, std::string> lines[] = {
        {"iterations", std::to_string(description.history.iterations)},
        {"seeds", seeds},
        {"supersample", std::to_string(description.supersample)},
        {"colouring", std::string(InfoOf(description.density.mode).name)},
        {"white", description.record.white != kFalse ? "1" : "0"},
    };
    for (const auto& [key, value] : lines) text += std::string(key) + "=" + value + "\r\n";
    return text;
}

Result<CountsDescription> ReadCountsDescription(std::string_view text, std::string_view caption,
                                                const TFractalRec& record) {
    const std::string quoted = "\"" + std::string(caption) + "\"";
    if (text.empty())
        return Failure(quoted + " has no description: it is no counts file, or it is cut short");
    const std::size_t firstEnd = std::min(text.find('\n'), text.size());
    std::string_view first = text.substr(0, firstEnd);
    if (first.ends_with('\r')) first.remove_suffix(1);
    if (first != kCountsMarker) return Failure(quoted + " is not a counts file");
    const std::string_view parameterText = text.substr(std::min(firstEnd + 1, text.size()));

    CountsDescription description;
    description.record = record;
    const std::vector<std::string> messages =
        ReadParameterText(parameterText, caption, '.', description.record, description.effects,
                          description.density)
            .Messages();
    if (!messages.empty()) return Failure(quoted + " is a damaged counts file: " + messages.front());
    if (const Result<> keys = ReadKeys(parameterText, description); !keys)
        return Failure(quoted + " is a damaged counts file: " + keys.error());
    description.record.randomStart = kFalse;
    return description;
}

}  // namespace zephyrin
