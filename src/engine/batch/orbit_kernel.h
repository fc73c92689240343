// Between the batch and its kernel, which Highway compiles once per vector
// instruction set.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "engine/batch/hit_bins.h"
#include "engine/batch/orbit_batch.h"

namespace zephyrin::batch_detail {

// Counts a batch adds to alone, width a row; `clamp` where the hits may
// take a counter to an end of the int32 range.
struct CellTarget {
    std::int32_t* cells;
    std::int32_t width;
    bool clamp;
};

// A batch's step range and where its hits go: into `cells` if given, else into `bins`.
struct StepJob {
    std::uint32_t firstIteration;
    std::int64_t steps;
    int plottingOrbits;  // orbits from this index on do not count
    HitBins* bins;
    const CellTarget* cells;
    OrbitBatch::Outcome* outcome;
};

// job.steps iterations of every orbit, on the best instruction set there is.
void RunBatchSteps(OrbitBatch::Lanes& lanes, const BatchParams& p, const StepJob& job);

// The values a batch reads at every iteration, from the record and effects;
// the view is `view`'s.
BatchParams ParamsOf(const TFractalRec& v, const Effects& effects, const BatchParams& view);

// One iteration of one orbit, every lane alike, its draws `uniforms` in turn.
void StepOnce(const BatchParams& p, std::uint32_t iteration, OrbitBatch::OrbitState& state,
              std::span<const double> uniforms, std::vector<OrbitBatch::PlottedPoint>& plotted);

}  // namespace zephyrin::batch_detail
