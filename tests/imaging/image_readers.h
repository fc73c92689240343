#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zephyrin::testing {

// A decoded file: colours packed r + 256*g + 65536*b, row by row from the top.
// Grey and black-and-white files give r = g = b. Width 0 when the file could
// not be read; `error` then says why.
struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> colors;
    std::string error;
    std::uint32_t At(int column, int row) const {
        return colors[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) + column];
    }
};

// A decoded file's samples as stored, r, g, b per pixel row by row from the
// top, and their width in bits; no samples when unreadable.
struct DecodedSamples {
    int bits = 0;
    std::vector<std::uint16_t> samples;
};

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);

// Through the codec libraries' own readers.
DecodedImage ReadPng(const std::filesystem::path& path);
DecodedImage ReadJpeg(const std::filesystem::path& path);
DecodedImage ReadTiff(const std::filesystem::path& path);
// The samples as libpng and libtiff hand them out, without conversion.
DecodedSamples ReadPngSamples(const std::filesystem::path& path);
DecodedSamples ReadTiffSamples(const std::filesystem::path& path);
// The TIFF compression tag of the first image (1: none).
std::uint16_t TiffCompression(const std::filesystem::path& path);

// Small readers written from the format descriptions, independent of the writers.
DecodedImage ReadNetpbm(const std::filesystem::path& path);           // P4, P5, P6
DecodedImage ReadBmp(const std::filesystem::path& path);              // 24-bit, uncompressed
DecodedImage ReadTga(const std::filesystem::path& path);              // type 2, 24-bit
DecodedSamples ReadNetpbmSamples(const std::filesystem::path& path);  // P5, P6, maxval 255 or 65535

}  // namespace zephyrin::testing
