#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "engine/colouring/density_settings.h"
#include "engine/file/line_reader.h"

namespace zephyrin {

// The key=value lines after a parameter file's 150th that carry the density
// colouring, with the gradient itself where it is a .ggr file's: after
// "gradient=PATH", "gradient.name=NAME", "gradient.segments=N" and one
// "gradient.segment=..." line per segment, as a .ggr file writes it, so
// that the picture draws alike on any machine and from any folder. Every
// line fits kLongestParameterLine and all of them kMostExtraLines.
inline constexpr int kMostCarriedSegments = 40;

// The lines, each ended by CR LF, or nothing when density colouring is off.
// A name or path that would not read back as it is (a line end in it,
// blanks around it, too long for its line) is left out, as is a gradient of
// more than kMostCarriedSegments segments, of which a "gradient.note=" line
// tells instead.
std::string WriteDensityLines(const DensitySettings& density, char decimalSeparator);

// For the user, when the lines cannot carry the gradient in full: what the
// file holds of it instead. Empty when they can.
std::string GradientNote(const DensitySettings& density);

// Reads the lines after the 150th (at most kMostExtraLines) over `density`:
// density colouring is on only with "density=1", the other keys set their
// value, unknown keys and lines without "=" are ignored. A relative
// gradient path is taken from `folder`; a gradient named by "gradient="
// drops the one carried before, and a complete set of segment lines is
// carried (named by its "gradient.name" when no path came with it). Returns
// the file's number of a line that cannot be read (too long, a value that is
// not a number within its range, an empty gradient, a segment that a .ggr
// file could not hold, more or fewer segments than announced), where
// reading stops; the values stored before stay, segments only as a whole.
std::optional<int> ReadDensityLines(LineReader& file, char decimalSeparator,
                                    const std::filesystem::path& folder, DensitySettings& density);

}  // namespace zephyrin
