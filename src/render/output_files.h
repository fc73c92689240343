#pragma once

#include <filesystem>
#include <string>

#include "render/render_options.h"
#include "util/result.h"

namespace zephyrin {

// The parameter file that goes with a picture: same folder, same base name,
// extension ".zpr".
std::filesystem::path ParameterFileBeside(const std::filesystem::path& picture);

// What stands against writing a file at `path`, found before a long drawing
// rather than after it: a folder that does not exist, or a folder in the
// file's place.
[[nodiscard]] Result<> CheckOutput(const std::filesystem::path& path);

// CheckOutput of every file the options ask for: the picture and its
// parameter file, the counts file and the density levels.
[[nodiscard]] Result<> CheckOutputs(const RenderOptions& options);

}  // namespace zephyrin
