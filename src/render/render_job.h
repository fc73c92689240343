#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "engine/core/count_grid.h"
#include "engine/core/fractal_rec.h"
#include "imaging/picture.h"
#include "render/drawing_setup.h"
#include "render/render_share.h"

namespace zephyrin {

class ThreadPool;

struct RenderSettings {
    std::int32_t threads = 1;
    std::uint64_t seed = 0;
    std::int64_t iterations = 0;    // the budget, shared out among the threads
    std::optional<double> seconds;  // instead of the budget: draw for this long
    // Where the counts tell the colours: the runs of `seed` drawn into the
    // counts before (RunSeed), the counts they left (to draw on instead
    // of untouched ones; of the drawing's size), and whether to hand the
    // counts back even when they are coloured here.
    std::int64_t run = 0;
    const CountGrid* startCounts = nullptr;
    bool keepCounts = false;
    // The share of the iterations this process draws (BudgetShare of the
    // budget), with the streams of ShareSeed; and whether to hand the counts
    // back uncoloured, for a team to add them up before they are coloured
    // or for a writer that colours them row by row.
    RenderShare share = {};
    bool uncoloured = false;
};

struct RenderProgress {
    std::int64_t iterations = 0;
    double seconds = 0;   // since the drawing started
    double fraction = 0;  // of the budget or of the time, 0..1
};

using ProgressReport = std::function<void(const RenderProgress&)>;

struct RenderResult {
    Picture picture;     // the drawing's full size; empty with density colouring
    TFractalRec record;  // the first thread's record after the drawing
    // What the drawing started from: after the random start, every value
    // rounded as its parameter file holds it.
    TFractalRec start;
    // With density colouring, keepCounts or uncoloured: all threads' counts
    // added (to the start counts, if any).
    CountGrid counts;
    std::int32_t threads = 1;
    std::int64_t iterations = 0;
    double seconds = 0;
    // The threads that drew the counts, to colour them on; none for a painted drawing.
    std::shared_ptr<ThreadPool> pool;
};

// Whether the setup's counts tell its colours (engine/colouring/colour_counts.h).
bool CountsTellTheColours(const DrawingSetup& setup);

// The threads a drawing can use: one unless its counts tell its colours.
std::int32_t UsableThreads(const DrawingSetup& setup, std::int32_t requested);

// Draws the setup's picture. The random start, if pending, is made once by
// Engine(seed), and the start's values are rounded as its parameter file will
// hold them. Where the counts tell the colours, a counts drawing
// (CountsDrawing) on a pool of `threads` threads draws from that start, on
// the start counts if given, its streams seeded from `seed` and the run
// (RunSeed) as every counts drawing's are, and the pixels are coloured from
// its counts (or, with density colouring, the counts are handed back).
// Otherwise the engine paints as it goes on the calling thread: exactly its
// own run with Engine(seed) of the record it started from (`start`; for a
// drawing without a random start, the setup's record).
// Either way a drawing depends on its start's values alone, so the saved
// parameters drawn again with the same seed, threads and iterations give the
// same picture, unless the drawing is limited by time. `report`, when given,
// is called about ten times a second on the calling thread.
RenderResult Render(const DrawingSetup& setup, const RenderSettings& settings, const ProgressReport& report);

}  // namespace zephyrin
