#pragma once

#include <filesystem>

#include "imaging/picture.h"
#include "util/result.h"

namespace zephyrin {

// The 8-bit picture of a PNG file as the program writes them (RGB, no
// colour-space chunks); a 16-bit file comes through ToPicture's dither, as
// the 16-bit picture it was written from would be shown. Fails naming the
// file when it cannot be read or decoded. Throws std::bad_alloc.
[[nodiscard]] Result<Picture> ReadPngPicture(const std::filesystem::path& path);

}  // namespace zephyrin
