// A batched drawing beside the engine's own of the same record: the record
// a formula is compared on, both drawings' counts, and how they correlate.
#pragma once

#include <atomic>
#include <cmath>
#include <cstdint>
#include <vector>

#include "engine/batch/counts_drawing.h"
#include "engine/batch/orbit_batch.h"
#include "engine/core/defaults.h"
#include "engine/core/engine.h"
#include "engine/core/view_coords.h"
#include "engine/explore/attractor_search.h"
#include "engine/test_host.h"

namespace zephyrin::testing {

// A new window's record of `formula` at width x height with the random
// start Engine(seed) makes, in the start view; with `found`, the start
// Find Attractor finds from `seed` instead, framed.
inline TFractalRec FaithfulnessRecord(int formula, std::uint64_t seed, std::int32_t width,
                                      std::int32_t height, bool found = false) {
    TFractalRec v = NewWindowRecord(width, height);
    v.formula = formula;
    if (found) {
        SearchLimits limits;
        limits.maxTries = 20000;
        limits.maxTime.reset();
        const std::atomic<bool> cancel{false};
        (void)FindAttractor(v, Effects{}, limits, seed, cancel);
    }
    TestHost starter(v);
    Engine(seed).RandomStartIfPending(v, starter);
    FreezeView(v);
    return v;
}

// Formula 73 keeps the point in one pixel of a 40 x 30 picture: with
// intensity 0 and None alone every iteration adds 10 there.
inline TFractalRec StillPointRecord() {
    TFractalRec v = NewWindowRecord(40, 30);
    v.formula = 73;
    v.randomStart = kFalse;
    v.startX = 0.3;
    v.startY = 0.2;
    v.intensity = 0;
    v.varSwirl = kFalse;
    FreezeView(v);
    return v;
}

class RescueCountingEngine final : public Engine {
public:
    using Engine::Engine;
    std::int64_t Rescues() const { return rescues; }
};

// The rises of the engine's counts, width x height row by row; `rescues`
// gets the runaway rescues the orbit needed.
inline std::vector<double> EngineRises(TFractalRec v, std::int64_t iterations, std::uint64_t seed,
                                       std::int64_t* rescues = nullptr) {
    v.randomStart = kFalse;
    TestHost host(v);
    host.picture = nullptr;  // counts only, as the batches draw
    host.StopAfter(static_cast<long>(iterations));
    RescueCountingEngine engine(seed);
    engine.RunEngine(v, host);
    if (rescues) *rescues = engine.Rescues();
    const CountGrid counts = CountGrid::FromHitList(host.hitList, engine.ListSide(), v.width, v.height);
    std::vector<double> rises(counts.Size());
    for (std::size_t i = 0; i < counts.Size(); ++i) rises[i] = counts.Counts()[i] - kUntouchedCount;
    return rises;
}

inline std::vector<double> BatchRises(const TFractalRec& v, std::int64_t iterations, std::uint64_t seed) {
    std::vector<std::int32_t> counts(static_cast<std::size_t>(v.width) * v.height, kUntouchedCount);
    OrbitBatch batch(v, Effects{}, seed);
    batch.Run(iterations, counts);
    std::vector<double> rises(counts.size());
    for (std::size_t i = 0; i < counts.size(); ++i) rises[i] = counts[i] - kUntouchedCount;
    return rises;
}

inline double Lit(const std::vector<double>& rises) {
    double lit = 0;
    for (double rise : rises) lit += rise > 0;
    return lit / static_cast<double>(rises.size());
}

// Pearson's correlation; two pictures without any spread correlate fully
// when they are the same.
inline double Correlation(const std::vector<double>& a, const std::vector<double>& b) {
    const double n = static_cast<double>(a.size());
    double ma = 0, mb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        ma += a[i] / n;
        mb += b[i] / n;
    }
    double ab = 0, aa = 0, bb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        ab += (a[i] - ma) * (b[i] - mb);
        aa += (a[i] - ma) * (a[i] - ma);
        bb += (b[i] - mb) * (b[i] - mb);
    }
    if (aa == 0 || bb == 0) return a == b ? 1.0 : 0.0;
    return ab / std::sqrt(aa * bb);
}

}  // namespace zephyrin::testing
