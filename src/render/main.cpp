// zephyrin-render: draws an attractor picture from the command line.
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string_view>
#include <vector>

#include "render/render_program.h"
#include "util/atomic_file.h"
#include "util/removed_on_signal.h"

namespace {

// The signal that the tests have a save end by, just before its file is
// replaced.
int signalInSave = 0;

void RaiseSignalInSave() {
    std::raise(signalInSave);
}

}  // namespace

int main(int argc, char** argv) {
    // A killed save leaves no temporary file behind.
    zephyrin::RemoveFilesOnSignals();
    if (const char* signal = std::getenv("ZEPHYRIN_TEST_SIGNAL_IN_SAVE")) {
        signalInSave = std::atoi(signal);
        zephyrin::InterruptSavesForTests(RaiseSignalInSave);
    }
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    return zephyrin::RunRenderProgram(arguments, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
}
