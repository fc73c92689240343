#include "render/render_job.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <limits>
#include <memory>
#include <stdexcept>
#include <utility>

#include "engine/batch/counts_drawing.h"
#include "engine/colouring/colour_counts.h"
#include "engine/colouring/colour_from_counts.h"
#include "engine/core/engine.h"
#include "engine/core/painted_drawing.h"
#include "engine/core/view_coords.h"
#include "engine/file/param_file.h"
#include "util/thread_pool.h"

namespace zephyrin {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kReportInterval = std::chrono::milliseconds(100);

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// What the progress loop tells: how far the budget or the time is.
class Progress {
public:
    Progress(const RenderSettings& settings, const ProgressReport& report)
        : settings_(settings), report_(report), start_(Clock::now()) {}

    double Seconds() const { return SecondsSince(start_); }
    bool TimeIsUp() const { return settings_.seconds && Seconds() >= *settings_.seconds; }
    // The wait until the next report, or until the time is up.
    std::chrono::milliseconds NextWait() const {
        if (!settings_.seconds) return kReportInterval;
        const double left = std::clamp(*settings_.seconds - Seconds(), 0.0, 0.1);
        return std::chrono::milliseconds(static_cast<std::int64_t>(left * 1000) + 1);
    }
    void Report(std::int64_t done) const {
        if (!report_) return;
        const double seconds = Seconds();
        double fraction = 1;
        if (settings_.seconds)
            fraction = seconds / *settings_.seconds;
        else if (settings_.iterations > 0)
            fraction = static_cast<double>(done) / static_cast<double>(settings_.iterations);
        report_({done, seconds, std::min(fraction, 1.0)});
    }

private:
    const RenderSettings& settings_;
    const ProgressReport& report_;
    Clock::time_point start_;
};

// What a drawing starts from: the setup's record, or after a random start
// (from Engine(seed)) that start with its values rounded as its parameter
// file holds them. The drawing's streams do not continue the random
// start's, so that a drawing depends on its start's values alone, not on
// whether they came from a random start or from a file.
TFractalRec StartOf(const DrawingSetup& setup, const RenderSettings& settings) {
    TFractalRec start = setup.record;
    if (start.randomStart) {
        struct StartHost final : EngineHost {
        } host;
        host.effects = setup.effects;
        Engine(settings.seed).RandomStartIfPending(start, host);
        Effects effects = setup.effects;
        RoundAsWritten(start, effects);
        FreezeView(start);
    }
    return start;
}

// A counts-only drawing: one counts drawing on a pool of the threads, and a
// progress loop that ends a timed drawing on time.
RenderResult RenderCounted(const DrawingSetup& setup, const RenderSettings& settings, std::int32_t threads,
                           const ProgressReport& report) {
    RenderResult result;
    result.start = StartOf(setup, settings);
    const CountGrid* from = settings.startCounts;
    if (from && (from->Width() != result.start.width || from->Height() != result.start.height))
        throw std::invalid_argument("start counts of another size");
    const auto pool = std::make_shared<ThreadPool>(threads);
    std::optional<std::int64_t> budget;
    if (!settings.seconds) budget = settings.iterations;
    CountsDrawing drawing(*pool, result.start, setup.effects,
                          ShareSeed(RunSeed(settings.seed, settings.run), settings.share),
                          from ? *from : CountGrid(), budget);
    const Progress progress(settings, report);
    try {
        while (!drawing.WaitFor(progress.NextWait())) {
            if (progress.TimeIsUp()) drawing.Stop();
            progress.Report(drawing.Iterations());
        }
    } catch (...) {
        // A failed report: the threads must not draw on, maybe for ever.
        drawing.Stop();
        throw;
    }
    drawing.Stop();
    if (const std::exception_ptr failure = drawing.Failure()) std::rethrow_exception(failure);
    result.seconds = progress.Seconds();
    result.threads = threads;
    result.iterations = drawing.Iterations();
    const CountsDrawing::Status status = drawing.LastStatus();
    result.record = result.start;
    result.record.iterations = static_cast<std::int32_t>(static_cast<std::uint64_t>(result.iterations));
    result.record.lastX = status.lastX;
    result.record.lastY = status.lastY;
    result.counts = std::move(drawing).TakeCounts();
    result.pool = pool;
    if (PaintsWhilePlotting(setup.density.mode) && !settings.uncoloured) {
        result.picture = ColourFromCounts(result.counts, result.start, pool.get());
        if (!settings.keepCounts) result.counts = {};
    }
    return result;
}

// A drawing whose counts do not tell its colours: the engine paints it as
// it goes on this thread, exactly its own run with Engine(seed).
RenderResult RenderPainted(const DrawingSetup& setup, const RenderSettings& settings,
                           const ProgressReport& report) {
    RenderResult result;
    result.start = StartOf(setup, settings);
    const Progress progress(settings, report);
    Clock::time_point nextReport = Clock::now() + kReportInterval;
    PaintedDrawing painted =
        PaintAsItGoes(result.start, setup.effects, settings.seed,
                      settings.seconds ? std::numeric_limits<std::int64_t>::max() : settings.iterations,
                      [&](std::int64_t done) {
                          if (Clock::now() >= nextReport) {
                              progress.Report(done);
                              nextReport = Clock::now() + kReportInterval;
                          }
                          return !progress.TimeIsUp();
                      });
    result.picture = std::move(painted.picture);
    result.record = painted.record;
    result.seconds = progress.Seconds();
    result.threads = 1;
    result.iterations = painted.iterations;
    return result;
}

}  // namespace

bool CountsTellTheColours(const DrawingSetup& setup) {
    return CountsTellTheColours(setup.record, setup.effects, setup.density);
}

std::int32_t UsableThreads(const DrawingSetup& setup, std::int32_t requested) {
    return CountsTellTheColours(setup) ? std::max(requested, 1) : 1;
}

RenderResult Render(const DrawingSetup& setup, const RenderSettings& whole, const ProgressReport& report) {
    RenderSettings settings = whole;
    if (!settings.share.Whole()) {
        if (!CountsTellTheColours(setup))
            throw std::invalid_argument("a drawing painted as it goes cannot be shared out");
        settings.iterations = BudgetShare(whole.iterations, whole.share.count, whole.share.index);
    }
    std::int32_t threads = UsableThreads(setup, settings.threads);
    // Every thread but a lone one gets at least one iteration.
    if (!settings.seconds)
        threads = static_cast<std::int32_t>(std::clamp<std::int64_t>(settings.iterations, 1, threads));
    if (CountsTellTheColours(setup)) return RenderCounted(setup, settings, threads, report);
    return RenderPainted(setup, settings, report);
}

}  // namespace zephyrin
