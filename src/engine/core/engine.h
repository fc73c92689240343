#pragma once

#include <cstdint>
#include <vector>

#include "engine/core/colour_table.h"
#include "engine/core/constants.h"
#include "engine/core/count_grid.h"
#include "engine/core/effects.h"
#include "engine/core/fractal_rec.h"
#include "engine/core/random.h"

namespace zephyrin {

class Picture;

// What the engine needs of the window whose record it draws: the picture it
// paints into (which may be replaced while a drawing runs), the hit counters,
// the last colour level, the three effect switches, and two calls out. The
// data members are read directly in the inner loop; only ProcessMessages is
// called once per iteration.
class EngineHost {
public:
    Picture* picture = nullptr;
    // listSide x listSide counters; the counter of pixel (px, py) is px * listSide + py.
    std::vector<std::int32_t> hitList;
    std::int32_t lastLevel = 0;
    Effects effects;

    // Pushes the record into the dialogs; called at every drawing start.
    virtual void UpdateParameters() {}
    // Lets the program handle pending events; called after every iteration.
    virtual void ProcessMessages() {}

protected:
    EngineHost() = default;
    EngineHost(const EngineHost&) = default;
    EngineHost& operator=(const EngineHost&) = default;
    ~EngineHost() = default;
};

// The attractor engine. Its working state exists once per Engine object and
// the program shares one Engine between all windows: a drawing started while
// another one is suspended in ProcessMessages re-points `v`, so only the most
// recently started drawing advances, and when it stops every drawing below it
// finds the stopped record's flag and ends too.
//
// The steps of a drawing and the working state they share are protected:
// tests open them by deriving (TestEngine) to set up and inspect single steps.
class Engine {
public:
    // Seeded from the clock at every random start.
    Engine();
    // A reproducible engine: random starts continue this one stream instead
    // of reseeding from the clock.
    explicit Engine(std::uint64_t seed);

    // Draws `rec` until rec.stop is set (checked after every iteration).
    void RunEngine(TFractalRec& rec, EngineHost& host);

    // Draws `rec` on, as RunEngine does, from the counts already in the
    // host's hit list and on its picture (a drawing of the record made
    // elsewhere): no random start and no reset of the counters, the picture
    // or the iterations; the orbit starts again from the start point with
    // the record's A.
    void ResumeEngine(TFractalRec& rec, EngineHost& host);

    // Keeps a drawing made elsewhere (on worker threads) in the chain of
    // drawings as RunEngine would: `rec` becomes the running record, so that
    // StopCurrent and the nesting rule reach it, and the host's
    // ProcessMessages is called until rec.stop is set. No iteration is made.
    void HoldWhileDrawnElsewhere(TFractalRec& rec, EngineHost& host);

    // Number of RunEngine calls currently on the stack.
    int Depth() const { return depth_; }

    // Ends the running drawing and, through the shared record, every drawing
    // suspended beneath it.
    void StopCurrent() {
        if (depth_ > 0) v->stop = kTrue;
    }

    // Makes the random start a drawing of `rec` would begin with, if one is
    // pending, without drawing; the drawing that follows starts from it.
    void RandomStartIfPending(TFractalRec& rec, EngineHost& host);

    // The side of the square the hit counters of the last drawing cover.
    std::int32_t ListSide() const { return listSide; }

    // Computes every hit weight with the library sine instead of the fast
    // path; the pictures are the same either way, which tests verify.
    void UseExactHitWeights(bool exact) { exactHitWeights_ = exact; }

protected:
    // Points the engine at a record without running it, for stepping by hand.
    void Attach(TFractalRec& rec, EngineHost& host) {
        v = &rec;
        host_ = &host;
    }

    void Randomize();
    double Random() { return random_.Uniform(); }

    void RandomStart();
    void ResetDrawing();
    // The part of the reset the orbit depends on: counters, A, start point, W.
    void ResetOrbit();
    // The plot bounds of the record and the hit list's side.
    void FixPlotBounds();
    void EngineStep();
    void ChooseTransform();
    void FormulaStep();
    void CountIteration();
    void CheckRunaway();
    void CheckRunawayBoth();
    void PlotVariations();
    // The variations of PlotVariations, calling `plot` with each point to
    // plot; defined in variation_pass.h.
    template <typename Plot>
    void PassVariations(Plot plot);
    // Plots the point x, y. PlotAt plots a given point with the colour table
    // as the iteration's start left it.
    void PlotPoint();
    void PlotAt(double plotX, double plotY);

    TFractalRec* v = nullptr;
    double x = 0, y = 0;
    double xIn = 0, yIn = 0;
    double xn = 0;
    double W = 0;
    double sign = 1.0;
    double AA = 0, BB = 0;
    std::int32_t j = 0;
    double accX = 0, accY = 0;
    std::int32_t px = 0, py = 0;
    std::int32_t hits = 0;
    std::int32_t level = 0;
    std::int32_t cycles = 0;
    std::int32_t listSide = 0;
    // Points CheckRunawayBoth has replaced since this engine was made.
    std::int64_t rescues = 0;

private:
    // The step's random draws and choices for this engine's orbit (formulas.cpp).
    struct Lanes;
    void IterateUntilStopped();

    EngineHost* host_ = nullptr;
    ColourTable colours_;
    // Plot bounds of the running drawing: the picture size, never beyond the
    // hit list, fixed at the reset.
    std::int32_t plotWidth_ = 0, plotHeight_ = 0;
    int depth_ = 0;
    bool seededFromClock_ = true;
    bool exactHitWeights_ = false;
    std::uint64_t clockSalt_ = 0;
    zephyrin::Random random_;
};

}  // namespace zephyrin
