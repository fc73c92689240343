#pragma once

#include <algorithm>
#include <cmath>
#include <string>

namespace zephyrin {

// How a picture is coloured from the density of its hits instead of from
// each pixel's count as it is plotted: a brightness, a gamma and a vibrancy
// shape the logarithmic density, which a gradient turns into colour. Travels
// with the picture: in its parameter file's extra lines and inside PNG and
// TIFF files. Off, the picture has the classic colouring.
struct DensitySettings {
    bool enabled = false;
    double brightness = 1.0;  // scales the density level; above 1 the densest parts reach white sooner
    double gamma = 2.2;       // above 1 lifts the faint parts
    double vibrancy = 1.0;    // 1 keeps the gradient's colour everywhere, 0 greys the brightest parts
    std::string gradient = "sunset";  // a built-in gradient's name or the path of a .ggr file

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
