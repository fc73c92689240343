// One iteration's formula step of the engine's orbit: the shared step on
// the engine's doubles.
#include <cmath>
#include <cstdint>

#include "engine/core/engine.h"
#include "engine/core/formula_table.h"
#include "engine/core/scalar_lanes.h"

namespace zephyrin {

namespace {

// In this file alone, so that the compiler may fold each formula's
// expression into the one step that calls it.
using Number = double;
using std::fabs;
using std::sin;
using std::sqrt;

#include "engine/core/orbit_step-inl.h"

// `iterations` and `cycles` are int32 counts that a long drawing runs past
// 2^31 - 1; they wrap instead of overflowing, and the every-1000 tests look
// at `iterations` as unsigned so that they keep their rhythm across the wrap.
std::int32_t Counted(std::int32_t count) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(count) + 1u);
}

bool AtThousand(std::int32_t iterations) {
    return static_cast<std::uint32_t>(iterations) % 1000u == 0;
}

}  // namespace

struct Engine::Lanes : scalar::ScalarMath {
    Engine& engine;
    double Draw(double range) { return (engine.Random() - 0.5) * range; }
    double Coefficient(int k) const { return engine.v->af[engine.j + k]; }
    // A random start puts the new orbit straight into the engine's state.
    void RestartOrbit(StepVars<double>) { engine.RandomStart(); }
    StepVars<double> Vars() {
        Engine& e = engine;
        return {e.x, e.y, e.W, e.xn, e.sign, e.v->AA, e.AA, e.BB, e.xIn, e.yIn, e.accX, e.accY};
    }
};
void Engine::CountIteration() {
    v->iterations = Counted(v->iterations);
}

void Engine::FormulaStep() {
    static_assert(OrbitLanes<Lanes>);
    const bool atThousand = AtThousand(v->iterations);
    if (atThousand) cycles = Counted(cycles);
    BB = v->BB;
    const StepRules rules{v->formula, ShapeOf(v->formula),         v->randomizer,
                          atThousand, host_->effects.modulas != 0, host_->effects.expansion != 0};
    Lanes lanes{{}, *this};
    if (StepOrbit(lanes, rules, v->af, lanes.Vars())) ++rescues;
    v->lastX = x;
    v->lastY = y;
}

void Engine::CheckRunawayBoth() {
    Lanes lanes{{}, *this};
    if (RescueBoth(lanes, x, y, v->randomizer)) ++rescues;
}

void Engine::CheckRunaway() {
    Lanes lanes{{}, *this};
    RescueEach(lanes, x, y);
    if (AtThousand(v->iterations)) RandomStart();
}

}  // namespace zephyrin
