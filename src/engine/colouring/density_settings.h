#pragma once

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <utility>

#include "engine/colouring/colouring_mode.h"
#include "imaging/gradient_definition.h"

namespace zephyrin {

// A gradient definition that copies share, as a window's history holds many
// copies of its settings; compared by what it defines.
class CarriedGradient {
public:
    CarriedGradient() = default;
    explicit CarriedGradient(GradientDefinition definition)
        : definition_(std::make_shared<const GradientDefinition>(std::move(definition))) {}

    explicit operator bool() const { return definition_ != nullptr; }
    const GradientDefinition& operator*() const { return *definition_; }
    const GradientDefinition* operator->() const { return definition_.get(); }

    bool operator==(const CarriedGradient& other) const {
        return definition_ == other.definition_ ||
               (definition_ && other.definition_ && *definition_ == *other.definition_);
    }

private:
    std::shared_ptr<const GradientDefinition> definition_;
};

// How a picture is coloured from the density of its hits instead of from
// each pixel's count as it is plotted: a brightness, a gamma and a vibrancy
// shape the logarithmic density, which a gradient turns into colour. Travels
// with the picture: in its parameter file's extra lines and inside PNG and
// TIFF files. The mode says whether the picture has them or another colouring.
struct DensitySettings {
    ColouringMode mode = ColouringMode::kClassic;
    double brightness = 1.0;  // scales the density level; above 1 the densest parts reach white sooner
    double gamma = 2.2;       // above 1 lifts the faint parts
    double vibrancy = 1.0;    // 1 keeps the gradient's colour everywhere, 0 greys the brightest parts
    // A built-in gradient's name or the path of a .ggr file; for a gradient
    // carried by a file that could not name its path, the gradient's name.
    std::string gradient = "sunset";
    // The .ggr file's gradient itself, as read when it was chosen, so that
    // the picture draws alike where the file is missing or has changed; none
    // for a built-in gradient.
    CarriedGradient carried = {};

    bool operator==(const DensitySettings&) const = default;
};

// What the controls offer and a file may hold; the colouring clamps to these.
struct SettingRange {
    double low;
    double high;
    bool Holds(double value) const { return value >= low && value <= high; }
    // The value taken at the nearer end; a NaN or an infinity gives `fallback`.
    double Clamp(double value, double fallback) const {
        return std::isfinite(value) ? std::clamp(value, low, high) : fallback;
    }
};
inline constexpr SettingRange kBrightnessRange{0.05, 20.0};
inline constexpr SettingRange kGammaRange{0.2, 10.0};
inline constexpr SettingRange kVibrancyRange{0.0, 1.0};

}  // namespace zephyrin
