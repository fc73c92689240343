#pragma once

#include <string>
#include <string_view>

namespace zephyrin {

inline constexpr std::string_view kUsageLine = "usage: zephyrin-render [options] [PARAMS.zpr] -o OUT.ext";

// What --help prints: the usage line and every option.
std::string HelpText();

}  // namespace zephyrin
