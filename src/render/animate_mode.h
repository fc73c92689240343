#pragma once

#include <ostream>

#include "render/render_options.h"

namespace zephyrin {

// zephyrin-render --animate KEY... or FILE.zpa: checks every frame's orbit
// off-screen first, then draws the frames of the range (all by default) into
// the -o pattern's png files, each with its parameters and seed inside,
// keeps those already there with --skip-existing, pipes them to ffmpeg for
// --video, and writes FOLDER/frames.csv. A line per frame and the summary go
// to `out` (not with --quiet), messages and the progress bar to `err`.
// Returns the exit status: 0 done, 1 a failure.
int RunAnimation(const RenderOptions& options, std::ostream& out, std::ostream& err, bool progressOnTerminal);

}  // namespace zephyrin
