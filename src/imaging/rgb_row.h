#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/picture.h"

namespace zephyrin {

// Copies `count` 0xFFRRGGBB words as r, g, b bytes, the layout the codec
// libraries and the Netpbm formats take.
inline void CopyRgbWords(const std::uint32_t* words, std::size_t count, std::uint8_t* out) {
    for (std::size_t x = 0; x < count; ++x) {
        const std::uint32_t word = words[x];
        *out++ = static_cast<std::uint8_t>(word >> 16);
        *out++ = static_cast<std::uint8_t>(word >> 8);
        *out++ = static_cast<std::uint8_t>(word);
    }
}

// The same as 16-bit samples, each byte v widened to v * 257 as Widen does.
inline void WidenRgbWords(const std::uint32_t* words, std::size_t count, std::uint16_t* out) {
    for (std::size_t x = 0; x < count; ++x) {
        const std::uint32_t word = words[x];
        *out++ = static_cast<std::uint16_t>((word >> 16 & 0xFF) * 257);
        *out++ = static_cast<std::uint16_t>((word >> 8 & 0xFF) * 257);
        *out++ = static_cast<std::uint16_t>((word & 0xFF) * 257);
    }
}

// One row of the picture as r, g, b bytes (3 * Width() of them).
inline void CopyRgbRow(const Picture& picture, int row, std::uint8_t* out) {
    const auto width = static_cast<std::size_t>(picture.Width());
    CopyRgbWords(picture.Words() + static_cast<std::size_t>(row) * width, width, out);
}

}  // namespace zephyrin
