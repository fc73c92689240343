#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>

namespace zephyrin {

// What every mode of zephyrin-render shares.

inline constexpr std::string_view kProgramPrefix = "zephyrin-render: ";

// One line on `err` for each line of `message`, each starting with kProgramPrefix.
void SayLines(std::ostream& err, std::string_view message);

// The drawing threads when --threads is not given: every core.
std::int32_t AllCores();

// A seed for a command given none.
std::uint64_t RandomSeed();

}  // namespace zephyrin
