#pragma once

#include <cstdint>

namespace zephyrin {

// What a drawing uses where the command line does not say: every core, and a
// seed from the system's random device.
std::int32_t AllCores();
std::uint64_t RandomSeed();

}  // namespace zephyrin
