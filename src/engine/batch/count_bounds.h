#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>

namespace zephyrin {

// kSetToTop and kSetToBottom stand for increments beyond a billion, which
// take a counter straight to that end of the int32 range, as AddHit does.
inline constexpr std::int32_t kSetToTop = std::numeric_limits<std::int32_t>::max();
inline constexpr std::int32_t kSetToBottom = std::numeric_limits<std::int32_t>::min();

// Every increment of some hits lies within [least, most].
struct IncrementBounds {
    std::int32_t least = 0, most = 0;
};

// The rounded increments 10 + intensity * weight, the weight in [0, 1].
inline IncrementBounds IncrementBoundsOf(double intensity) {
    if (!(std::fabs(intensity) < 1e9 - 20)) return {kSetToBottom, kSetToTop};
    return {static_cast<std::int32_t>(std::floor(std::min(intensity, 0.0))) + 9,
            static_cast<std::int32_t>(std::ceil(std::max(intensity, 0.0))) + 11};
}

// AddHit's saturating step on a rounded increment.
inline std::int32_t SaturatedAdd(std::int32_t count, std::int32_t increment) {
    if (increment == kSetToTop) return kSetToTop;
    if (increment == kSetToBottom) return kSetToBottom;
    return static_cast<std::int32_t>(
        std::clamp(std::int64_t{count} + increment, std::int64_t{kSetToBottom}, std::int64_t{kSetToTop}));
}

// What is known of some counters without looking at them all: every one
// lies within [floor, ceiling]. While the hits to come cannot take a
// counter past either end, they are added without a clamp.
class CounterBounds {
public:
    // Counters not looked at yet: bounds are taken from them when first needed.
    explicit CounterBounds(std::size_t counters) : sinceScan_(counters), scanAfter_(counters / 4) {}

    // Before `hits` more hits within `increments` are added to `cells`:
    // whether they need no clamp. The bounds then hold for after them.
    bool Admit(std::span<const std::int32_t> cells, std::int64_t hits, IncrementBounds increments) {
        const std::int64_t rise = hits * std::max(increments.most, 0);
        const std::int64_t fall = hits * std::min(increments.least, 0);
        auto fits = [&] { return ceiling_ + rise <= kSetToTop && floor_ + fall >= kSetToBottom; };
        // A scan costs a look at every counter: only after as many hits as
        // a quarter of them, and where counters sit at an end of the range,
        // which hits seldom bring back, only after sixteen times as many.
        if (!fits() && sinceScan_ >= scanAfter_) {
            Rescan(cells);
            scanAfter_ = fits() ? cells.size() / 4 : cells.size() * 16;
        }
        sinceScan_ += static_cast<std::size_t>(hits);
        const bool unclamped = fits();
        ceiling_ = std::min(ceiling_ + rise, std::int64_t{kSetToTop});
        floor_ = std::max(floor_ + fall, std::int64_t{kSetToBottom});
        return unclamped;
    }

private:
    void Rescan(std::span<const std::int32_t> cells) {
        std::int32_t least = cells.empty() ? 0 : cells.front(), most = least;
        for (const std::int32_t count : cells) {
            least = std::min(least, count);
            most = std::max(most, count);
        }
        floor_ = least;
        ceiling_ = most;
        sinceScan_ = 0;
    }

    std::int64_t floor_ = kSetToBottom, ceiling_ = kSetToTop;
    std::size_t sinceScan_;  // hits added since the bounds were last taken from the counters
    std::size_t scanAfter_;  // hits before the next scan may be made
};

}  // namespace zephyrin
