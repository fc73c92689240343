// The time to write a large drawing's counts file and to read it back, and
// the file's size: formula 70's record at 16000 x 12000 (or the size given),
// drawn with 200 million iterations on two threads.
//
//   build/bench/counts_file_time [WIDTHxHEIGHT [ITERATIONS [FOLDER]]]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "engine/faithfulness.h"
#include "engine/file/counts_file.h"
#include "render/render_job.h"

int main(int argc, char** argv) {
    using namespace zephyrin;
    using Clock = std::chrono::steady_clock;
    int width = 16000, height = 12000;
    if (argc > 1) std::sscanf(argv[1], "%dx%d", &width, &height);
    const std::int64_t iterations = argc > 2 ? std::atoll(argv[2]) : 200'000'000;
    const std::filesystem::path folder = argc > 3 ? argv[3] : std::filesystem::temp_directory_path();
    const std::filesystem::path path = folder / "counts_file_time.tif";

    DrawingSetup setup;
    setup.record = testing::FaithfulnessRecord(70, 1, width, height);
    setup.record.randomStart = kFalse;
    setup.density.mode = ColouringMode::kDensity;
    RenderSettings settings;
    settings.seed = 1;
    settings.iterations = iterations;
    settings.threads = 2;
    const CountGrid counts = Render(setup, settings, {}).counts;
    const CountsDescription description{setup.record, {}, setup.density, 1, {iterations, {{1, 1}}}};

    const std::clock_t c0 = std::clock();
    const auto t0 = Clock::now();
    if (const Result<> saved = SaveCountsFile(path, counts, description); !saved) {
        std::fprintf(stderr, "%s\n", saved.error().c_str());
        return 1;
    }
    const auto t1 = Clock::now();
    const std::clock_t c1 = std::clock();
    const Result<CountsFile> loaded = LoadCountsFile(path);
    const auto t2 = Clock::now();
    const std::clock_t c2 = std::clock();
    if (!loaded) {
        std::fprintf(stderr, "%s\n", loaded.error().c_str());
        return 1;
    }
    const auto seconds = [](auto from, auto to) { return std::chrono::duration<double>(to - from).count(); };
    std::printf("%d x %d counts, %lld iterations: written in %.2f s, read in %.2f s, %.2f s in all\n", width,
                height, static_cast<long long>(iterations), seconds(t0, t1), seconds(t1, t2),
                seconds(t0, t2));
    const auto cpu = [](std::clock_t from, std::clock_t to) {
        return static_cast<double>(to - from) / CLOCKS_PER_SEC;
    };
    std::printf("processor time: writing %.2f s, reading %.2f s\n", cpu(c0, c1), cpu(c1, c2));
    std::printf("file %.1f MB (raw counts %.1f MB), read back %s\n",
                static_cast<double>(std::filesystem::file_size(path)) / 1e6, 4.0 * counts.Size() / 1e6,
                loaded->counts == counts ? "exactly" : "DIFFERENT");
    std::filesystem::remove(path);
    return loaded->counts == counts ? 0 : 1;
}
