#pragma once

#include <filesystem>
#include <string_view>

#include "imaging/gradient_definition.h"
#include "util/result.h"

namespace zephyrin {

// A GIMP gradient (.ggr): a "GIMP Gradient" line, an optional "Name:" line
// (without one, or with an empty one, the file's name without extension),
// the number of segments and one line per segment (ParseGradientSegment).
// Lines may end in CR LF; blank lines, blanks around numbers and lines after
// the last segment do not matter. Fails naming the file (`source`) and the
// line.
[[nodiscard]] Result<GradientDefinition> ParseGgr(std::string_view text, std::string_view source);
[[nodiscard]] Result<GradientDefinition> ReadGgr(const std::filesystem::path& path);

}  // namespace zephyrin
