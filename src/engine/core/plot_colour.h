#pragma once

// A pixel's colour from its hit count. Shared by the engine's plotting, which
// paints a pixel at every hit, and by anything that colours pixels from final
// counts afterwards, so that both give the same picture. Inline: the engine
// calls it for every plotted point.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <utility>

#include "engine/core/fractal_rec.h"
#include "imaging/picture.h"
#include "util/rounding.h"

namespace zephyrin {

inline constexpr std::int32_t kTopLevel = 768;

namespace plot_colour_detail {

// The grey of a colour level 0..768: the level runs up a red, green, blue
// ramp (each channel 0..255 in turn) and the grey is the rounded third
// (times 0.33) of the ramp's channel sum.
inline constexpr std::array<std::uint8_t, kTopLevel + 1> kGreyOfLevel = [] {
    std::array<std::uint8_t, kTopLevel + 1> table{};
    for (int level = 0; level <= kTopLevel; ++level) {
        const int r = level < 256 ? level : 255;
        const int g = level < 256 ? 0 : level < 512 ? level - 256 : 255;
        const int b = level >= 512 ? std::min(level - 512, 255) : 0;
        table[level] = static_cast<std::uint8_t>(RoundHalfEven((r + g + b) * 0.33));
    }
    return table;
}();
static_assert(kGreyOfLevel[60] == 20 && kGreyOfLevel[kTopLevel] == 252);

// A colour shift: round(shift) + grey, clamped to a channel. The dialogs
// only give -200..200, but a parameter file can hold anything (a NaN shift
// counts as the lowest).
inline std::int32_t ShiftedChannel(double shift, std::int32_t grey) {
    shift = shift >= -1e6 ? shift : -1e6;
    shift = shift <= 1e6 ? shift : 1e6;
    return std::clamp(RoundToInt32(shift) + grey, 0, 255);
}

}  // namespace plot_colour_detail

// The colour level of a pixel counted `hits`: the count, or 2 sqrt(2 hits)
// rounded with the square-root filter; never below 0 and not capped (every
// level from kTopLevel on has the top colour).
inline std::int32_t LevelOfCount(std::int32_t hits, Flag sqrtFilter) {
    std::int32_t level;
    if (sqrtFilter) {
        const double filtered = 2 * std::sqrt(2.0 * hits);  // NaN for a negative count
        level = filtered >= 0 ? RoundToInt32(filtered) : 0;
    } else {
        level = hits;
    }
    return level < 0 ? 0 : level;
}

// Color Mix's channel order in a 1000-iteration block: `cycles` mod 3, the
// count read as unsigned, as it wraps in a long drawing; read as signed, a
// wrapped count would stop the rotation.
inline std::int32_t ColourRotation(std::int32_t cycles) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(cycles) % 3u);
}

// The packed colour (r + 256 g + 65536 b) of a pixel at `level`: the grey of
// the level shifted per channel by red, green and blue, the channels rotated
// by Color Mix in the given 1000-iteration block, and inverted for White.
inline std::uint32_t ColourOfLevel(std::int32_t level, const TFractalRec& v, Flag colorMix,
                                   std::int32_t cycles) {
    using namespace plot_colour_detail;
    const std::int32_t grey = kGreyOfLevel[level < kTopLevel ? level : kTopLevel];
    std::int32_t r = ShiftedChannel(v.red, grey);
    std::int32_t g = ShiftedChannel(v.green, grey);
    std::int32_t b = ShiftedChannel(v.blue, grey);
    if (colorMix) {
        switch (ColourRotation(cycles)) {
            case 1: {
                const std::int32_t oldR = r;
                r = g;
                g = b;
                b = oldR;
                break;
            }
            case 2:
                std::swap(r, g);
                break;
            default:
                break;
        }
    }
    if (v.white) {
        r = 255 - r;
        g = 255 - g;
        b = 255 - b;
    }
    return Picture::Pack(r, g, b);
}

inline std::uint32_t ColourOfCount(std::int32_t hits, const TFractalRec& v, Flag colorMix,
                                   std::int32_t cycles) {
    return ColourOfLevel(LevelOfCount(hits, v.sqrtFilter), v, colorMix, cycles);
}

}  // namespace zephyrin
