#include "render/default_choices.h"

#include <algorithm>
#include <random>
#include <thread>

#include "render/render_options.h"

namespace zephyrin {

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
