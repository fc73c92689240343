// Plotting: map a point into the frozen view, count the hit, turn the count
// into a colour and paint the pixel at once.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/engine.h"
#include "engine/hit_weight.h"
#include "imaging/picture.h"

namespace zephyrin {

namespace {

constexpr std::int32_t kMaxCount = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMinCount = std::numeric_limits<std::int32_t>::min();

// The pixel index a coordinate rounds to, or -1 when it lies on or before the
// view's first edge, rounds past the last pixel, or is not a number.
inline std::int32_t PixelIndex(double value, double low, double high, std::int32_t size) {
    if (!(value > low)) return -1;
    const double scaled = (value - low) / (high - low) * size;
    // Checked before converting, so a huge or NaN coordinate never reaches lrint.
    if (!(scaled >= -0.5 && scaled < size)) return -1;
    const long index = std::lrint(scaled);
    return index < size ? static_cast<std::int32_t>(index) : -1;
}

// The grey of a colour level 0..768: the level runs up a red, green, blue
// ramp (each channel 0..255 in turn) and the grey is the rounded third
// (times 0.33) of the ramp's channel sum.
constexpr int RoundHalfEvenPositive(double value) {
    const int whole = static_cast<int>(value);
    const double fraction = value - whole;
    return fraction > 0.5 || (fraction == 0.5 && whole % 2 == 1) ? whole + 1 : whole;
}
constexpr std::array<std::uint8_t, 769> kGreyOfLevel = [] {
    std::array<std::uint8_t, 769> table{};
    for (int level = 0; level <= 768; ++level) {
        const int r = level < 256 ? level : 255;
        const int g = level < 256 ? 0 : level < 512 ? level - 256 : 255;
        const int b = level >= 512 ? std::min(level - 512, 255) : 0;
        table[level] = static_cast<std::uint8_t>(RoundHalfEvenPositive((r + g + b) * 0.33));
    }
    return table;
}();
static_assert(kGreyOfLevel[60] == 20 && kGreyOfLevel[768] == 252);

// A colour shift: round(shift) + grey, clamped to a channel. The dialogs
// only give -200..200, but a parameter file can hold anything (a NaN shift
// counts as the lowest).
inline std::int32_t ShiftedChannel(double shift, std::int32_t grey) {
    shift = shift >= -1e6 ? shift : -1e6;
    shift = shift <= 1e6 ? shift : 1e6;
    return std::clamp(static_cast<std::int32_t>(std::lrint(shift)) + grey, 0, 255);
}

// The count after adding one hit of the given increment (10 + intensity *
// weight, rounded), saturating at the int32 range instead of overflowing.
inline std::int32_t AddHit(std::int32_t count, double increment) {
    if (increment > -1e9 && increment < 1e9) {
        const std::int64_t sum = static_cast<std::int64_t>(count) + std::lrint(increment);
        if (sum > kMaxCount) return kMaxCount;
        if (sum < kMinCount) return kMinCount;
        return static_cast<std::int32_t>(sum);
    }
    if (increment >= 1e9) return kMaxCount;
    if (increment <= -1e9) return kMinCount;
    return count;  // a NaN intensity adds nothing
}

}  // namespace

void Engine::PlotPoint() {
    TFractalRec& rec = *v;
    rec.lastX = x;
    rec.lastY = y;
    const std::int32_t column = PixelIndex(x, rec.plotXMin, rec.plotXMax, rec.width);
    const std::int32_t row = PixelIndex(y, rec.plotYMin, rec.plotYMax, rec.height);
    if (column < 0 || row < 0 || column >= plotWidth_ || row >= plotHeight_) return;
    px = column;
    py = row;

    const double intensity = rec.intensity;
    const double moved = ((1 + x) - xIn) + ((1 + y) - yIn);
    std::int32_t& counter = host_->hitList[static_cast<std::size_t>(px) * listSide + py];
    double increment;
    if (!exactHitWeights_ && intensity >= 0 && intensity <= kMaxFastIntensity) {
        increment = RoundedHitIncrement(intensity, moved, hitWeight);
    } else {
        hitWeight = std::fabs(std::sin(constPI * moved));
        increment = intensity * hitWeight + 10.0;
    }
    hits = AddHit(counter, increment);
    counter = hits;

    if (rec.sqrtFilter) {
        const double filtered = 2 * std::sqrt(2.0 * hits);  // NaN for a negative count
        level = filtered >= 0 ? static_cast<std::int32_t>(std::lrint(filtered)) : 0;
    } else {
        level = hits;
    }
    if (level < 0) level = 0;
    host_->lastLevel = level;

    grey = kGreyOfLevel[level < 768 ? level : 768];
    r = ShiftedChannel(rec.red, grey);
    g = ShiftedChannel(rec.green, grey);
    b = ShiftedChannel(rec.blue, grey);
    if (host_->colorMix) {
        switch (cycles % 3) {
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
    if (rec.white) {
        r = 255 - r;
        g = 255 - g;
        b = 255 - b;
    }
    if (Picture* picture = host_->picture) picture->SetPixel(px, py, Picture::Pack(r, g, b));
}

}  // namespace zephyrin
