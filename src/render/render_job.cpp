#include "render/render_job.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <limits>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "engine/batch/orbit_batch.h"
#include "engine/colouring/colour_from_counts.h"
#include "engine/core/engine.h"
#include "engine/core/random.h"
#include "engine/core/view_coords.h"
#include "engine/file/param_file.h"
#include "render/render_host.h"

namespace zephyrin {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kReportInterval = std::chrono::milliseconds(100);

std::int64_t BudgetShare(std::int64_t total, std::int32_t threads, std::int32_t index) {
    return total / threads + (index < total % threads ? 1 : 0);
}

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// One drawing thread's engine, record and host, on cache lines of its own.
struct Worker {
    Worker(const TFractalRec& start, const Effects& effects, std::uint64_t seed, std::int64_t budget,
           const std::atomic<bool>& stopRequested)
        : engine(seed), record(start), host(record, budget, stopRequested) {
        host.effects = effects;
    }

    Engine engine;
    TFractalRec record;
    RenderHost host;
};

using Workers = std::vector<std::unique_ptr<Worker>>;

// One thread's orbits of a counts-only drawing and its own counts.
struct BatchWorker {
    BatchWorker(const TFractalRec& start, const Effects& effects, std::uint64_t seed, std::int64_t share,
                const CountGrid* from)
        : batch(start, effects, seed),
          counts(from ? *from : CountGrid(start.width, start.height)),
          budget(share) {}

    // Counts in pieces, so that a stop is seen within a millisecond or so.
    void Draw(const std::atomic<bool>& stopRequested) {
        constexpr std::int64_t kPiece = 32 * 1024;
        std::int64_t done = 0;
        while (done < budget && !stopRequested.load(std::memory_order_relaxed)) {
            const std::int64_t piece = std::min(kPiece, budget - done);
            batch.Run(piece, counts.Counts());
            done += piece;
            published.store(done, std::memory_order_relaxed);
        }
    }

    OrbitBatch batch;
    CountGrid counts;
    std::int64_t budget;
    alignas(64) std::atomic<std::int64_t> published{0};
};

// What a drawing starts from: the setup's record, or after a random start
// (from Engine(seed)) that start with its values rounded as its parameter
// file holds them. The drawing's streams do not continue the random
// start's, so that a drawing depends on its start's values alone, not on
// whether they came from a random start or from a file.
TFractalRec StartOf(const DrawingSetup& setup, const RenderSettings& settings) {
    TFractalRec start = setup.record;
    if (start.randomStart) {
        const std::atomic<bool> neverStopped{false};
        Worker starter(setup.record, setup.effects, settings.seed, 0, neverStopped);
        starter.engine.RandomStartIfPending(start, starter.host);
        Effects effects = setup.effects;
        RoundAsWritten(start, effects);
        FreezeView(start);
    }
    return start;
}

std::int64_t Published(const Worker& worker) {
    return worker.host.Published();
}
std::int64_t Published(const BatchWorker& worker) {
    return worker.published.load(std::memory_order_relaxed);
}
void DrawOn(Worker& worker, const std::atomic<bool>&) {
    worker.engine.RunEngine(worker.record, worker.host);
}
void DrawOn(BatchWorker& worker, const std::atomic<bool>& stopRequested) {
    worker.Draw(stopRequested);
}

template <typename List>
std::int64_t IterationsDone(const List& workers) {
    std::int64_t done = 0;
    for (const auto& worker : workers) done += Published(*worker);
    return done;
}

// Runs every worker on a thread of its own and waits for all of them,
// reporting progress and ending a timed drawing on time. Returns the
// seconds taken; rethrows the first failure of a thread.
template <typename List>
double RunWorkers(const List& workers, const RenderSettings& settings, const ProgressReport& report,
                  std::atomic<bool>& stopRequested) {
    std::mutex mutex;
    std::condition_variable finishedChanged;
    std::size_t finished = 0;
    std::exception_ptr failure;
    const auto draw = [&](auto& worker) {
        try {
            DrawOn(worker, stopRequested);
        } catch (...) {
            stopRequested = true;
            const std::scoped_lock lock(mutex);
            if (!failure) failure = std::current_exception();
        }
        {
            const std::scoped_lock lock(mutex);
            ++finished;
        }
        finishedChanged.notify_all();
    };

    const Clock::time_point start = Clock::now();
    const auto nextWait = [&] {
        if (!settings.seconds) return kReportInterval;
        const double left = std::clamp(*settings.seconds - SecondsSince(start), 0.0, 0.1);
        return std::chrono::milliseconds(static_cast<std::int64_t>(left * 1000) + 1);
    };
    const auto fractionDone = [&](std::int64_t done, double seconds) {
        if (settings.seconds) return seconds / *settings.seconds;
        return settings.iterations > 0 ? static_cast<double>(done) / static_cast<double>(settings.iterations)
                                       : 1;
    };

    std::vector<std::jthread> pool;
    try {
        for (const auto& worker : workers) pool.emplace_back([&draw, &worker] { draw(*worker); });
    } catch (...) {
        stopRequested = true;  // the threads already started end, and are joined
        throw;
    }
    try {
        std::unique_lock lock(mutex);
        while (!finishedChanged.wait_for(lock, nextWait(), [&] { return finished == workers.size(); })) {
            lock.unlock();
            const double seconds = SecondsSince(start);
            if (settings.seconds && seconds >= *settings.seconds) stopRequested = true;
            if (report) {
                const std::int64_t done = IterationsDone(workers);
                report({done, seconds, std::min(fractionDone(done, seconds), 1.0)});
            }
            lock.lock();
        }
    } catch (...) {
        // A failed report: the pool's threads would otherwise be joined
        // while they still draw, maybe for ever.
        stopRequested = true;
        throw;
    }
    pool.clear();
    if (failure) std::rethrow_exception(failure);
    return SecondsSince(start);
}

}  // namespace

