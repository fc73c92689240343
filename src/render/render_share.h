#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zephyrin {

// Share `index` of a drawing shared out over `count` processes (--share R/N,
// or the ranks of mpirun): it draws its part of the iterations with streams
// of its own, and the shares' counts added up are the drawing.
struct RenderShare {
    std::int32_t index = 0;
    std::int32_t count = 1;

    bool Whole() const { return count == 1; }
    bool operator==(const RenderShare&) const = default;
};

inline constexpr std::int32_t kMostShares = 1'000'000;

// "R/N" with 0 <= R < N <= kMostShares.
std::optional<RenderShare> ParseShare(std::string_view text);

// The seed a share draws with, in place of the drawing's `seed`: the seed
// itself for a whole drawing, so that one share is the drawing; else a seed
// of the share's own, hashed apart from the seeds of the drawing's later runs
// (RunSeed) and from those of the shares of any other count, so that the
// shares' streams never meet and their counts files add up.
std::uint64_t ShareSeed(std::uint64_t seed, RenderShare share);

}  // namespace zephyrin
