#include "engine/batch/counts_drawing.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "engine/core/engine.h"
#include "engine/core/random.h"

namespace zephyrin {

int DrawingPool::DefaultThreads() {
    return static_cast<int>(std::max(std::thread::hardware_concurrency(), 1u));
}

DrawingPool::DrawingPool(int threads) {
    for (int i = 0; i < std::max(threads, 1); ++i) threads_.emplace_back([this, i] { Work(i); });
}

DrawingPool::~DrawingPool() {
    {
        const std::scoped_lock lock(mutex_);
        ending_ = true;
        for (CountsDrawing* drawing : drawings_) drawing->stopped_ = true;
    }
    changed_.notify_all();
    for (std::thread& thread : threads_) thread.join();
}

void DrawingPool::Add(CountsDrawing* drawing) {
    {
        const std::scoped_lock lock(mutex_);
        drawings_.push_back(drawing);
    }
    changed_.notify_all();
}

void DrawingPool::Remove(CountsDrawing* drawing) {
    std::unique_lock lock(mutex_);
    std::erase(drawings_, drawing);
    changed_.wait(lock, [&] {
        return std::ranges::none_of(drawing->shares_, [](const auto& share) { return share->busy; });
    });
}

void DrawingPool::Work(int index) {
    std::unique_lock lock(mutex_);
    for (;;) {
        // The next drawing in turn whose share for this thread is free.
        changed_.wait(lock, [&] { return ending_ || !drawings_.empty(); });
        if (ending_) return;
        next_ = next_ % drawings_.size();
        CountsDrawing* drawing = drawings_[next_];
        next_ = (next_ + 1) % drawings_.size();
        CountsDrawing::Share& share = *drawing->shares_[static_cast<std::size_t>(index)];
        if (share.busy) continue;
        share.busy = true;
        lock.unlock();
        drawing->Slice(index);
        lock.lock();
        share.busy = false;
        changed_.notify_all();
    }
}

CountsDrawing::Share::Share(OrbitBatch b, std::int32_t width, std::int32_t height)
    : batch(std::move(b)), counts(width, height) {}

CountsDrawing::CountsDrawing(DrawingPool& pool, const TFractalRec& start, const Effects& effects,
                             std::uint64_t seed, const CountGrid& counted)
    : pool_(pool),
      width_(std::max(start.width, 0)),
      height_(std::max(start.height, 0)),
      record_(start),
      effects_(effects) {
    for (int i = 0; i < pool.Threads(); ++i)
        shares_.push_back(std::make_unique<Share>(
            OrbitBatch(start, effects, MixBits(seed + static_cast<std::uint64_t>(i) * kGoldenGamma)), width_,
            height_));
    if (counted.Width() == width_ && counted.Height() == height_) shares_.front()->counts = counted;
    pool_.Add(this);
}

CountsDrawing::~CountsDrawing() {
    Stop();
}

void CountsDrawing::Stop() {
    stopped_ = true;
    pool_.Remove(this);
}

void CountsDrawing::Hand(const TFractalRec& rec, const Effects& effects) {
    const std::scoped_lock lock(handed_);
    record_ = rec;
    effects_ = effects;
    ++generation_;
}

void CountsDrawing::Slice(int index) {
    Share& share = *shares_[static_cast<std::size_t>(index)];
    if (const std::uint64_t generation = generation_.load(); generation != share.generation) {
        const std::scoped_lock lock(handed_);
        share.batch.Update(record_, effects_);
        share.generation = generation_.load();
    }
    for (std::int64_t done = 0; done < DrawingPool::kSlice && !stopped_.load(std::memory_order_relaxed);
         done += DrawingPool::kPiece) {
        share.batch.Run(DrawingPool::kPiece, share.counts.Counts());
        share.done.store(share.batch.Counted(), std::memory_order_relaxed);
    }
    share.lastX.store(share.batch.LastX(), std::memory_order_relaxed);
    share.lastY.store(share.batch.LastY(), std::memory_order_relaxed);
    share.AA.store(share.batch.LastA(), std::memory_order_relaxed);
    share.lastCount.store(share.batch.LastCount(), std::memory_order_relaxed);
}

void CountsDrawing::SumCounts(CountGrid& into) const {
    constexpr std::int64_t kLow = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kHigh = std::numeric_limits<std::int32_t>::max();
    if (into.Width() != width_ || into.Height() != height_) into = CountGrid(width_, height_);
    const std::span<std::int32_t> sums = into.Counts();
    for (std::size_t i = 0; i < sums.size(); ++i) {
        std::int64_t sum = kUntouchedCount;
        // The threads write their counts meanwhile, through atomic references too.
        for (const auto& share : shares_)
            sum += std::atomic_ref<std::int32_t>(const_cast<std::int32_t&>(share->counts.Counts()[i]))
                       .load(std::memory_order_relaxed) -
                   kUntouchedCount;
        sums[i] = static_cast<std::int32_t>(std::clamp(sum, kLow, kHigh));
    }
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
            share.AA.load(std::memory_order_relaxed), share.lastCount.load(std::memory_order_relaxed)};
}

}  // namespace zephyrin
