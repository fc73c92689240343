#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "engine/core/effects.h"
#include "engine/core/engine.h"
#include "engine/core/formula_table.h"
#include "engine/core/fractal_rec.h"
#include "engine/explore/orbit_judge.h"

namespace zephyrin {

// A drawing's orbit without a picture: the engine's own iteration (transform
// choice, formula step with its rescue rules, effects, the variations) on a
// copy of the record, with the points the variations would plot kept
// instead of plotted. What the search and the framing judge is what a
// drawing of the same record draws, only with its own random stream.
//
// A SteppedOrbit: copies step on independently (each with its own record
// and a copy of the random stream), so two copies make an orbit and its
// shadow. Nothing is shared with any other engine or window.
class OrbitProbe : private Engine {
public:
    OrbitProbe(const TFractalRec& rec, const Effects& effects, std::uint64_t seed);
    OrbitProbe(const OrbitProbe& other);
    OrbitProbe& operator=(const OrbitProbe& other);
    ~OrbitProbe() = default;

    // The random start a drawing of the record would begin with: new
    // coefficients, A and start point, drawn from this probe's stream.
    void MakeRandomStart();
    // Back to the record's start point and A, as a drawing begins.
    void Restart();

    bool Step();
    Point2D Position() const { return {x, y}; }
    OrbitState State() const { return {x, y, W, xn}; }
    void SetState(const OrbitState& state);

    // The points the last step's variations would have plotted, in order.
    std::span<const Point2D> Plotted() const { return {plotted_.data(), plottedCount_}; }
    const TFractalRec& Record() const { return record_; }

private:
    struct ProbeHost final : EngineHost {};

    TFractalRec record_;
    ProbeHost probeHost_;
    std::array<Point2D, 9> plotted_{};
    std::size_t plottedCount_ = 0;
};

// The IFS formulas pick one of three maps at random at every step; the
// others iterate one smooth map, whose exponent Sprott's criteria judge.
inline bool IsSmooth(FormulaShape shape) {
    return shape != FormulaShape::kAffine && shape != FormulaShape::kSineAffine;
}

// Formulas 23 to 40 make a random start of their own every 1000 iterations,
// so no orbit of theirs lasts longer than that.
inline bool RestartsItself(FormulaShape shape) {
    return shape == FormulaShape::kH;
}

// Copies what a random start makes (coefficients, A, start point, the
// pending flag) from `from` into `into`.
void TakeStartValues(TFractalRec& into, const TFractalRec& from);

// `v` with the random start it asks for made (from `seed`), so that its
// orbit can be stepped; `v` itself when it asks for none.
TFractalRec WithStartMade(const TFractalRec& v, const Effects& effects, std::uint64_t seed);

}  // namespace zephyrin
