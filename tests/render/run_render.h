#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "render/render_program.h"

namespace zephyrin::testing {

// The whole command in process, without a terminal.
struct Outcome {
    int status;
    std::string out;
    std::string err;
};

inline Outcome RunRender(const std::vector<std::string>& arguments) {
    const std::vector<std::string_view> views(arguments.begin(), arguments.end());
    std::ostringstream out, err;
    const int status = RunRenderProgram(views, out, err, false);
    return {status, out.str(), err.str()};
}

inline std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace zephyrin::testing
