#pragma once

#include <ostream>

#include "render/render_options.h"
#include "render/render_team.h"

namespace zephyrin {

// zephyrin-render --animate KEY... or FILE.zpa: checks every frame's orbit
// off-screen first, then draws the frames of the range (all by default) into
// the -o pattern's png files, each with its parameters and seed inside,
// keeps those already there with --skip-existing, pipes them to ffmpeg for
// --video, and writes FOLDER/frames.csv. A line per frame and the summary go
// to `out` (not with --quiet), messages and the progress bar to `err`.
// Returns the exit status: 0 done, 1 a failure. The members of a `team`
// take the frames in turn, and the first writes frames.csv with all their
// rows and makes the video from all their frames.
int RunAnimation(const RenderOptions& options, std::ostream& out, std::ostream& err, bool progressOnTerminal,
                 RenderTeam* team = nullptr);

}  // namespace zephyrin
