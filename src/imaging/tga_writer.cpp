#include <cstddef>
#include <string_view>

#include "imaging/byte_writer.h"
#include "imaging/image_encoders.h"

namespace zephyrin {

std::vector<std::uint8_t> EncodeTga(const Picture& picture) {
    constexpr int kMaxSide = 0xFFFF;
    if (picture.Width() > kMaxSide || picture.Height() > kMaxSide)
        throw EncodeError("the picture is too large for a Targa file (65535 by 65535 pixels at most)");

    const std::size_t width = static_cast<std::size_t>(picture.Width());
    std::vector<std::uint8_t> out;
    out.reserve(18 + 3 * width * static_cast<std::size_t>(picture.Height()) + 26);
    out.push_back(0);              // no image ID
    out.push_back(0);              // no colour map
    out.push_back(2);              // uncompressed true colour
    out.insert(out.end(), 5, 0);   // colour map fields, unused
    AppendLittleEndian16(out, 0);  // x origin
    AppendLittleEndian16(out, 0);  // y origin
    AppendLittleEndian16(out, static_cast<std::uint32_t>(picture.Width()));
    AppendLittleEndian16(out, static_cast<std::uint32_t>(picture.Height()));
    out.push_back(24);  // bits per pixel
    // No alpha bits; rows from the top, so that readers which keep the stored
    // row order and only record the origin (ImageMagick) show it upright too.
    out.push_back(0x20);

    for (int row = 0; row < picture.Height(); ++row) {
        const std::uint32_t* words = picture.Words() + static_cast<std::size_t>(row) * width;
        for (std::size_t x = 0; x < width; ++x) {
            out.push_back(static_cast<std::uint8_t>(words[x]));        // blue
            out.push_back(static_cast<std::uint8_t>(words[x] >> 8));   // green
            out.push_back(static_cast<std::uint8_t>(words[x] >> 16));  // red
        }
    }

    // Version 2 footer without extension or developer areas.
    AppendLittleEndian32(out, 0);
    AppendLittleEndian32(out, 0);
    constexpr std::string_view kSignature("TRUEVISION-XFILE.\0", 18);
    out.insert(out.end(), kSignature.begin(), kSignature.end());
    return out;
}

}  // namespace zephyrin
