#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "util/result.h"

namespace zephyrin {

// A picture's parameter file text travels inside PNG files as an iTXt chunk
// with this keyword, and inside TIFF files as the ImageDescription tag, which
// is taken for parameters only when it starts with kParametersStart (the
// parameter file's header) so that other programs' descriptions are not.
inline constexpr std::string_view kParametersKeyword = "Zephyrin parameters";
inline constexpr std::string_view kParametersStart = "Zephyrin v";

// The parameter text inside a .png or .tif/.tiff file (by extension, without
// regard to case). Fails naming the file when it cannot be read, is not of
// such a format, or holds no parameters.
[[nodiscard]] Result<std::string> ReadEmbeddedParameters(const std::filesystem::path& path);

// Whether the path's extension names a format that can carry parameters.
bool CarriesParameters(const std::filesystem::path& path);

}  // namespace zephyrin
