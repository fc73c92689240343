#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/picture.h"

namespace zephyrin {

// Copies one row of the picture as r, g, b bytes (3 * Width() of them), the
// layout the codec libraries and the Netpbm formats take.
inline void CopyRgbRow(const Picture& picture, int row, std::uint8_t* out) {
    const std::size_t width = static_cast<std::size_t>(picture.Width());
    const std::uint32_t* words = picture.Words() + static_cast<std::size_t>(row) * width;
    for (std::size_t x = 0; x < width; ++x) {
        const std::uint32_t word = words[x];  // 0xFFRRGGBB
        *out++ = static_cast<std::uint8_t>(word >> 16);
        *out++ = static_cast<std::uint8_t>(word >> 8);
        *out++ = static_cast<std::uint8_t>(word);
    }
}

}  // namespace zephyrin
