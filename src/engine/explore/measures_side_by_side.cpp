#include "engine/explore/measures_side_by_side.h"

#include <chrono>
#include <optional>

namespace zephyrin {

namespace {

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
          measured_(requests.size()) {}
    ~MeasuringJob() override { Stop(); }

    std::vector<std::optional<Result<OrbitMeasures>>>& Measured() { return measured_; }

private:
    bool RunSlice(int index) override {
        const MeasureRequest& request = requests_[static_cast<std::size_t>(index)];
        measured_[static_cast<std::size_t>(index)] =
            MeasureOrbit(request.record, effects_, request.seed, budget_, &cancel_);
        return false;
    }

    const std::vector<MeasureRequest>& requests_;
    const Effects& effects_;
    MeasureBudget budget_;
    const std::atomic<bool>& cancel_;
    std::vector<std::optional<Result<OrbitMeasures>>> measured_;  // each written by its share alone
};

}  // namespace

Result<std::vector<OrbitMeasures>> MeasureSideBySide(const std::vector<MeasureRequest>& requests,
                                                     const Effects& effects, const MeasureBudget& budget,
                                                     ThreadPool* pool, const std::atomic<bool>& cancel) {
    std::vector<OrbitMeasures> measures;
    measures.reserve(requests.size());
    if (!pool || requests.size() < 2) {
        for (const MeasureRequest& request : requests) {
            Result<OrbitMeasures> measured =
                MeasureOrbit(request.record, effects, request.seed, budget, &cancel);
            if (!measured) return Failure(measured.error());
            measures.push_back(*measured);
        }
        return measures;
    }
    MeasuringJob job(*pool, requests, effects, budget, cancel);
    job.Start();
    while (!job.WaitFor(std::chrono::milliseconds(50))) {
    }
    if (job.Failure()) return Failure("not enough memory to measure the orbits");
    for (std::optional<Result<OrbitMeasures>>& measured : job.Measured()) {
        if (!measured) return Failure("measuring the orbits was stopped");
        if (!*measured) return Failure(measured->error());
        measures.push_back(**measured);
    }
    return measures;
}

}  // namespace zephyrin
