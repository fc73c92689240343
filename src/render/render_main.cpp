#include "render/render_main.h"

#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string_view>
#include <vector>

#include "render/render_program.h"
#include "render/render_team.h"
#include "util/atomic_file.h"
#include "util/removed_on_signal.h"

namespace zephyrin {
namespace {

// The signal that the tests have a save end by, just before its file is
// replaced.
int signalInSave = 0;

void RaiseSignalInSave() {
    std::raise(signalInSave);
}

}  // namespace

int RenderMain(int argc, char** argv, RenderTeam* team) {
    // A killed save leaves no temporary file behind.
    RemoveFilesOnSignals();
    if (const char* signal = std::getenv("ZEPHYRIN_TEST_SIGNAL_IN_SAVE")) {
        signalInSave = std::atoi(signal);
        InterruptSavesForTests(RaiseSignalInSave);
    }
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    if (team && !team->First()) {
        std::ostream nowhere(nullptr);
        return RunRenderProgram(arguments, nowhere, team->Messages(), false, team);
    }
    return RunRenderProgram(arguments, std::cout, std::cerr, isatty(STDERR_FILENO) == 1, team);
}

}  // namespace zephyrin
