#include "util/lm_string.h"

#include <algorithm>

namespace zephyrin {

std::string ReplaceChar(std::string_view text, char oldChar, char newChar) {
    std::string result(text);
    std::replace(result.begin(), result.end(), oldChar, newChar);
    return result;
}

}  // namespace zephyrin
