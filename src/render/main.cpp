// zephyrin-render: draws an attractor picture from the command line.
#include <unistd.h>

#include <iostream>
#include <string_view>
#include <vector>

#include "render/render_program.h"

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    return zephyrin::RunRenderProgram(arguments, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
}
