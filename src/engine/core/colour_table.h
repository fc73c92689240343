#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "engine/core/fractal_rec.h"
#include "engine/core/plot_colour.h"
#include "imaging/picture.h"

namespace zephyrin {

// The picture words of all colour levels for the colour settings in force,
// so that plotting a point looks its colour up instead of working it out.
// The settings (the three shifts, White, and the Color Mix rotation) are
// compared at every Refresh, which must come after any change (a dialog, the
// next 1000-iteration block) and before the next lookup.
class ColourTable {
public:
    void Refresh(const TFractalRec& v, Flag colorMix, std::int32_t cycles) {
        const std::int32_t rotation = colorMix ? ColourRotation(cycles) : -1;
        if (!Matches(v, rotation)) Build(v, colorMix, cycles, rotation);
    }
    std::uint32_t Word(std::int32_t level) const { return words_[level < kTopLevel ? level : kTopLevel]; }

private:
    bool Matches(const TFractalRec& v, std::int32_t rotation) const {
        // Bit patterns, so that a NaN shift matches itself.
        return valid_ && std::bit_cast<std::uint64_t>(v.red) == red_ &&
               std::bit_cast<std::uint64_t>(v.green) == green_ &&
               std::bit_cast<std::uint64_t>(v.blue) == blue_ && (v.white != 0) == white_ &&
               rotation == rotation_;
    }

    // Out of line: rare, and it would keep Word from being inlined.
    void Build(const TFractalRec& v, Flag colorMix, std::int32_t cycles, std::int32_t rotation);

    std::array<std::uint32_t, kTopLevel + 1> words_{};
    std::uint64_t red_ = 0, green_ = 0, blue_ = 0;
    bool white_ = false;
    std::int32_t rotation_ = -1;
    bool valid_ = false;
};

}  // namespace zephyrin
