#include "render/render_console.h"

#include <algorithm>
#include <new>
#include <system_error>
#include <thread>

#include "render/command_line.h"
#include "render/help_text.h"
#include "render/render_options.h"
#include "util/number_format.h"

namespace zephyrin {

void RenderConsole::Say(std::string_view message) {
    SayLines(err_, message);
}

int RenderConsole::Fail(std::string_view message) {
    Say(message);
    return kRenderFailed;
}

int RenderConsole::Refuse(std::string_view message) {
    Say(message);
    err_ << kUsageLine << '\n';
    return kRenderBadUsage;
}

ProgressReport RenderConsole::Progress(bool quiet) {
    if (!progressOnTerminal_ || quiet) return {};
    return [this](const RenderProgress& progress) { bar_.Show(progress); };
}

Result<RenderResult> RenderWithProgress(const DrawingSetup& setup, const RenderSettings& settings,
                                        RenderConsole& console, bool quiet, std::string_view forWhat) {
    Result<RenderResult> result;
    try {
        result = Render(setup, settings, console.Progress(quiet));
    } catch (const std::bad_alloc&) {
        result = Failure("not enough memory " + std::string(forWhat));
    } catch (const std::system_error& error) {
        result = Failure(std::string("cannot start the drawing threads: ") + error.what());
    }
    console.ClearProgress();
    return result;
}

std::string DrawingSummary(const RenderResult& result, std::uint64_t seed) {
    const double rate = result.seconds > 0 ? static_cast<double>(result.iterations) / result.seconds : 0;
    return std::to_string(result.iterations) + " iterations, " + FormatFixed(result.seconds, 2, '.') +
           " s, " + FormatFixed(rate / 1e6, 2, '.') + " million iterations per second (seed " +
           std::to_string(seed) + ", " + std::to_string(result.threads) +
           (result.threads == 1 ? " thread)" : " threads)");
}

}  // namespace zephyrin
