#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "imaging/picture.h"
#include "imaging/picture16.h"

namespace zephyrin {

// A picture that a format cannot hold, or a codec library's failure; the
// message is the cause, to be completed with the file name by the caller.
class EncodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Each encoder returns the complete file contents for a non-empty picture and
// throws EncodeError (or std::bad_alloc) when it cannot.

// Windows bitmap, 24 bits per pixel, rows bottom-up padded to 4 bytes.
std::vector<std::uint8_t> EncodeBmp(const Picture& picture);
// JPEG in a JFIF file.
std::vector<std::uint8_t> EncodeJpeg(const Picture& picture);
// Binary Netpbm: P4 black and white, P5 grey levels, P6 colour; the 16-bit
// ones with maxval 65535, the grey levels the luminance as for 8 bits.
std::vector<std::uint8_t> EncodePbm(const Picture& picture);
std::vector<std::uint8_t> EncodePgm(const Picture& picture);
std::vector<std::uint8_t> EncodePpm(const Picture& picture);
std::vector<std::uint8_t> EncodePgm16(const Picture16& picture);
std::vector<std::uint8_t> EncodePpm16(const Picture16& picture);
// PNG, 8- or 16-bit RGB; non-empty `parameters` go into a compressed iTXt
// chunk (embedded_parameters.h) before the image data.
std::vector<std::uint8_t> EncodePng(const Picture& picture, std::string_view parameters);
std::vector<std::uint8_t> EncodePng16(const Picture16& picture, std::string_view parameters);

// The zlib level of the PNG encoder (0: stored, 9: smallest) where none is
// asked for. The rows go unfiltered: the scattered points of a drawing gain
// nothing from PNG's row filters, whose choice took half of the encoding
// time. Unfiltered at level 4, the renderer's pictures take 0.3 to 0.5
// times the time of libpng's usual (all filters, level 6) and their files
// are 0.6 to 1.0 times as large; levels 1 to 3 are quicker still on dense
// pictures but make nearly black posters 4.4 times as large
// (bench/png_levels).
inline constexpr int kDefaultPngLevel = 4;

// The rows of a picture made as a PNG encoder asks for them, so that no
// whole picture need be held: fill(first, count, out) writes rows first to
// first + count - 1 into `out`, each 3 * width samples, bytes at 8 bits,
// std::uint16_t in the machine's order at 16; a few at a time, in order.
struct PngRows {
    int width = 0, height = 0;
    int depth = 8;
    std::function<void(int first, int count, std::uint8_t* out)> fill;
};
// EncodePng of the rows, at zlib level `level` (0 to 9).
std::vector<std::uint8_t> EncodePngRows(const PngRows& rows, std::string_view parameters, int level);
// Uncompressed 24-bit true-colour Targa, rows from the top.
std::vector<std::uint8_t> EncodeTga(const Picture& picture);
// TIFF, 8- or 16-bit RGB with LZW compression; non-empty `parameters` go
// into the ImageDescription tag.
std::vector<std::uint8_t> EncodeTiff(const Picture& picture, std::string_view parameters);
std::vector<std::uint8_t> EncodeTiff16(const Picture16& picture, std::string_view parameters);

}  // namespace zephyrin
