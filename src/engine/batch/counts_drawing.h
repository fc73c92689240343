#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "engine/batch/banded_counts.h"
#include "engine/batch/hit_bins.h"
#include "engine/batch/orbit_batch.h"
#include "engine/batch/own_counts.h"
#include "engine/core/count_grid.h"
#include "engine/core/effects.h"
#include "engine/core/fractal_rec.h"
#include "util/thread_pool.h"

namespace zephyrin {

// One counts-only drawing on the pool: a batch of orbits for each of the
// pool's threads, drawn in time slices beside the pool's other jobs, until
// stopped or, with a budget, until the budget is drawn. Share i's orbits are seeded from StreamSeed(seed, i),
// whatever program draws. A picture small enough (kOwnGridCells) gets a grid of counts per thread, which the
// thread adds its hits to where they fall; a larger one gets one grid that every thread adds to in bins of
// hits per band: 4 bytes a pixel and a few bins per thread beside it, so that more threads cost next to no
// more memory. Either way the counts are the same for the same seed and threads where no increment is
// negative. Every hit a slice counts is in the counts when the slice ends.
class CountsDrawing final : public ParallelJob {
public:
    // Slices are this many iterations of a batch; a stop is looked for
    // after every kPiece of them.
    static constexpr std::int64_t kSlice = 256 * 1024;
    static constexpr std::int64_t kPiece = 8 * 1024;
    // Pictures of at most this many pixels get a grid per thread, while
    // the threads' grids together take at most kOwnGridsCells: a hit added
    // where it falls costs less than a binned one at every size up to 4 M
    // pixels (bench/counting_paths), but more threads would cost a grid each.
    static constexpr std::int64_t kOwnGridCells = std::int64_t{1} << 22;
    static constexpr std::int64_t kOwnGridsCells = std::int64_t{1} << 26;

    // Throws std::bad_alloc when the counts do not fit. `counted`, when it
    // has the drawing's size, is a drawing's counts so far, which this
    // drawing adds to. A `budget` is shared out over the threads exactly
    // (share i draws BudgetShare(budget, threads, i)), so that the same seed
    // and threads draw the same counts; without one it draws until stopped.
    CountsDrawing(ThreadPool& pool, const TFractalRec& start, const Effects& effects, std::uint64_t seed,
                  const CountGrid& counted = {}, std::optional<std::int64_t> budget = std::nullopt);
    ~CountsDrawing() override;

    // The record's values as they are now; the threads take them up at their next slice.
    void Hand(const TFractalRec& rec, const Effects& effects);

    // The counts as they are, every thread's hits of its slices so far.
    void CopyCounts(CountGrid& into) const;
    // Stops the drawing and hands its counts over, without a copy; the
    // drawing is spent then: it has no counts to copy and draws no more.
    CountGrid TakeCounts() &&;

    std::int64_t Iterations() const;
    // How many records handed so far every thread has taken up.
    std::uint64_t Taken() const;
    // The last plotted point and A of the first thread's batch.
    struct Status {
        double lastX = 0, lastY = 0, AA = 0;
    };
    Status LastStatus() const;

private:
    struct Share {
        Share(OrbitBatch b, std::int64_t budget);
        OrbitBatch batch;
        std::optional<HitBins> bins;               // into the shared grid, or
        CountGrid own;                             // the share's own counts,
        std::optional<OwnCounts> ownCounts;        // which
        mutable std::mutex ownLock;                // a piece holds while it adds to them
        mutable std::atomic<int> readers{0};       // waiting for ownLock, to copy the counts
        std::int64_t budget;                       // iterations left to draw; -1 for no end
        std::atomic<std::uint64_t> generation{0};  // of the record it draws
        std::atomic<std::int64_t> done{0};
        std::atomic<double> lastX{0}, lastY{0}, AA{0};
    };

    bool RunSlice(int index) override;
    void RunPiece(Share& share, std::int64_t piece);

    std::int32_t width_, height_;
    CountGrid counts_;                  // the shared grid's, empty for own grids
    std::optional<BandedCounts> grid_;  // over counts_
    std::vector<std::unique_ptr<Share>> shares_;
    mutable std::mutex handed_;
    TFractalRec record_;
    Effects effects_;
    std::atomic<std::uint64_t> generation_{0};
};

// The seed of share `index` of a drawing seeded with `seed`: splitmix64's
// finaliser of the two, so that neighbouring seeds give unrelated streams.
std::uint64_t StreamSeed(std::uint64_t seed, int index);

// The seed of run `run` of a drawing seeded with `seed`, for a drawing made
// on the counts of the runs before it: run 0 is the drawing's first, and
// every (run, share) has streams of its own, so that runs added up draw what
// one run of all their iterations draws.
std::uint64_t RunSeed(std::uint64_t seed, std::int64_t run);

// Share `index` of `total` iterations over `threads`: the first total %
// threads shares take one more.
std::int64_t BudgetShare(std::int64_t total, int threads, int index);

}  // namespace zephyrin
