#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "engine/colouring/density_settings.h"
#include "engine/core/count_grid.h"
#include "imaging/gradient.h"
#include "imaging/picture16.h"

namespace zephyrin {

// The hits of a drawing, and how many of its pixels make one of the picture.
struct DensityCounts {
    const CountGrid& counts;
    std::int32_t block = 1;  // supersampling: block x block pixels of the drawing make one of the picture
};

// The two references of the levels (step 2 below): the median lit H, m, and
// the H the densest 0.2 % reach, R. Given to the colouring, they replace the
// picture's own, so that pictures of a sequence share one scale.
struct ToneReferences {
    double median = 1;
    double reference = 1;
    bool operator==(const ToneReferences&) const = default;
};

class ThreadPool;

// The counts' own m and R, as the colouring takes them; none when no pixel
// is lit. `pool`, if any, shares out the rows among its threads.
std::optional<ToneReferences> MeasureToneReferences(const DensityCounts& counts, ThreadPool* pool = nullptr);

// Colours a (width div block) x (height div block) picture from the hits:
//  1. a pixel's hits H: the rise of its counts above kUntouchedCount (never
//     below 0), summed over its block;
//  2. with m the median H of the lit pixels (H > 0) and R the H reached by
//     the densest 0.2 % of them, the level L = ln(1 + H / m) / ln(1 + R / m),
//     so that m and R follow the picture rather than its few hottest pixels.
//     Both are taken at 1/16 of an octave: the largest 2^e (1 + k / 16) (k
//     whole, 0..15) not above the H of rank ceil(0.5 n) for m and of rank
//     ceil(0.998 n) for R, counting the n lit pixels from the faintest;
//  3. a = min(1, brightness * L) and t = a^(1 / gamma);
//  4. the gradient's colour c at t, moved towards its grey
//     Y = 0.299 r + 0.587 g + 0.114 b by (1 - vibrancy) * t;
//  5. inverted (1 - c) with `white`; pixels with H = 0 are the background,
//     black or (with `white`) white.
// Settings beyond their ranges are taken at the nearer end; `tone`, when
// given with positive finite values, stands for the counts' own m and R. `out` keeps its
// memory when it has the size already, so that recolouring at every refresh
// allocates nothing. `pool`, if any, shares out the rows among its threads.
void DensityColour(const DensityCounts& counts, const DensitySettings& settings, const Gradient& gradient,
                   bool white, Picture16& out, const std::optional<ToneReferences>& tone = std::nullopt,
                   ThreadPool* pool = nullptr);
// The same picture as ToPicture of the 16-bit one, without holding both.
void DensityColour(const DensityCounts& counts, const DensitySettings& settings, const Gradient& gradient,
                   bool white, Picture& out, const std::optional<ToneReferences>& tone = std::nullopt,
                   ThreadPool* pool = nullptr);
Picture16 DensityColour(const DensityCounts& counts, const DensitySettings& settings,
                        const Gradient& gradient, bool white);

// The level L of step 2 for every pixel of the picture, row by row: 0 where
// H = 0, 1 at the reference, above 1 for the few pixels denser than it.
std::vector<float> DensityLevels(const DensityCounts& counts);

}  // namespace zephyrin
