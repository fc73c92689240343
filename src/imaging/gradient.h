#pragma once

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "util/result.h"

namespace zephyrin {

// A colour with channels in [0, 1].
struct GradientColour {
    float r = 0, g = 0, b = 0;
    bool operator==(const GradientColour&) const = default;
};

// A colour for every position t in [0, 1], looked up in a table sampled once
// when the gradient is made, so a lookup costs a few multiplications however
// the gradient was described.
class Gradient {
public:
    static constexpr int kSteps = 1024;

    // Black to white.
    Gradient();
    // Channels that `colourAt` gives outside [0, 1] are taken as the nearer
    // end, NaN as 0.
    Gradient(std::string name, const std::function<GradientColour(double)>& colourAt);

    const std::string& Name() const { return name_; }

    // Linear between the table's neighbours; t outside [0, 1] (NaN too) is
    // taken as the nearer end.
    GradientColour At(float t) const {
        t = t > 0 ? (t < 1 ? t : 1) : 0;
        const float position = t * kSteps;
        int i = static_cast<int>(position);
        if (i >= kSteps) i = kSteps - 1;
        const float f = position - static_cast<float>(i);
        const GradientColour& a = table_[i];
        const GradientColour& b = table_[i + 1];
        return {a.r + (b.r - a.r) * f, a.g + (b.g - a.g) * f, a.b + (b.b - a.b) * f};
    }

private:
    std::string name_;
    std::array<GradientColour, kSteps + 1> table_;
};

// The names of the built-in gradients, "grey" first.
std::span<const std::string_view> BuiltInGradientNames();

// The built-in gradient of that name (compared without regard to case).
std::optional<Gradient> BuiltInGradient(std::string_view name);

// Whether the path ends in ".ggr", without regard to case.
bool NamesGgrFile(std::string_view path);

// A built-in name, or else the path of a .ggr file. Fails with the built-in
// names listed when `nameOrPath` is neither.
[[nodiscard]] Result<Gradient> FindGradient(std::string_view nameOrPath);

}  // namespace zephyrin
