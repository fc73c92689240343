#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/picture.h"

namespace zephyrin {

// A picture with 16 bits per channel: r, g, b samples (0..65535) interleaved,
// row by row from the top. What density colouring produces and what the
// 16-bit writers take.
class Picture16 {
public:
    static constexpr std::uint16_t kFull = 65535;

    Picture16() = default;
    Picture16(int width, int height) { SetSize(width, height); }

    // Black afterwards; a size of 0 (or less) gives an empty picture. Keeps
    // the memory it has when the new size fits in it.
    void SetSize(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }

    // 3 * Width() samples.
    std::uint16_t* Row(int row) { return samples_.data() + static_cast<std::size_t>(row) * 3 * width_; }
    const std::uint16_t* Row(int row) const {
        return samples_.data() + static_cast<std::size_t>(row) * 3 * width_;
    }

    void SetPixel(int column, int row, std::uint16_t r, std::uint16_t g, std::uint16_t b) {
        std::uint16_t* p = Row(row) + 3 * column;
        p[0] = r;
        p[1] = g;
        p[2] = b;
    }
    // Channel 0, 1, 2: red, green, blue.
    std::uint16_t Sample(int column, int row, int channel) const { return Row(row)[3 * column + channel]; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint16_t> samples_;
};

// The 8-bit picture for the screen and the 8-bit formats, into `out` (whose
// memory is reused when it has the size already). A sample halfway between
// two 8-bit levels becomes either, by an 8 x 8 ordered dither, so that a
// smooth ramp keeps its steps below 1/255 on average instead of banding;
// samples that are exact 8-bit levels (v * 257) stay exactly that level.
void ToPicture(const Picture16& picture, Picture& out);
Picture ToPicture(const Picture16& picture);

// One pixel of ToPicture: the word of the 16-bit colour (r, g, b) at
// (column, row) of a picture.
std::uint32_t DitheredWord(std::uint16_t r, std::uint16_t g, std::uint16_t b, int column, int row);

// Every 8-bit sample v widened to v * 257, so the 16-bit file of a classic
// picture holds the same colours.
Picture16 Widen(const Picture& picture);

}  // namespace zephyrin
