#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace zephyrin {

// How a picture gets its colours. The classic mode paints each hit as it is
// plotted; every other mode colours the drawing's counts afterwards, so its
// drawings may run on the drawing threads and it can change without a new
// drawing.
enum class ColouringMode { kClassic, kDensity };

constexpr bool PaintsWhilePlotting(ColouringMode mode) {
    return mode == ColouringMode::kClassic;
}

// What the files and the menus make of a mode.
struct ColouringModeInfo {
    ColouringMode mode;
    // In a counts file's description.
    std::string_view name;
    // The parameter file's `density=` line; the classic colouring writes no
    // colouring lines at all, which is what files from before the modes hold.
    std::string_view fileValue;
    // The window's menu item that turns the mode on and, checked, off again
    // (to the classic colouring, which has none): object name, caption and
    // shortcut in QKeySequence's portable text.
    std::string_view itemName;
    std::string_view itemCaption;
    std::string_view shortcut;
};

inline constexpr std::array kColouringModes{
    ColouringModeInfo{ColouringMode::kClassic, "classic", "0", "", "", ""},
    ColouringModeInfo{ColouringMode::kDensity, "density", "1", "DensityColouring", "Density Colouring",
                      "Ctrl+D"},
};

constexpr const ColouringModeInfo& InfoOf(ColouringMode mode) {
    for (const ColouringModeInfo& info : kColouringModes)
        if (info.mode == mode) return info;
    return kColouringModes.front();
}

// The mode of a counts file's description, if it names one.
constexpr std::optional<ColouringMode> ModeNamed(std::string_view name) {
    for (const ColouringModeInfo& info : kColouringModes)
        if (info.name == name) return info.mode;
    return std::nullopt;
}

// The mode of a parameter file's `density=` value: any value no mode writes
// is the classic colouring, as it always was.
constexpr ColouringMode ModeOfFileValue(std::string_view value) {
    for (const ColouringModeInfo& info : kColouringModes)
        if (info.fileValue == value) return info.mode;
    return ColouringMode::kClassic;
}

}  // namespace zephyrin
