#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "engine/batch/orbit_batch.h"
#include "engine/core/count_grid.h"
#include "engine/core/effects.h"
#include "engine/core/fractal_rec.h"

namespace zephyrin {

class CountsDrawing;

// The process's drawing threads, one per core, shared by every counts-only
// drawing: each thread gives the drawings that run one time slice each in
// turn, so that drawings side by side share the cores fairly.
class DrawingPool {
public:
    // Slices are this many iterations of a batch; a stop is looked for
    // after every kPiece of them.
    static constexpr std::int64_t kSlice = 256 * 1024;
    static constexpr std::int64_t kPiece = 8 * 1024;

    explicit DrawingPool(int threads = DefaultThreads());
    ~DrawingPool();
    DrawingPool(const DrawingPool&) = delete;
    DrawingPool& operator=(const DrawingPool&) = delete;

    int Threads() const { return static_cast<int>(threads_.size()); }
    static int DefaultThreads();

private:
    friend class CountsDrawing;
    void Add(CountsDrawing* drawing);
    // Returns once no thread draws `drawing` any more.
    void Remove(CountsDrawing* drawing);
    void Work(int index);

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<CountsDrawing*> drawings_;
    std::size_t next_ = 0;  // the drawing the next free thread takes up
    bool ending_ = false;
    std::vector<std::thread> threads_;
};

// One counts-only drawing on the pool: a batch of orbits and a width x
// height grid of counts for each of the pool's threads, which the caller
// adds up when it wants to show them. Starts drawing at once.
class CountsDrawing {
public:
    // Throws std::bad_alloc when the counts do not fit. `counted`, when it
    // has the drawing's size, is a drawing's counts so far, which this
    // drawing adds to.
    CountsDrawing(DrawingPool& pool, const TFractalRec& start, const Effects& effects, std::uint64_t seed,
                  const CountGrid& counted = {});
    ~CountsDrawing();
    CountsDrawing(const CountsDrawing&) = delete;
    CountsDrawing& operator=(const CountsDrawing&) = delete;

    // No thread draws any more once this returns.
    void Stop();
    bool Stopped() const { return stopped_.load(); }

    // The record's values as they are now; the threads take them up at their next slice.
    void Hand(const TFractalRec& rec, const Effects& effects);

    // All threads' counts added.
    void SumCounts(CountGrid& into) const;

    std::int64_t Iterations() const;
    // How many records handed so far every thread has taken up.
    std::uint64_t Taken() const;
    // The last plotted point, its count and A, of the first thread's batch.
    struct Status {
        double lastX = 0, lastY = 0, AA = 0;
        std::int32_t lastCount = 0;
    };
    Status LastStatus() const;

private:
    friend class DrawingPool;
    struct Share {
        Share(OrbitBatch b, std::int32_t width, std::int32_t height);
        OrbitBatch batch;
        CountGrid counts;
        std::atomic<std::uint64_t> generation{0};  // of the record it draws
        bool busy = false;                         // a thread draws it; under the pool's lock
        std::atomic<std::int64_t> done{0};
        std::atomic<double> lastX{0}, lastY{0}, AA{0};
        std::atomic<std::int32_t> lastCount{0};
    };

    // One slice of the share of the pool's thread `index`.
    void Slice(int index);

    DrawingPool& pool_;
    std::int32_t width_, height_;
    std::vector<std::unique_ptr<Share>> shares_;
    std::atomic<bool> stopped_{false};
    mutable std::mutex handed_;
    TFractalRec record_;
    Effects effects_;
    std::atomic<std::uint64_t> generation_{0};
};

}  // namespace zephyrin
