#pragma once

#include <cstdint>

namespace zephyrin::testing {

struct FaithfulnessCase {
    int formula;
    std::uint64_t seed;  // of the random start; batch_faithfulness --search finds them
};

inline constexpr FaithfulnessCase kFaithfulnessCases[] = {
    {70, 1},
};

}  // namespace zephyrin::testing
