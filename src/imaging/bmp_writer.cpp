#include <cstddef>
#include <limits>

#include "imaging/byte_writer.h"
#include "imaging/image_encoders.h"

namespace zephyrin {

std::vector<std::uint8_t> EncodeBmp(const Picture& picture) {
    constexpr std::uint32_t kHeadersSize = 14 + 40;
    const std::uint64_t width = static_cast<std::uint64_t>(picture.Width());
    const std::uint64_t height = static_cast<std::uint64_t>(picture.Height());
    const std::uint64_t stride = (3 * width + 3) / 4 * 4;
    const std::uint64_t fileSize = kHeadersSize + stride * height;
    if (fileSize > std::numeric_limits<std::uint32_t>::max())
        throw EncodeError("the picture is too large for a bitmap file (4 GB at most)");

    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(fileSize));
    // BITMAPFILEHEADER
    out.push_back('B');
    out.push_back('M');
    AppendLittleEndian32(out, static_cast<std::uint32_t>(fileSize));
    AppendLittleEndian32(out, 0);  // reserved
    AppendLittleEndian32(out, kHeadersSize);
    // BITMAPINFOHEADER; a positive height means rows bottom-up
    AppendLittleEndian32(out, 40);
    AppendLittleEndian32(out, static_cast<std::uint32_t>(width));
    AppendLittleEndian32(out, static_cast<std::uint32_t>(height));
    AppendLittleEndian16(out, 1);   // planes
    AppendLittleEndian16(out, 24);  // bits per pixel
    AppendLittleEndian32(out, 0);   // BI_RGB, uncompressed
    AppendLittleEndian32(out, static_cast<std::uint32_t>(stride * height));
    AppendLittleEndian32(out, 0);  // horizontal resolution: not given
    AppendLittleEndian32(out, 0);  // vertical resolution: not given
    AppendLittleEndian32(out, 0);  // palette entries
    AppendLittleEndian32(out, 0);  // important colours

    const std::size_t padding = static_cast<std::size_t>(stride - 3 * width);
    for (int row = picture.Height() - 1; row >= 0; --row) {
        const std::uint32_t* words = picture.Words() + static_cast<std::size_t>(row) * width;
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint32_t word = words[x];  // 0xFFRRGGBB
            out.push_back(static_cast<std::uint8_t>(word));
            out.push_back(static_cast<std::uint8_t>(word >> 8));
            out.push_back(static_cast<std::uint8_t>(word >> 16));
        }
        out.insert(out.end(), padding, 0);
    }
    return out;
}

}  // namespace zephyrin
