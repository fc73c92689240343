#include "render/hit_merge.h"

#include <algorithm>
#include <limits>

namespace zephyrin {

void AddHitCounts(std::vector<std::int32_t>& into, const std::vector<std::int32_t>& from) {
    constexpr std::int64_t kLow = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kHigh = std::numeric_limits<std::int32_t>::max();
    const std::size_t n = std::min(into.size(), from.size());
    for (std::size_t i = 0; i < n; ++i) {
        const std::int64_t sum = std::int64_t{into[i]} + from[i] - kUntouchedCount;
        into[i] = static_cast<std::int32_t>(std::clamp(sum, kLow, kHigh));
    }
}

}  // namespace zephyrin
