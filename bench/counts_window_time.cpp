// What a picture window adds to a counts file's own reading and writing: the
// time File > Open takes to show a large drawing's counts (read, checked and
// coloured) and File > Save Counts to write them back, formula 70's record at
// 16000 x 12000 (or the size given) in density colouring.
//
//   build/bench/counts_window_time [WIDTHxHEIGHT [ITERATIONS [FOLDER]]]
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "engine/core/engine.h"
#include "engine/faithfulness.h"
#include "engine/file/counts_file.h"
#include "imaging/picture.h"
#include "render/render_job.h"
#include "services/event_pump.h"
#include "window/picture_document.h"

namespace {

using namespace zephyrin;
using Clock = std::chrono::steady_clock;

class Display final : public PictureDisplay {
public:
    Picture* shownPicture() const override { return shown_.get(); }
    void setShownPicture(std::unique_ptr<Picture> picture) override { shown_ = std::move(picture); }

private:
    std::unique_ptr<Picture> shown_;
};

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    int width = 16000, height = 12000;
    if (argc > 1) std::sscanf(argv[1], "%dx%d", &width, &height);
    const std::int64_t iterations = argc > 2 ? std::atoll(argv[2]) : 200'000'000;
    const std::filesystem::path folder = argc > 3 ? argv[3] : std::filesystem::temp_directory_path();
    const QString path = QString::fromStdString((folder / "counts_window_time.tif").string());

    DrawingSetup setup;
    setup.record = testing::FaithfulnessRecord(70, 1, width, height);
    setup.record.randomStart = kFalse;
    setup.density.mode = ColouringMode::kDensity;
    RenderSettings settings;
    settings.seed = 1;
    settings.iterations = iterations;
    settings.threads = 2;
    const CountsDescription description{setup.record, {}, setup.density, 1, {iterations, {{1, 1}}}};
    if (const Result<> saved =
            SaveCountsFile(path.toStdString(), Render(setup, settings, {}).counts, description);
        !saved) {
        std::fprintf(stderr, "%s\n", saved.error().c_str());
        return 1;
    }

    Engine engine;
    EventPump pump;
    Display display;
    PictureDocument document(engine, pump, nullptr, display);
    const auto t0 = Clock::now();
    Result<CountsFile> file = PictureDocument::readCountsFile(path);
    const auto t1 = Clock::now();
    if (!file) {
        std::fprintf(stderr, "%s\n", file.error().c_str());
        return 1;
    }
    document.setCountsToOpen(*std::move(file));
    document.showCountsToOpen();
    const auto t2 = Clock::now();
    const Result<> saved = document.saveCounts(path);
    const auto t3 = Clock::now();
    if (!saved) {
        std::fprintf(stderr, "%s\n", saved.error().c_str());
        return 1;
    }
    std::printf(
        "%d x %d counts, %lld iterations: File > Open %.2f s (read %.2f s, coloured %.2f s), "
        "Save Counts %.2f s, file %.1f MB\n",
        width, height, static_cast<long long>(document.heldIterations()), Seconds(t0, t2), Seconds(t0, t1),
        Seconds(t1, t2), Seconds(t2, t3),
        static_cast<double>(std::filesystem::file_size(path.toStdString())) / 1e6);
    std::filesystem::remove(path.toStdString());
    return 0;
}
