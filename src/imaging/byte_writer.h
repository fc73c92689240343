#pragma once

#include <cstdint>
#include <vector>

namespace zephyrin {

// Little-endian fields of the BMP and Targa headers.
inline void AppendLittleEndian16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void AppendLittleEndian32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    AppendLittleEndian16(out, value & 0xFFFF);
    AppendLittleEndian16(out, value >> 16);
}

}  // namespace zephyrin
