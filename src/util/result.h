#pragma once

#include <expected>
#include <string>
#include <utility>

namespace zephyrin {

// What an operation that can fail in a way the user must hear about (a file
// or memory error) returns: its value, or the text to show, which names what
// failed and why. Used for every such failure in the Qt-free layers.
template <typename T = void>
using Result = std::expected<T, std::string>;

// The failure of any Result.
inline std::unexpected<std::string> Failure(std::string message) {
    return std::unexpected(std::move(message));
}

}  // namespace zephyrin
