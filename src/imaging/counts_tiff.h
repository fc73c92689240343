#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "util/result.h"

namespace zephyrin {

// A grid of signed 32-bit samples, one per pixel, in a TIFF that any TIFF
// reader takes: SampleFormat INT, BitsPerSample 32, one sample a pixel,
// rows top to bottom in strips of about a megabyte, deflate at
// kCountsDeflateLevel with horizontal differencing, the description in the
// ImageDescription tag. BigTIFF from kCountsBigTiffBytes of samples on, as
// a classic TIFF cannot reach past 4 GB.
inline constexpr int kCountsDeflateLevel = 1;
inline constexpr std::uint64_t kCountsBigTiffBytes = std::uint64_t{2} << 30;
// The longest description a reader takes.
inline constexpr std::size_t kLongestCountsDescription = 64 * 1024;

// The file's bytes for width x height samples row by row; throws
// std::bad_alloc, or std::runtime_error with libtiff's message.
std::vector<std::uint8_t> EncodeCountsTiff(std::uint32_t width, std::uint32_t height,
                                           std::span<const std::int32_t> samples,
                                           std::string_view description);

// What a reader learns before it reads any sample.
struct CountsTiffHeader {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::string description;
};

// Where the samples go: given the header, the caller checks it, then hands
// back width x height samples of room, or the failure that ends the read.
using CountsPlace = std::function<Result<std::span<std::int32_t>>(const CountsTiffHeader&)>;

// Reads such a file. A file that is not a TIFF, is damaged or truncated,
// holds anything but one 32-bit signed sample a pixel in strips, or a
// description longer than kLongestCountsDescription fails with a message
// naming the file; libtiff is held to small allocations of its own, and
// nothing is allocated for the samples before `place` has seen the header.
[[nodiscard]] Result<> ReadCountsTiff(const std::filesystem::path& path, const CountsPlace& place);

// The description of a TIFF file, read without its samples; fails when the
// file is no TIFF or has none.
[[nodiscard]] Result<std::string> ReadTiffDescription(const std::filesystem::path& path);

}  // namespace zephyrin
