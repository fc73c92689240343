#include "imaging/gradient_definition.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

#include "util/number_format.h"

namespace zephyrin {
namespace {

constexpr double kEpsilon = 1e-10;
constexpr int kDecimals = 15;
constexpr std::size_t kMostNumbers = 15;

std::string_view Trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// 15 decimals, without trailing zeros: "0.5", "1", "0.333333333333333".
std::string Written(double value) {
    std::string text = FormatFixed(value, kDecimals, '.');
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return text;
}

double AsWritten(double value) {
    return StrToFloat(Written(value), '.').value_or(value);
}

bool Whole(double value, int highest) {
    return value == std::floor(value) && value >= 0 && value <= highest;
}

GradientRgba EndColour(const std::array<double, kMostNumbers>& numbers, std::size_t first, int kind) {
    const auto channel = [&](std::size_t i) { return AsWritten(std::clamp(numbers[i], 0.0, 1.0)); };
    GradientRgba c{channel(first), channel(first + 1), channel(first + 2), channel(first + 3)};
    if (kind == 1 || kind == 2) c = {0, 0, 0, kind == 1 ? 1.0 : 0.0};  // foreground: black
    if (kind == 3 || kind == 4) c = {1, 1, 1, kind == 3 ? 1.0 : 0.0};  // background: white
    return c;
}

double Linear(double middle, double pos) {
    if (pos <= middle) return middle < kEpsilon ? 0.0 : 0.5 * pos / middle;
    return 1 - middle < kEpsilon ? 1.0 : 0.5 + 0.5 * (pos - middle) / (1 - middle);
}

double Factor(const GradientSegment& s, double t) {
    const double length = s.right - s.left;
    const double pos = length < kEpsilon ? 0.5 : (t - s.left) / length;
    const double middle = length < kEpsilon ? 0.5 : (s.middle - s.left) / length;
    switch (s.blend) {
        case GradientBlend::kLinear:
            return Linear(middle, pos);
        case GradientBlend::kCurved:
            return std::pow(pos, std::log(0.5) / std::log(std::max(middle, kEpsilon)));
        case GradientBlend::kSine:
            return (std::sin(-std::numbers::pi / 2 + std::numbers::pi * Linear(middle, pos)) + 1) / 2;
        case GradientBlend::kSphereIncreasing: {
            const double l = Linear(middle, pos) - 1;
            return std::sqrt(std::max(0.0, 1 - l * l));
        }
        case GradientBlend::kSphereDecreasing: {
            const double l = Linear(middle, pos);
            return 1 - std::sqrt(std::max(0.0, 1 - l * l));
        }
        case GradientBlend::kStep:
            return pos < middle ? 0.0 : 1.0;
    }
    return pos;
}

std::array<double, 3> ToHsv(const GradientRgba& c) {
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

GradientRgba FromHsv(double h, double s, double v, double a) {
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

GradientColour ColourAt(const std::vector<GradientSegment>& segments, double t) {
    if (segments.empty()) return {};
    const auto found = std::ranges::find_if(segments, [t](const GradientSegment& s) { return t <= s.right; });
    const GradientSegment& s = found == segments.end() ? segments.back() : *found;
    const double f = std::clamp(Factor(s, std::clamp(t, s.left, s.right)), 0.0, 1.0);
    const GradientRgba& a = s.leftColour;
    const GradientRgba& b = s.rightColour;
    GradientRgba c{};
    const double alpha = a.a + (b.a - a.a) * f;
    if (s.colouring == GradientColouring::kRgb) {
        c = {a.r + (b.r - a.r) * f, a.g + (b.g - a.g) * f, a.b + (b.b - a.b) * f, alpha};
    } else {
        const auto ha = ToHsv(a);
        auto hb = ToHsv(b);
        // Counter-clockwise: the hue grows from left to right, round past 1 if need be.
        if (s.colouring == GradientColouring::kHsvCounterClockwise && hb[0] < ha[0]) hb[0] += 1;
        if (s.colouring == GradientColouring::kHsvClockwise && hb[0] > ha[0]) hb[0] -= 1;
        c = FromHsv(ha[0] + (hb[0] - ha[0]) * f, ha[1] + (hb[1] - ha[1]) * f, ha[2] + (hb[2] - ha[2]) * f,
                    alpha);
    }
    return {static_cast<float>(c.r * c.a), static_cast<float>(c.g * c.a), static_cast<float>(c.b * c.a)};
}

}  // namespace

Result<GradientSegment> ParseGradientSegment(std::string_view line, const GradientSegment* previous) {
    std::array<double, kMostNumbers> numbers{};
    std::size_t count = 0;
    for (line = Trimmed(line); !line.empty(); ++count) {
        if (count == kMostNumbers) return Failure("a segment has 13 or 15 numbers, this line has more");
        const std::size_t end = std::min(line.find_first_of(" \t"), line.size());
        const std::string_view word = line.substr(0, end);
        const auto [rest, error] = std::from_chars(word.data(), word.data() + word.size(), numbers[count]);
        if (error != std::errc() || rest != word.data() + word.size() || !std::isfinite(numbers[count]))
            return Failure("\"" + std::string(word) + "\" is not a number");
        line = Trimmed(line.substr(end));
    }
    if (count < 13)
        return Failure("a segment needs 13 or 15 numbers, this line has " + std::to_string(count));
    if (!Whole(numbers[11], 5)) return Failure("the blending function must be 0 to 5");
    if (!Whole(numbers[12], 2)) return Failure("the colouring must be 0 (RGB), 1 or 2 (HSV)");
    for (std::size_t i = 13; i < count; ++i)
        if (!Whole(numbers[i], 4)) return Failure("an endpoint's colour kind must be 0 to 4");

    GradientSegment s;
    s.left = AsWritten(numbers[0]);
    s.middle = AsWritten(numbers[1]);
    s.right = AsWritten(numbers[2]);
    if (!(s.left >= 0 && s.right <= 1)) return Failure("a segment must lie within 0 to 1");
    if (s.left > s.right) return Failure("the segment ends before it starts");
    if (s.middle < s.left || s.middle > s.right)
        return Failure("the segment's middle is not between its ends");
    if (previous != nullptr && s.left < previous->left)
        return Failure("the segment starts before the one above it");
    s.leftColour = EndColour(numbers, 3, count > 13 ? static_cast<int>(numbers[13]) : 0);
    s.rightColour = EndColour(numbers, 7, count > 14 ? static_cast<int>(numbers[14]) : 0);
    s.blend = static_cast<GradientBlend>(numbers[11]);
    s.colouring = static_cast<GradientColouring>(numbers[12]);
    return s;
}

std::string GradientSegmentLine(const GradientSegment& s) {
    std::string line;
    for (const double number :
         {s.left, s.middle, s.right, s.leftColour.r, s.leftColour.g, s.leftColour.b, s.leftColour.a,
          s.rightColour.r, s.rightColour.g, s.rightColour.b, s.rightColour.a, static_cast<double>(s.blend),
          static_cast<double>(s.colouring)}) {
        if (!line.empty()) line += ' ';
        line += Written(number);
    }
    return line;
}

Gradient MakeGradient(const GradientDefinition& definition) {
    return Gradient(definition.name, [&](double t) { return ColourAt(definition.segments, t); });
}

}  // namespace zephyrin
