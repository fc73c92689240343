#pragma once

#include <string>
#include <string_view>

namespace zephyrin {

// A copy of `text` with every `oldChar` replaced by `newChar`.
std::string ReplaceChar(std::string_view text, char oldChar, char newChar);

}  // namespace zephyrin
