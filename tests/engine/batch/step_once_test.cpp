// One step of every formula and of every set of variations, on the batch's
// vectors and in the engine, from the same state and with the same random
// draws: the same state and the same plotted points out.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <set>
#include <vector>

#include "engine/batch/orbit_batch.h"
#include "engine/core/engine.h"
#include "engine/core/formula_table.h"
#include "engine/core/random.h"
#include "engine/core/variation_pass.h"
#include "engine/core/variation_table.h"
#include "engine/test_host.h"

namespace zephyrin {
namespace {

using State = OrbitBatch::OrbitState;
using Points = std::vector<OrbitBatch::PlottedPoint>;

// The formulas whose step takes a sine (the expressions' text).
const std::set<int> kTrigFormulas{2, 5, 6, 7, 8, 9, 10, 11, 12, 22, 29, 31, 40, 60, 61, 62, 63, 64, 65, 71};
constexpr VariationSet kTrigVariations = Bit(Variation::kSwirl) | Bit(Variation::kSinusoidal) |
                                         Bit(Variation::kPolar) | Bit(Variation::kHorseshoe);

// The engine from a given state, through the steps EngineStep makes, with
// the points its variations plot kept.
class OneStepEngine final : public Engine {
public:
    using Engine::Engine;
    State Step(TFractalRec& rec, EngineHost& host, std::uint32_t iteration, const State& in,
               Points& plotted) {
        Attach(rec, host);
        rec.iterations = static_cast<std::int32_t>(iteration);
        x = in.x, y = in.y, accX = in.accX, accY = in.accY, W = in.W, xn = in.xn, sign = in.sign;
        rec.AA = in.AA;
        j = static_cast<std::int32_t>(in.j);
        ChooseTransform();
        FormulaStep();
        PassVariations([&](double plotX, double plotY) { plotted.push_back({plotX, plotY}); });
        return {x, y, accX, accY, W, xn, sign, rec.AA, static_cast<double>(j)};
    }
};

class NoHost final : public EngineHost {};

// The vector sine, cosine and arctangent keep within 4 ulp of the
// library's (OrbitBatch.TrigonometryKeepsToTheLibrary); one step's terms
// near 1 keep that bound relative to the larger of the value and 1.
constexpr double kTrigUlps = 4;

// Bit for bit, or with `trig` within kTrigUlps ulp of max(|b|, 1).
bool Agree(double a, double b, bool trig) {
    if (std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b)) return true;
    return trig && std::fabs(a - b) <= kTrigUlps * 0x1p-52 * std::max(std::fabs(b), 1.0);
}

struct Trial {
    TFractalRec rec;
    Effects effects;
    std::uint32_t iteration;
    State in;
    bool trig;
};

// The batch and the engine, the engine's draws given to the batch.
void ExpectSameStep(const Trial& t, const std::string& what) {
    constexpr std::uint64_t kSeed = 99;
    Random stream(kSeed);
    std::vector<double> uniforms(16);
    for (double& u : uniforms) u = stream.Uniform();

    TFractalRec engineRec = t.rec;
    NoHost host;
    host.effects = t.effects;
    Points enginePoints, batchPoints;
    const State e = OneStepEngine(kSeed).Step(engineRec, host, t.iteration, t.in, enginePoints);
    State b = t.in;
    BatchStepOnce(t.rec, t.effects, t.iteration, b, uniforms, batchPoints);

    const double es[] = {e.x, e.y, e.accX, e.accY, e.W, e.xn, e.sign, e.AA, e.j};
    const double bs[] = {b.x, b.y, b.accX, b.accY, b.W, b.xn, b.sign, b.AA, b.j};
    for (int i = 0; i < 9; ++i)
        EXPECT_TRUE(Agree(bs[i], es[i], t.trig)) << what << " value " << i << ": " << bs[i] << " " << es[i];
    ASSERT_EQ(batchPoints.size(), enginePoints.size()) << what;
    for (std::size_t i = 0; i < enginePoints.size(); ++i) {
        EXPECT_TRUE(Agree(batchPoints[i].x, enginePoints[i].x, t.trig)) << what << " point " << i;
        EXPECT_TRUE(Agree(batchPoints[i].y, enginePoints[i].y, t.trig)) << what << " point " << i;
    }
}

TFractalRec StepRecord(int formula, Random& random) {
    TFractalRec v = testing::PlotRecord(64, 48, -2, 2, -1.5, 1.5);
    v.formula = formula;
    v.BB = 1.005;
    v.factor2 = 0.1;
    for (int i = 1; i <= Coefficients::kCount; ++i) v.af[i] = random.Uniform() * 2 - 1;
    return v;
}

// Ordinary points, points to be rescued (both coordinates far, both near
// the origin, one coordinate alone far) and a point on an axis.
std::vector<State> States(Random& random) {
    std::vector<State> states;
    auto draw = [&](double scale) { return (random.Uniform() * 2 - 1) * scale; };
    for (int i = 0; i < 12; ++i)
        states.push_back({draw(2), draw(2), draw(2), draw(2), draw(3), draw(2), i % 2 ? 1.0 : -1.0, draw(1),
                          static_cast<double>(i % 3 == 0   ? 0
                                              : i % 3 == 1 ? 19
                                                           : 39)});
    states.push_back({2e4, -3e4, 0.5, 0.5, 0.1, 0.2, 1, 0.4, 0});
    states.push_back({1e-5, -2e-5, 0.5, 0.5, 0.1, 0.2, -1, 0.4, 19});
    states.push_back({2e4, 3, 0.5, 0.5, 0.1, 0.2, 1, 0.4, 39});
    states.push_back({0.7, 0.0, 0.5, 0.5, 0.1, 0.2, 1, 0.4, 0});
    return states;
}

// Every formula, with Expansion (no sine) at an ordinary iteration, and with
// Modulas (a sine of A) at an iteration that is a multiple of 1000 except
// for formulas 23 to 40, whose random start there is the engine's own.
TEST(StepOnce, EveryFormulaStepsAsTheEngineDoes) {
    Random random(5);
    for (const FormulaInfo& f : Formulas()) {
        const TFractalRec rec = StepRecord(f.number, random);
        const bool restarts = f.shape == FormulaShape::kH;
        const bool trig = kTrigFormulas.contains(f.number);
        for (const State& in : States(random)) {
            ExpectSameStep({rec, {.expansion = kTrue}, 1001, in, trig},
                           "formula " + std::to_string(f.number));
            ExpectSameStep({rec, {.modulas = kTrue}, restarts ? 2001u : 3000u, in, true},
                           "formula " + std::to_string(f.number) + " with Modulas");
        }
    }
}

TEST(StepOnce, EveryVariationSetPlotsAsTheEngineDoes) {
    Random random(6);
    TFractalRec rec = StepRecord(1, random);
    const std::vector<State> states = States(random);
    for (VariationSet set = 0; set < VariationSet{1} << kVariationCount; ++set) {
        SetVariations(rec, set);
        for (std::size_t i = 0; i < states.size(); i += 3)
            ExpectSameStep({rec, {}, 7, states[i], (set & kTrigVariations) != 0},
                           "variations " + std::to_string(set));
    }
}

}  // namespace
}  // namespace zephyrin
