#include "render/render_share.h"

#include <charconv>

#include "engine/core/random.h"

namespace zephyrin {
namespace {

std::optional<std::int32_t> Digits(std::string_view text) {
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto parsed = std::from_chars(text.data(), end, value);
    if (text.empty() || text.front() == '-' || parsed.ec != std::errc() || parsed.ptr != end)
        return std::nullopt;
    return value;
}

// Not a value RunSeed's inner sum takes for any run a drawing could reach.
constexpr std::uint64_t kShareSalt = 0x5ba7e0c1d2f3a495ULL;

}  // namespace

std::optional<RenderShare> ParseShare(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    const auto index = Digits(text.substr(0, slash));
    const auto count = Digits(text.substr(slash + 1));
    if (!index || !count || *count < 1 || *count > kMostShares || *index >= *count) return std::nullopt;
    return RenderShare{*index, *count};
}

std::uint64_t ShareSeed(std::uint64_t seed, RenderShare share) {
    if (share.Whole()) return seed;
    const std::uint64_t ofCount =
        MixBits((MixBits(seed) ^ kShareSalt) + static_cast<std::uint64_t>(share.count) * kGoldenGamma);
    return MixBits(ofCount + static_cast<std::uint64_t>(share.index) * kGoldenGamma);
}

}  // namespace zephyrin
