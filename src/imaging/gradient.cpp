#include "imaging/gradient.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <numbers>
#include <vector>

namespace zephyrin {
namespace {

struct Stop {
    float position;
    std::uint8_t r, g, b;
};

struct BuiltIn {
    std::string_view name;
    std::vector<Stop> stops;
};

// Every gradient runs from black, the background, so the faintest pixels
// fade into it; most end in white or nearly, so the densest stay brightest.
const std::vector<BuiltIn>& BuiltIns() {
    // clang-format off
    static const std::vector<BuiltIn> builtIns = {
        {"grey", {{0, 0, 0, 0}, {1, 255, 255, 255}}},
        {"fire", {{0, 0, 0, 0}, {0.3f, 150, 10, 0}, {0.55f, 235, 90, 0}, {0.8f, 255, 200, 50},
                  {1, 255, 255, 235}}},
        {"ice", {{0, 0, 0, 0}, {0.3f, 10, 35, 110}, {0.6f, 40, 140, 215}, {0.85f, 160, 225, 250},
                 {1, 245, 255, 255}}},
        {"sunset", {{0, 0, 0, 0}, {0.25f, 55, 10, 85}, {0.5f, 175, 35, 95}, {0.75f, 250, 125, 55},
                    {0.92f, 255, 220, 150}, {1, 255, 255, 255}}},
        {"ocean", {{0, 0, 0, 0}, {0.35f, 0, 50, 75}, {0.65f, 0, 130, 140}, {0.85f, 90, 210, 190},
                   {1, 225, 255, 240}}},
        {"forest", {{0, 0, 0, 0}, {0.35f, 15, 60, 25}, {0.65f, 60, 145, 55}, {0.85f, 180, 215, 95},
                    {1, 250, 255, 215}}},
        {"plasma", {{0, 0, 0, 0}, {0.3f, 50, 5, 110}, {0.55f, 150, 30, 160}, {0.8f, 240, 105, 110},
                    {1, 255, 225, 90}}},
        {"copper", {{0, 0, 0, 0}, {0.35f, 95, 40, 20}, {0.65f, 190, 105, 55}, {0.85f, 240, 185, 125},
                    {1, 255, 245, 225}}},
        {"spectrum", {{0, 0, 0, 0}, {0.15f, 75, 0, 120}, {0.3f, 0, 60, 220}, {0.45f, 0, 185, 185},
                      {0.6f, 70, 215, 0}, {0.75f, 250, 215, 0}, {0.9f, 255, 70, 0}, {1, 255, 255, 255}}},
    };
    // clang-format on
    return builtIns;
}

std::vector<std::string_view> MakeNames() {
    std::vector<std::string_view> names;
    for (const BuiltIn& builtIn : BuiltIns()) names.push_back(builtIn.name);
    return names;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

GradientColour Between(const std::vector<Stop>& stops, double t) {
    const auto after = std::ranges::find_if(stops, [t](const Stop& s) { return s.position >= t; });
    if (after == stops.begin())
        return {stops.front().r / 255.0f, stops.front().g / 255.0f, stops.front().b / 255.0f};
    if (after == stops.end())
        return {stops.back().r / 255.0f, stops.back().g / 255.0f, stops.back().b / 255.0f};
    const Stop& a = *(after - 1);
    const Stop& b = *after;
    const auto f = static_cast<float>((t - a.position) / (b.position - a.position));
    const auto mix = [f](std::uint8_t x, std::uint8_t y) { return (x + (y - x) * f) / 255.0f; };
    return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

// --- GIMP gradients

constexpr std::uintmax_t kLargestGgrFile = 4 << 20;
constexpr int kMostSegments = 10000;
constexpr double kEpsilon = 1e-10;

enum class Blend { kLinear, kCurved, kSine, kSphereIncreasing, kSphereDecreasing, kStep };
enum class Colouring { kRgb, kHsvCounterClockwise, kHsvClockwise };

struct Rgba {
    double r, g, b, a;
};

struct Segment {
    double left, middle, right;
    Rgba leftColour, rightColour;
    Blend blend;
    Colouring colouring;
};

class GgrParser {
public:
    GgrParser(std::string_view text, std::string_view source) : rest_(text), source_(source) {}

    Result<Gradient> Parse() {
        if (Trimmed(NextLine()) != "GIMP Gradient")
            return Fail("not a GIMP gradient (the first line should be \"GIMP Gradient\")");
        std::string_view line = Trimmed(NextLine());
        std::string name(std::filesystem::path(source_).stem().string());
        if (line.starts_with("Name:")) {
            name = std::string(Trimmed(line.substr(5)));
            line = Trimmed(NextLine());
        }
        int count = 0;
        const auto parsed = std::from_chars(line.data(), line.data() + line.size(), count);
        if (line.empty() || parsed.ptr != line.data() + line.size() || count < 1 || count > kMostSegments)
            return Fail("expected the number of segments (1 to " + std::to_string(kMostSegments) +
                        "), found \"" + std::string(line) + "\"");

        std::vector<Segment> segments;
        while (static_cast<int>(segments.size()) < count) {
            if (rest_.empty()) {
                ++number_;
                return Fail("the file ends after " + std::to_string(segments.size()) + " of " +
                            std::to_string(count) + " segments");
            }
            line = Trimmed(NextLine());
            if (line.empty()) continue;
            Result<Segment> segment = ParseSegment(line);
            if (!segment) return Failure(segment.error());
            if (!segments.empty() && segment->left < segments.back().left)
                return Fail("the segment starts before the one above it");
            segments.push_back(*segment);
        }
        return Gradient(std::move(name), [&segments](double t) { return ColourAt(segments, t); });
    }

private:
    std::string_view NextLine() {
        ++number_;
        const std::size_t end = rest_.find('\n');
        std::string_view line = rest_.substr(0, end);
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        return line;
    }

    static std::string_view Trimmed(std::string_view s) {
        const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
        while (!s.empty() && blank(s.front())) s.remove_prefix(1);
        while (!s.empty() && blank(s.back())) s.remove_suffix(1);
        return s;
    }

    std::unexpected<std::string> Fail(const std::string& what) const {
        return Failure("Cannot read the gradient \"" + std::string(source_) + "\", line " +
                       std::to_string(number_) + ": " + what);
    }

    Result<Segment> ParseSegment(std::string_view line) const {
        std::vector<double> numbers;
        while (!line.empty()) {
            const std::size_t end = std::min(line.find_first_of(" \t"), line.size());
            const std::string_view word = line.substr(0, end);
            double value = 0;
            const auto parsed = std::from_chars(word.data(), word.data() + word.size(), value);
            if (parsed.ptr != word.data() + word.size() || !std::isfinite(value))
                return Fail("\"" + std::string(word) + "\" is not a number");
            numbers.push_back(value);
            line = Trimmed(line.substr(end));
        }
        if (numbers.size() < 13)
            return Fail("a segment needs 13 or 15 numbers, this line has " + std::to_string(numbers.size()));
        const auto whole = [&](std::size_t i, int highest) {
            return numbers[i] == std::floor(numbers[i]) && numbers[i] >= 0 && numbers[i] <= highest;
        };
        if (!whole(11, 5)) return Fail("the blending function must be 0 to 5");
        if (!whole(12, 2)) return Fail("the colouring must be 0 (RGB), 1 or 2 (HSV)");
        for (std::size_t i = 13; i < std::min<std::size_t>(numbers.size(), 15); ++i)
            if (!whole(i, 4)) return Fail("an endpoint's colour kind must be 0 to 4");

        Segment s;
        s.left = numbers[0];
        s.right = numbers[2];
        if (s.left > s.right) return Fail("the segment ends before it starts");
        s.middle = std::clamp(numbers[1], s.left, s.right);
        const auto colour = [&](std::size_t first, std::size_t kindIndex) {
            const auto channel = [&](std::size_t i) { return std::clamp(numbers[i], 0.0, 1.0); };
            Rgba c{channel(first), channel(first + 1), channel(first + 2), channel(first + 3)};
            const int kind = kindIndex < numbers.size() ? static_cast<int>(numbers[kindIndex]) : 0;
            if (kind == 1 || kind == 2) c = {0, 0, 0, kind == 1 ? 1.0 : 0.0};  // foreground: black
            if (kind == 3 || kind == 4) c = {1, 1, 1, kind == 3 ? 1.0 : 0.0};  // background: white
            return c;
        };
        s.leftColour = colour(3, 13);
        s.rightColour = colour(7, 14);
        s.blend = static_cast<Blend>(numbers[11]);
        s.colouring = static_cast<Colouring>(numbers[12]);
        return s;
    }

    static double Linear(double middle, double pos) {
        if (pos <= middle) return middle < kEpsilon ? 0.0 : 0.5 * pos / middle;
        return 1 - middle < kEpsilon ? 1.0 : 0.5 + 0.5 * (pos - middle) / (1 - middle);
    }

    static double Factor(const Segment& s, double t) {
        const double length = s.right - s.left;
        const double pos = length < kEpsilon ? 0.5 : (t - s.left) / length;
        const double middle = length < kEpsilon ? 0.5 : (s.middle - s.left) / length;
        switch (s.blend) {
            case Blend::kLinear:
                return Linear(middle, pos);
            case Blend::kCurved:
                return std::pow(pos, std::log(0.5) / std::log(std::max(middle, kEpsilon)));
            case Blend::kSine:
                return (std::sin(-std::numbers::pi / 2 + std::numbers::pi * Linear(middle, pos)) + 1) / 2;
            case Blend::kSphereIncreasing: {
                const double l = Linear(middle, pos) - 1;
                return std::sqrt(std::max(0.0, 1 - l * l));
            }
            case Blend::kSphereDecreasing: {
                const double l = Linear(middle, pos);
                return 1 - std::sqrt(std::max(0.0, 1 - l * l));
            }
            case Blend::kStep:
                return pos < middle ? 0.0 : 1.0;
        }
        return pos;
    }

    static std::array<double, 3> ToHsv(const Rgba& c) {
        const double high = std::max({c.r, c.g, c.b});
        const double low = std::min({c.r, c.g, c.b});
        const double range = high - low;
        double h = 0;
        if (range > 0) {
            if (high == c.r)
                h = (c.g - c.b) / range;
            else if (high == c.g)
                h = 2 + (c.b - c.r) / range;
            else
                h = 4 + (c.r - c.g) / range;
            h /= 6;
            if (h < 0) h += 1;
        }
        return {h, high > 0 ? range / high : 0.0, high};
    }

    static Rgba FromHsv(double h, double s, double v, double a) {
        h = (h - std::floor(h)) * 6;
        const int sector = static_cast<int>(h) % 6;
        const double f = h - std::floor(h);
        const double p = v * (1 - s), q = v * (1 - s * f), u = v * (1 - s * (1 - f));
        switch (sector) {
            case 0:
                return {v, u, p, a};
            case 1:
                return {q, v, p, a};
            case 2:
                return {p, v, u, a};
            case 3:
                return {p, q, v, a};
            case 4:
                return {u, p, v, a};
            default:
                return {v, p, q, a};
        }
    }

    static GradientColour ColourAt(const std::vector<Segment>& segments, double t) {
        // Before the first segment, in a gap or after the last: the nearest end's colour.
        const auto found = std::ranges::find_if(segments, [t](const Segment& s) { return t <= s.right; });
        const Segment& s = found == segments.end() ? segments.back() : *found;
        const double f = std::clamp(Factor(s, std::clamp(t, s.left, s.right)), 0.0, 1.0);
        const Rgba& a = s.leftColour;
        const Rgba& b = s.rightColour;
        Rgba c{};
        const double alpha = a.a + (b.a - a.a) * f;
        if (s.colouring == Colouring::kRgb) {
            c = {a.r + (b.r - a.r) * f, a.g + (b.g - a.g) * f, a.b + (b.b - a.b) * f, alpha};
        } else {
            const auto ha = ToHsv(a);
            auto hb = ToHsv(b);
            // Counter-clockwise: the hue grows from left to right, round past 1 if need be.
            if (s.colouring == Colouring::kHsvCounterClockwise && hb[0] < ha[0]) hb[0] += 1;
            if (s.colouring == Colouring::kHsvClockwise && hb[0] > ha[0]) hb[0] -= 1;
            c = FromHsv(ha[0] + (hb[0] - ha[0]) * f, ha[1] + (hb[1] - ha[1]) * f, ha[2] + (hb[2] - ha[2]) * f,
                        alpha);
        }
        return {static_cast<float>(c.r * c.a), static_cast<float>(c.g * c.a), static_cast<float>(c.b * c.a)};
    }

    std::string_view rest_;
    std::string_view source_;
    int number_ = 0;
};

}  // namespace

Gradient::Gradient()
    : Gradient("grey", [](double t) {
          const auto v = static_cast<float>(t);
          return GradientColour{v, v, v};
      }) {}

Gradient::Gradient(std::string name, const std::function<GradientColour(double)>& colourAt)
    : name_(std::move(name)) {
    for (int i = 0; i <= kSteps; ++i) table_[i] = colourAt(static_cast<double>(i) / kSteps);
}

std::span<const std::string_view> BuiltInGradientNames() {
    static const std::vector<std::string_view> names = MakeNames();
    return names;
}

std::optional<Gradient> BuiltInGradient(std::string_view name) {
    for (const BuiltIn& builtIn : BuiltIns())
        if (EqualIgnoringCase(builtIn.name, name))
            return Gradient(std::string(builtIn.name), [&](double t) { return Between(builtIn.stops, t); });
    return std::nullopt;
}

Result<Gradient> ParseGgr(std::string_view text, std::string_view source) {
    return GgrParser(text, source).Parse();
}

Result<Gradient> ReadGgr(const std::filesystem::path& path) {
    const std::string quoted = "\"" + path.string() + "\"";
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) return Failure("Cannot open the gradient " + quoted + ": " + error.message());
    if (size > kLargestGgrFile)
        return Failure("Cannot read the gradient " + quoted + ": it is too large for one");
    std::ifstream in(path, std::ios::binary);
    if (!in) return Failure("Cannot open the gradient " + quoted);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return Failure("Cannot read the gradient " + quoted);
    return ParseGgr(text, path.string());
}

Result<Gradient> FindGradient(std::string_view nameOrPath) {
    if (std::optional<Gradient> builtIn = BuiltInGradient(nameOrPath)) return *std::move(builtIn);
    const std::filesystem::path path(nameOrPath);
    if (EqualIgnoringCase(path.extension().string(), ".ggr")) return ReadGgr(path);
    std::string names;
    for (const std::string_view name : BuiltInGradientNames())
        names += (names.empty() ? "" : ", ") + std::string(name);
    return Failure("No gradient \"" + std::string(nameOrPath) + "\": give one of " + names +
                   " or a .ggr file");
}

}  // namespace zephyrin
