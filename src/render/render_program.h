#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace zephyrin {

class RenderTeam;

enum RenderExit : int { kRenderDone = 0, kRenderFailed = 1, kRenderBadUsage = 2, kRenderNothingFound = 3 };

// The whole command: reads the options and the parameter file, draws, saves
// the picture and its parameter file. Help and the summary go to `out`;
// messages, each starting "zephyrin-render: ", and the progress bar (only
// when `progressOnTerminal`) go to `err`. Returns the exit status. With a
// `team`, its members draw a picture (or continue a counts file) together,
// each its share, and the first writes it; the first alone merges, measures
// and makes galleries, the others returning at once.
int RunRenderProgram(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err,
                     bool progressOnTerminal, RenderTeam* team = nullptr);

}  // namespace zephyrin
