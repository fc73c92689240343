#include "engine/explore/measures_side_by_side.h"

#include <chrono>
#include <optional>

namespace zephyrin {

namespace {

constexpr const char* kStopped = "measuring the orbits was stopped";

// How often the waiting thread looks for measures to hand over.
constexpr std::chrono::milliseconds kLookInterval{10};

// Each request a share of its own, measured in one slice.
class MeasuringJob final : public ParallelJob {
public:
    MeasuringJob(ThreadPool& pool, const std::vector<MeasureRequest>& requests, const Effects& effects,
                 const MeasureBudget& budget, const std::atomic<bool>& cancel)
        : ParallelJob(pool, static_cast<int>(requests.size())),
          requests_(requests),
          effects_(effects),
          budget_(budget),
          cancel_(cancel),
          measured_(requests.size()),
          done_(requests.size()) {}
    ~MeasuringJob() override { Stop(); }

    // Request `index`'s measures once Done(index); nothing when memory ran short.
    bool Done(std::size_t index) const { return done_[index].load(std::memory_order_acquire); }
    const std::optional<Result<OrbitMeasures>>& Measures(std::size_t index) const { return measured_[index]; }

private:
    bool RunSlice(int index) override {
        const auto i = static_cast<std::size_t>(index);
        measured_[i] = MeasureOrbit(requests_[i].record, effects_, requests_[i].seed, budget_, &cancel_);
        done_[i].store(true, std::memory_order_release);
        return false;
    }

    const std::vector<MeasureRequest>& requests_;
    const Effects& effects_;
    MeasureBudget budget_;
    const std::atomic<bool>& cancel_;
    std::vector<std::optional<Result<OrbitMeasures>>> measured_;  // each written by its share alone
    std::vector<std::atomic<bool>> done_;
};

Result<> MeasureOneByOne(const std::vector<MeasureRequest>& requests, const Effects& effects,
                         const MeasureBudget& budget, const std::atomic<bool>& cancel,
                         const Measured& measured) {
    for (std::size_t i = 0; i < requests.size(); ++i) {
        const Result<OrbitMeasures> measures =
            MeasureOrbit(requests[i].record, effects, requests[i].seed, budget, &cancel);
        if (!measures) return Failure(measures.error());
        if (cancel.load(std::memory_order_relaxed)) return Failure(kStopped);
        measured(i, *measures);
    }
    return {};
}

}  // namespace

Result<> MeasureSideBySide(const std::vector<MeasureRequest>& requests, const Effects& effects,
                           const MeasureBudget& budget, ThreadPool* pool, const std::atomic<bool>& cancel,
                           const Measured& measured) {
    if (!pool || requests.size() < 2) return MeasureOneByOne(requests, effects, budget, cancel, measured);
    MeasuringJob job(*pool, requests, effects, budget, cancel);
    job.Start();
    std::size_t next = 0;
    for (bool finished = false; next < requests.size();) {
        for (; next < requests.size() && job.Done(next); ++next) {
            const std::optional<Result<OrbitMeasures>>& measures = job.Measures(next);
            if (!*measures) return Failure(measures->error());
            if (cancel.load(std::memory_order_relaxed)) return Failure(kStopped);
            measured(next, **measures);
        }
        if (finished) break;
        finished = job.WaitFor(kLookInterval);
    }
    if (job.Failure() || next < requests.size()) return Failure("not enough memory to measure the orbits");
    return {};
}

}  // namespace zephyrin
