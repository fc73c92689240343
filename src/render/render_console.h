#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "render/progress_bar.h"
#include "render/render_job.h"
#include "render/render_program.h"
#include "util/result.h"

namespace zephyrin {

// Where the program's words go: help and summaries to `out`; messages, each
// line starting "zephyrin-render: ", and the progress bar (only when
// `progressOnTerminal`) to `err`.
class RenderConsole {
public:
    RenderConsole(std::ostream& out, std::ostream& err, bool progressOnTerminal)
        : out_(out), err_(err), progressOnTerminal_(progressOnTerminal), bar_(err) {}

    void Say(std::string_view message);
    // Says the message and returns kRenderFailed.
    int Fail(std::string_view message);
    // Says the message and the usage line and returns kRenderBadUsage.
    int Refuse(std::string_view message);
    std::ostream& Out() { return out_; }
    std::ostream& Err() { return err_; }

    // What a drawing reports its progress to: the bar, on a terminal and
    // unless `quiet`; nothing otherwise.
    ProgressReport Progress(bool quiet);
    // Takes the bar away for what follows.
    void ClearProgress() { bar_.Clear(); }

private:
    std::ostream& out_;
    std::ostream& err_;
    bool progressOnTerminal_;
    ProgressBar bar_;
};

// Render with the console's progress bar; running out of memory fails with
// "not enough memory " + `forWhat`, threads that cannot start with their
// cause.
[[nodiscard]] Result<RenderResult> RenderWithProgress(const DrawingSetup& setup,
                                                      const RenderSettings& settings, RenderConsole& console,
                                                      bool quiet, std::string_view forWhat);

// "N iterations, S s, R million iterations per second (seed X, T threads)".
std::string DrawingSummary(const RenderResult& result, std::uint64_t seed);

}  // namespace zephyrin
