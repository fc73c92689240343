// The last few states of an orbit, to tell one that has settled on a fixed
// point or a short cycle.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

#include "engine/batch/orbit_batch.h"

namespace zephyrin {

class RecentStates {
public:
    static constexpr std::size_t kLongestCycle = 16;

    void Add(const OrbitBatch::OrbitState& state) {
        states_[next_] = state;
        next_ = (next_ + 1) % kLongestCycle;
        filled_ = std::min(filled_ + 1, kLongestCycle);
    }

    // Exactly one of the states added before: from here on the orbit
    // replays those steps, bit for bit, for as long as nothing random
    // steps in. NaN never repeats.
    bool Repeat(const OrbitBatch::OrbitState& state) const {
        for (std::size_t i = 0; i < filled_; ++i) {
            const OrbitBatch::OrbitState& s = states_[i];
            if (s.x == state.x && s.y == state.y && s.W == state.W && s.xn == state.xn && s.AA == state.AA &&
                s.sign == state.sign)
                return true;
        }
        return false;
    }

private:
    std::array<OrbitBatch::OrbitState, kLongestCycle> states_{};
    std::size_t next_ = 0;
    std::size_t filled_ = 0;
};

}  // namespace zephyrin