// The first thread of the first run draws with the seed itself, so that one
// thread repeats the engine's own run; the others hash it with their index
// (splitmix64's finaliser), so that neighbouring seeds still give unrelated
// streams. Later runs hash the hashed seed with the run, out of the way of
// the first run's seed + index * kGoldenGamma.
std::uint64_t StreamSeed(std::uint64_t seed, std::int64_t run, std::int32_t index) {
    if (run > 0) seed = MixBits(MixBits(seed) + static_cast<std::uint64_t>(run) * kGoldenGamma);
    if (index == 0) return seed;
    return MixBits(seed + static_cast<std::uint64_t>(index) * kGoldenGamma);
}

bool CountsTellTheColours(const DrawingSetup& setup) {
    if (setup.density.enabled) return true;
    // A hit adds round(intensity * weight + 10) with a weight in [0, 1].
    const bool everyHitCounts = setup.record.intensity > -9.5;
    return everyHitCounts && !setup.effects.colorMix;
}

std::int32_t UsableThreads(const DrawingSetup& setup, std::int32_t requested) {
    return CountsTellTheColours(setup) ? std::max(requested, 1) : 1;
}

namespace {

// A counts-only drawing: every thread iterates a batch of orbits from the
// start into counts of its own, which are added at the end.
RenderResult RenderBatched(const DrawingSetup& setup, const RenderSettings& settings, std::int32_t threads,
                           const ProgressReport& report) {
    std::atomic<bool> stopRequested{false};
    RenderResult result;
    result.start = StartOf(setup, settings);
    const CountGrid* from = settings.startCounts;
    if (from && (from->Width() != result.start.width || from->Height() != result.start.height))
        throw std::invalid_argument("start counts of another size");
    std::vector<std::unique_ptr<BatchWorker>> workers;
    for (std::int32_t i = 0; i < threads; ++i)
        workers.push_back(std::make_unique<BatchWorker>(
            result.start, setup.effects, StreamSeed(settings.seed, settings.run, i),
            settings.seconds ? std::numeric_limits<std::int64_t>::max()
                             : BudgetShare(settings.iterations, threads, i),
            i == 0 ? from : nullptr));
    result.seconds = RunWorkers(workers, settings, report, stopRequested);
    result.threads = threads;
    result.iterations = IterationsDone(workers);
    const OrbitBatch& first = workers.front()->batch;
    result.record = result.start;
    result.record.iterations =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(Published(*workers.front())));
    result.record.lastX = first.LastX();
    result.record.lastY = first.LastY();
    result.counts = std::move(workers.front()->counts);
    for (std::size_t i = 1; i < workers.size(); ++i) {
        result.counts.Add(workers[i]->counts);
        workers[i]->counts = {};
    }
    workers.clear();
    if (!setup.density.enabled) {
        result.picture = ColourFromCounts(result.counts, result.start);
        if (!settings.keepCounts) result.counts = {};
    }
    return result;
}

}  // namespace

RenderResult Render(const DrawingSetup& setup, const RenderSettings& settings, const ProgressReport& report) {
    std::int32_t threads = UsableThreads(setup, settings.threads);
    // Every thread but a lone one gets at least one iteration.
    if (!settings.seconds)
        threads = static_cast<std::int32_t>(std::clamp<std::int64_t>(settings.iterations, 1, threads));
    if (CountsTellTheColours(setup)) return RenderBatched(setup, settings, threads, report);

    // Where the counts do not tell the colours, one thread paints as it goes,
    // as the engine paints a window: exactly the engine's own run.
    std::atomic<bool> stopRequested{false};
    RenderResult result;
    result.start = StartOf(setup, settings);
    Workers workers;
    workers.push_back(std::make_unique<Worker>(
        result.start, setup.effects, StreamSeed(settings.seed, 0, 0),
        settings.seconds ? std::numeric_limits<std::int64_t>::max() : settings.iterations, stopRequested));
    Worker& only = *workers.front();
    result.picture.SetSize(only.record.width, only.record.height);
    only.host.picture = &result.picture;
    result.seconds = RunWorkers(workers, settings, report, stopRequested);
    result.threads = 1;
    result.iterations = IterationsDone(workers);
    result.record = only.record;
    return result;
}

}  // namespace zephyrin
