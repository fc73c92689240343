#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "engine/core/effects.h"
#include "engine/core/fractal_rec.h"
#include "engine/explore/orbit_measures.h"
#include "engine/explore/start_judge.h"
#include "util/result.h"
#include "util/thread_pool.h"

namespace zephyrin {

// A closed range of a measure; NaN lies in none.
struct Band {
    double low = 0, high = 0;
    bool Holds(double value) const { return value >= low && value <= high; }
};

struct GalleryOptions {
    std::int32_t tiles = 16;
    // The budget: candidates judged per tile asked for. A budget of
    // candidates rather than of time, so that a seed gives the same gallery
    // on any machine, however busy.
    std::int32_t candidatesPerTile = 400;
    bool keepQuasiPeriodic = false;  // JudgeStart's quasi-periodic orbits pass too
    // Tiles whose measures lie outside are passed over.
    std::optional<Band> lyapunovBand = std::nullopt;
    std::optional<Band> dimensionBand = std::nullopt;
    // The candidates that pass are measured with the settled budget on this
    // pool's threads side by side (never the pool the search runs on), or
    // one after another on the searching thread without one.
    ThreadPool* measuringPool = nullptr;
};

struct GalleryTile {
    TFractalRec record;  // its start made (randomStart false) and framed
    OrbitMeasures measures;
    std::uint64_t seed = 0;      // the candidate's: its judging and measuring stream
    std::int32_t candidate = 0;  // 1 for the first candidate judged
};

struct GalleryResult {
    std::vector<GalleryTile> tiles;  // in the order they were found
    std::int32_t candidates = 0;     // judged
    Rejections rejected;
    std::int32_t outOfBand = 0;  // passed, but outside a band
    bool cancelled = false;
};

// Called on the searching thread with each tile as soon as it is found.
using TileFound = std::function<void(const GalleryTile&)>;

// The formulas of the menus that have a step, in menu order.
std::vector<std::int32_t> GalleryFormulas();

// Up to options.tiles attractors, each a random start of one of `formulas`
// (picked at random for each candidate; for a formula other than
// base.formula, B as choosing it from its menu sets it) with base's other
// settings, judged as Find Attractor judges (JudgeStart), measured
// (MeasureOrbit with kSettledBudget: the tiles show these measures) and kept
// when its measures lie in the bands; one that goes on to settle (a D2 below
// 0.5 over the measuring run, but for the formulas that restart themselves)
// counts as settled. Candidate k
// has a seed of its own from `seed` and k, so the same arguments give the
// same gallery. Ends when the tiles are found, the budget is spent or
// `cancel` is set (read between and within candidates). Touches nothing but
// its own copies: run it on a worker thread. Fails only when memory runs
// short.
[[nodiscard]] Result<GalleryResult> FindGallery(const TFractalRec& base, const Effects& effects,
                                                std::span<const std::int32_t> formulas, std::uint64_t seed,
                                                const GalleryOptions& options,
                                                const std::atomic<bool>& cancel, const TileFound& found = {});

// More Like This: as FindGallery, but each candidate is a variation of
// `original`: every coefficient and A moved by a uniform draw of up to
// `amount` times half the random range (v.randomizer, the farthest a random
// start puts them), and B, which the menus set to 1 or 1.005, by up to
// amount / 100. The start point and the other settings stay.
[[nodiscard]] Result<GalleryResult> FindVariations(const TFractalRec& original, const Effects& effects,
                                                   double amount, std::uint64_t seed,
                                                   const GalleryOptions& options,
                                                   const std::atomic<bool>& cancel,
                                                   const TileFound& found = {});

}  // namespace zephyrin
