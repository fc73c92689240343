#pragma once

#include <cstdint>
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
// Uncompressed 24-bit true-colour Targa, rows from the top.
std::vector<std::uint8_t> EncodeTga(const Picture& picture);
// TIFF, 8- or 16-bit RGB with LZW compression; non-empty `parameters` go
// into the ImageDescription tag.
std::vector<std::uint8_t> EncodeTiff(const Picture& picture, std::string_view parameters);
std::vector<std::uint8_t> EncodeTiff16(const Picture16& picture, std::string_view parameters);

}  // namespace zephyrin
