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
    explicit CounterBounds(std::size_t counters) : sinceScan_(counters) {}

    // Before `hits` more hits within `increments` are added to `cells`:
    // whether they need no clamp. The bounds then hold for after them.
    bool Admit(std::span<const std::int32_t> cells, std::int64_t hits, IncrementBounds increments) {
        const std::int64_t rise = hits * std::max(increments.most, 0);
        const std::int64_t fall = hits * std::min(increments.least, 0);
        auto fits = [&] { return ceiling_ + rise <= kSetToTop && floor_ + fall >= kSetToBottom; };
        // A scan costs a look at every counter: only after as many hits as
        // a quarter of them, so that counters near the top stay cheap.
        if (!fits() && sinceScan_ >= cells.size() / 4) Rescan(cells);
        sinceScan_ += static_cast<std::size_t>(hits);
        const bool unclamped = fits();
        ceiling_ = std::min(ceiling_ + rise, std::int64_t{kSetToTop});
        floor_ = std::max(floor_ + fall, std::int64_t{kSetToBottom});
        return unclamped;
    }

private:
    void Rescan(std::span<const std::int32_t> cells) {
        const auto [least, most] = std::minmax_element(cells.begin(), cells.end());
        floor_ = least == cells.end() ? 0 : *least;
        ceiling_ = most == cells.end() ? 0 : *most;
        sinceScan_ = 0;
    }

    std::int64_t floor_ = kSetToBottom, ceiling_ = kSetToTop;
    std::size_t sinceScan_;  // hits added since the bounds were last taken from the counters
};

}  // namespace zephyrin
