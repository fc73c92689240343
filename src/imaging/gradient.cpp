#include "imaging/gradient.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <vector>

#include "imaging/ggr_file.h"

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

}  // namespace

Gradient::Gradient()
    : Gradient("grey", [](double t) {
          const auto v = static_cast<float>(t);
          return GradientColour{v, v, v};
      }) {}

Gradient::Gradient(std::string name, const std::function<GradientColour(double)>& colourAt)
    : name_(std::move(name)) {
    // Whatever `colourAt` gives, the picture's colours stay in range: a NaN
    // would become an undefined pixel value.
    const auto channel = [](float c) { return c > 0 ? (c < 1 ? c : 1.0f) : 0.0f; };
    for (int i = 0; i <= kSteps; ++i) {
        const GradientColour c = colourAt(static_cast<double>(i) / kSteps);
        table_[i] = {channel(c.r), channel(c.g), channel(c.b)};
    }
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

bool NamesGgrFile(std::string_view path) {
    return EqualIgnoringCase(std::filesystem::path(path).extension().string(), ".ggr");
}

Result<Gradient> FindGradient(std::string_view nameOrPath) {
    if (std::optional<Gradient> builtIn = BuiltInGradient(nameOrPath)) return *std::move(builtIn);
    if (NamesGgrFile(nameOrPath)) {
        const Result<GradientDefinition> definition = ReadGgr(nameOrPath);
        if (!definition) return Failure(definition.error());
        return MakeGradient(*definition);
    }
    std::string names;
    for (const std::string_view name : BuiltInGradientNames())
        names += (names.empty() ? "" : ", ") + std::string(name);
    return Failure("No gradient \"" + std::string(nameOrPath) + "\": give one of " + names +
                   " or a .ggr file");
}

}  // namespace zephyrin
