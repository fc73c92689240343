#pragma once

#include <cstdint>

namespace zephyrin {

// The golden-ratio step of splitmix64 (Steele, Lea and Flood).
inline constexpr std::uint64_t kGoldenGamma = 0x9e3779b97f4a7c15ULL;

// splitmix64's finaliser: a well-mixed 64-bit value from any input, so that
// neighbouring seeds give unrelated states.
constexpr std::uint64_t MixBits(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

// xoshiro256+ (Blackman and Vigna): fast, passes BigCrush in its upper bits,
// which are the only ones Uniform uses. Seeded through splitmix64 so that any
// 64-bit seed, including 0, gives a good state.
class Random {
public:
    explicit Random(std::uint64_t seed = 0) { Seed(seed); }

    void Seed(std::uint64_t seed) {
        for (auto& word : s_) word = MixBits(seed += kGoldenGamma);
    }

    std::uint64_t Next() {
        const std::uint64_t result = s_[0] + s_[3];
        const std::uint64_t t = s_[1] << 17;
        s_[2] ^= s_[0];
        s_[3] ^= s_[1];
        s_[1] ^= s_[2];
        s_[0] ^= s_[3];
        s_[2] ^= t;
        s_[3] = (s_[3] << 45) | (s_[3] >> 19);
        return result;
    }

    // Uniform on [0, 1) with 53 random bits.
    double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

private:
    std::uint64_t s_[4];
};

}  // namespace zephyrin
