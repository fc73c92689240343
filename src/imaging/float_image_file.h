#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "util/result.h"

namespace zephyrin {

// Whether the path ends in an extension SaveFloatImage writes (.exr, .tif or
// .tiff, without regard to case).
bool IsFloatImageFile(const std::filesystem::path& path);

// Writes width x height values, row by row from the top, as one grey 32-bit
// float channel: OpenEXR ("Y", ZIP compressed) for .exr, a float TIFF
// (deflate with floating-point differencing) for .tif and .tiff. The file
// appears complete or not at all. Fails naming the file.
[[nodiscard]] Result<> SaveFloatImage(const std::filesystem::path& path, std::int32_t width,
                                      std::int32_t height, std::span<const float> values);

}  // namespace zephyrin
