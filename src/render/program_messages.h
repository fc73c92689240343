#pragma once

#include <ostream>
#include <string_view>

namespace zephyrin {

inline constexpr std::string_view kProgramPrefix = "zephyrin-render: ";

// One line to `err` for each line of `message`, each after kProgramPrefix.
void SayLines(std::ostream& err, std::string_view message);

}  // namespace zephyrin
