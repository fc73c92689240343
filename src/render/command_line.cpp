#include "render/command_line.h"

#include <algorithm>
#include <random>
#include <thread>

#include "render/render_options.h"

namespace zephyrin {

void SayLines(std::ostream& err, std::string_view message) {
    for (std::size_t start = 0; start <= message.size();) {
        const std::size_t end = std::min(message.find('\n', start), message.size());
        err << kProgramPrefix << message.substr(start, end - start) << '\n';
        start = end + 1;
    }
}

std::int32_t AllCores() {
    const auto cores =
        static_cast<std::int32_t>(std::min<unsigned>(std::thread::hardware_concurrency(), kMaxThreads));
    return std::max(cores, 1);
}

std::uint64_t RandomSeed() {
    std::random_device device;
    return static_cast<std::uint64_t>(device()) << 32 | device();
}

}  // namespace zephyrin
