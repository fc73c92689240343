#pragma once

#include <filesystem>
#include <string>

#include "util/result.h"

namespace zephyrin {

// The parameter file that goes with a picture: same folder, same base name,
// extension ".zpr".
std::filesystem::path ParameterFileBeside(const std::filesystem::path& picture);

// What stands against writing a file at `path`, found before a long drawing
// rather than after it: a folder that does not exist, or a folder in the
// file's place.
Result<> CheckOutput(const std::filesystem::path& path);

}  // namespace zephyrin
