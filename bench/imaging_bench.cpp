// Time to save a 1024 x 768 picture in each format (encoding, writing,
// syncing and renaming), and to reduce a large picture by area averaging.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "imaging/area_averaging.h"
#include "imaging/image_file.h"
#include "imaging/image_formats.h"

namespace zephyrin {
namespace {

// Like a drawing in progress: black, with grey pixels of varied brightness
// and a colour shift scattered over it.
Picture AttractorLike(int width, int height) {
    Picture picture(width, height);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> level(20, 252);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (random() % 3 == 0) {
                const int grey = level(random);
                picture.SetPixel(x, y, Picture::Pack(grey, grey, grey / 2 + 40));
            }
    return picture;
}

void SaveFormat(benchmark::State& state) {
    const ImageFormatInfo& format = ImageFormats()[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(std::string(format.extension));
    const Picture picture = AttractorLike(1024, 768);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("zephyrin-imaging-bench-" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = folder / ("picture." + std::string(format.extension));
    for (auto _ : state) {
        const Result<> result = SaveImage(picture, path, ColourChange::kAgreed);
        if (!result.has_value()) state.SkipWithError(result.error().c_str());
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::filesystem::remove_all(folder);
}
BENCHMARK(SaveFormat)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

void ReduceByTwo(benchmark::State& state) {
    const Picture picture = AttractorLike(2048, 1536);
    for (auto _ : state) benchmark::DoNotOptimize(ReduceByAreaAveraging(picture, 2));
}
BENCHMARK(ReduceByTwo)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zephyrin

BENCHMARK_MAIN();
