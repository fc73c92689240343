#include "engine/batch/counts_drawing.h"

#include <algorithm>
#include <thread>
#include <utility>

#include "engine/core/random.h"

namespace zephyrin {

std::uint64_t StreamSeed(std::uint64_t seed, int index) {
    return MixBits(seed + static_cast<std::uint64_t>(index) * kGoldenGamma);
}

std::uint64_t RunSeed(std::uint64_t seed, std::int64_t run) {
    // Hashed twice, out of the way of the first run's seed + index * kGoldenGamma.
    if (run == 0) return seed;
    return MixBits(MixBits(seed) + static_cast<std::uint64_t>(run) * kGoldenGamma);
}

std::int64_t BudgetShare(std::int64_t total, int threads, int index) {
    return total / threads + (index < total % threads ? 1 : 0);
}

CountsDrawing::Share::Share(OrbitBatch b, std::int64_t iterations)
    : batch(std::move(b)), budget(iterations) {}

CountsDrawing::CountsDrawing(ThreadPool& pool, const TFractalRec& start, const Effects& effects,
                             std::uint64_t seed, const CountGrid& counted, std::optional<std::int64_t> budget)
    : ParallelJob(pool),
      width_(std::max(start.width, 0)),
      height_(std::max(start.height, 0)),
      record_(start),
      effects_(effects) {
    const bool sized = counted.Width() == width_ && counted.Height() == height_;
    const std::int64_t cells = std::int64_t{width_} * height_;
    const bool ownGrids = cells <= kOwnGridCells && cells * Shares() <= kOwnGridsCells;
    // Not `sized ? counted : CountGrid(...)`: that is a const grid, copied
    // into place while the fresh one still takes its memory.
    auto firstCounts = [&] { return sized ? CountGrid(counted) : CountGrid(width_, height_); };
    if (!ownGrids) {
        counts_ = firstCounts();
        grid_.emplace(counts_.Counts(), width_, height_);
    }
    for (int i = 0; i < Shares(); ++i) {
        auto share = std::make_unique<Share>(OrbitBatch(start, effects, StreamSeed(seed, i)),
                                             budget ? BudgetShare(*budget, Shares(), i) : -1);
        if (ownGrids) {
            // The counts so far go to the first share's grid.
            share->own = i == 0 ? firstCounts() : CountGrid(width_, height_);
            share->ownCounts.emplace(share->own.Counts(), width_, height_);
        } else {
            share->bins.emplace(*grid_);
        }
        shares_.push_back(std::move(share));
    }
    Start();
}

CountsDrawing::~CountsDrawing() {
    Stop();
}

void CountsDrawing::Hand(const TFractalRec& rec, const Effects& effects) {
    const std::scoped_lock lock(handed_);
    record_ = rec;
    effects_ = effects;
    ++generation_;
}

bool CountsDrawing::RunSlice(int index) {
    Share& share = *shares_[static_cast<std::size_t>(index)];
    if (const std::uint64_t generation = generation_.load(); generation != share.generation) {
        const std::scoped_lock lock(handed_);
        share.batch.Update(record_, effects_);
        share.generation = generation_.load();
    }
    for (std::int64_t drawn = 0; drawn < kSlice && share.budget != 0 && !StopRequested(); drawn += kPiece) {
        const std::int64_t piece = share.budget < 0 ? kPiece : std::min(kPiece, share.budget);
        RunPiece(share, piece);
        if (share.budget > 0) share.budget -= piece;
        share.done.store(share.batch.Counted(), std::memory_order_relaxed);
    }
    if (share.bins) share.bins->EmptyAll();
    share.lastX.store(share.batch.LastX(), std::memory_order_relaxed);
    share.lastY.store(share.batch.LastY(), std::memory_order_relaxed);
    share.AA.store(share.batch.LastA(), std::memory_order_relaxed);
    return share.budget != 0;
}

void CountsDrawing::RunPiece(Share& share, std::int64_t piece) {
    if (share.bins) {
        share.batch.Run(piece, *share.bins);
        return;
    }
    {
        const std::scoped_lock lock(share.ownLock);
        share.batch.Run(piece, *share.ownCounts);
    }
    // The lock is not fair: without a pause here the next piece could take
    // it again before a waiting reader, piece after piece.
    while (share.readers.load() > 0) std::this_thread::yield();
}

void CountsDrawing::CopyCounts(CountGrid& into) const {
    if (grid_) {
        if (into.Width() != width_ || into.Height() != height_) into = CountGrid(width_, height_);
        grid_->CopyTo(into.Counts());
        return;
    }
    for (const auto& share : shares_) {
        ++share->readers;
        {
            const std::scoped_lock lock(share->ownLock);
            if (&share == &shares_.front())
                into = share->own;
            else
                into.Add(share->own);
        }
        --share->readers;
    }
}

CountGrid CountsDrawing::TakeCounts() && {
    Stop();
    if (grid_) return std::exchange(counts_, CountGrid());
    CountGrid sum = std::exchange(shares_.front()->own, CountGrid());
    for (auto share = shares_.begin() + 1; share != shares_.end(); ++share) sum.Add((*share)->own);
    return sum;
}

std::uint64_t CountsDrawing::Taken() const {
    std::uint64_t taken = generation_.load();
    for (const auto& share : shares_) taken = std::min(taken, share->generation.load());
    return taken;
}

std::int64_t CountsDrawing::Iterations() const {
    std::int64_t done = 0;
    for (const auto& share : shares_) done += share->done.load(std::memory_order_relaxed);
    return done;
}

CountsDrawing::Status CountsDrawing::LastStatus() const {
    const Share& share = *shares_.front();
    return {share.lastX.load(std::memory_order_relaxed), share.lastY.load(std::memory_order_relaxed),
            share.AA.load(std::memory_order_relaxed)};
}

}  // namespace zephyrin
