#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace zephyrin {

// A drawing's iterations and their rate over its last few refreshes. The
// drawing counts in 32 bits, which a long drawing runs past; read at every
// refresh (fewer than 2^32 iterations apart), its steps add up here in 64.
class IterationMeter {
public:
    // The rate is taken over this many refreshes.
    static constexpr std::size_t kSpan = 4;

    // A drawing starts from a count of 0 at `seconds`.
    void Restart(double seconds);
    // The drawing's own count at `seconds`.
    void Take(std::int32_t count, double seconds);

    std::uint64_t Iterations() const { return iterations_; }
    // Iterations per second over the last kSpan refreshes, or as many as
    // there have been since the start; 0 before the first.
    double PerSecond() const;

private:
    struct Reading {
        std::uint64_t iterations = 0;
        double seconds = 0;
    };
    std::array<Reading, kSpan + 1> readings_{};  // a ring, the newest at newest_
    std::size_t newest_ = 0;
    std::size_t held_ = 0;  // readings in the ring
    std::uint32_t lastCount_ = 0;
    std::uint64_t iterations_ = 0;
};

}  // namespace zephyrin
