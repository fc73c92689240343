#include "imaging/picture16.h"

#include <array>

namespace zephyrin {
namespace {

// The 8 x 8 Bayer matrix: every threshold 0..63 once, neighbours far apart.
constexpr std::array<std::uint8_t, 64> kBayer = {
    0,  32, 8,  40, 2,  34, 10, 42, 48, 16, 56, 24, 50, 18, 58, 26, 12, 44, 4,  36, 14, 46,
    6,  38, 60, 28, 52, 20, 62, 30, 54, 22, 3,  35, 11, 43, 1,  33, 9,  41, 51, 19, 59, 27,
    49, 17, 57, 25, 15, 47, 7,  39, 13, 45, 5,  37, 63, 31, 55, 23, 61, 29, 53, 21,
};

// Thresholds (k + 0.5) / 64 of a step, in units of 1/65535 of a step: below
// one step (65535) so that 65535 * n plus any of them still gives n.
constexpr std::array<std::uint32_t, 64> kThresholds = [] {
    std::array<std::uint32_t, 64> t{};
    for (std::size_t i = 0; i < 64; ++i) t[i] = (2 * kBayer[i] + 1) * 65535u / 128u;
    return t;
}();

inline std::uint32_t Dithered(std::uint32_t sample, std::uint32_t threshold) {
    return (sample * 255u + threshold) / 65535u;
}

}  // namespace

void Picture16::SetSize(int width, int height) {
    if (width <= 0 || height <= 0) width = height = 0;
    width_ = width;
    height_ = height;
    samples_.assign(3 * static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
}

void ToPicture(const Picture16& picture, Picture& out) {
    if (out.Width() != picture.Width() || out.Height() != picture.Height())
        out.SetSize(picture.Width(), picture.Height());
    for (int row = 0; row < picture.Height(); ++row) {
        const std::uint16_t* in = picture.Row(row);
        std::uint32_t* words = out.Words() + static_cast<std::size_t>(row) * picture.Width();
        const std::uint32_t* thresholds = kThresholds.data() + 8 * (row & 7);
        for (int column = 0; column < picture.Width(); ++column, in += 3) {
            const std::uint32_t t = thresholds[column & 7];
            words[column] =
                0xFF000000u | Dithered(in[0], t) << 16 | Dithered(in[1], t) << 8 | Dithered(in[2], t);
        }
    }
}

std::uint32_t DitheredWord(std::uint16_t r, std::uint16_t g, std::uint16_t b, int column, int row) {
    const std::uint32_t t = kThresholds[8 * (row & 7) + (column & 7)];
    return 0xFF000000u | Dithered(r, t) << 16 | Dithered(g, t) << 8 | Dithered(b, t);
}

Picture ToPicture(const Picture16& picture) {
    Picture out;
    ToPicture(picture, out);
    return out;
}

Picture16 Widen(const Picture& picture) {
    Picture16 wide(picture.Width(), picture.Height());
    for (int row = 0; row < picture.Height(); ++row)
        for (int column = 0; column < picture.Width(); ++column) {
            const std::uint32_t colour = picture.Pixel(column, row);
            wide.SetPixel(column, row, static_cast<std::uint16_t>(Picture::Red(colour) * 257),
                          static_cast<std::uint16_t>(Picture::Green(colour) * 257),
                          static_cast<std::uint16_t>(Picture::Blue(colour) * 257));
        }
    return wide;
}

}  // namespace zephyrin
