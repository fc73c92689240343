// One iteration's formula step for any orbit policy (lane_policy.h): the
// effects, the shape of the formula's step and the runaway rescues. Included
// like variation_pass-inl.h, after formula_expressions.inc has been included
// for the policy's Num. Needs formula_table.h and constants.h.
#if defined(ZEPHYRIN_ORBIT_STEP_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef ZEPHYRIN_ORBIT_STEP_INL_H_
#undef ZEPHYRIN_ORBIT_STEP_INL_H_
#else
#define ZEPHYRIN_ORBIT_STEP_INL_H_
#endif

// What the record and the iteration count decide about a step.
struct StepRules {
    int formula;
    FormulaShape shape;
    double randomizer;
    bool atThousand;  // the orbit's iteration count is a multiple of 1000
    bool modulas, expansion;
};

// Replaces each coordinate alone that ran away (formulas 23 to 40).
template <OrbitLanes P>
void RescueEach(P& lanes, typename P::Num& x, typename P::Num& y) {
    const auto far = P::Lift(10000.0), near = P::Lift(1e-4);
    const auto xOut = P::Or(P::Greater(P::Abs(x), far), P::Less(P::Abs(x), near));
    if (P::Any(xOut)) x = P::Select(xOut, lanes.Draw(2.0), x);
    const auto yOut = P::Or(P::Greater(P::Abs(y), far), P::Less(P::Abs(y), near));
    if (P::Any(yOut)) y = P::Select(yOut, lanes.Draw(2.0), y);
}

// Replaces a point whose coordinates both ran away or both fell into the
// origin by a random one; returns where it did.
template <OrbitLanes P>
typename P::Mask RescueBoth(P& lanes, typename P::Num& x, typename P::Num& y, double randomizer) {
    const auto ax = P::Abs(x), ay = P::Abs(y);
    const auto far = P::Lift(10000.0), near = P::Lift(1e-4);
    const auto out =
        P::Or(P::And(P::Greater(ax, far), P::Greater(ay, far)), P::And(P::Less(ax, near), P::Less(ay, near)));
    if (P::Any(out)) {
        const auto nx = lanes.Draw(2 * randomizer);
        const auto ny = lanes.Draw(2 * randomizer);
        x = P::Select(out, nx, x);
        y = P::Select(out, ny, y);
    }
    return out;
}

// The map of the formula's shape; formulas 23 to 40 then rescue each
// coordinate and make a random start every 1000 iterations.
template <OrbitLanes P, typename Af>
void ApplyShape(P& lanes, const StepRules& rules, const Af& af, StepVars<typename P::Num> s) {
    using Num = typename P::Num;
    switch (rules.shape) {
        case FormulaShape::kWAfterMove:
            s.x = s.x - (s.x * s.sign) * 5e-05 / P::Sqrt(s.x * s.x + s.y * s.y);
            [[fallthrough]];
        case FormulaShape::kW: {
            const Num xOld = s.x;
            s.x = s.BB * s.y + s.W;
            s.W = WValue(rules.formula, s.x, s.y, s.AA, s.sign, af);
            s.y = s.W - xOld;
            return;
        }
        case FormulaShape::kThree: {
            const Num nx = s.AA * s.x + s.y + s.sign * P::Sqrt(P::Abs(P::Sqrt(P::Abs(constPI * s.AA * s.x))));
            s.y = s.AA - s.x;
            s.x = nx;
            return;
        }
        case FormulaShape::kTwoStageAfterShift:
            s.x = s.x + s.x * s.sign * 2e-05;
            [[fallthrough]];
        case FormulaShape::kTwoStage:
            s.xn = XnValue(rules.formula, s.x, s.y, s.AA, s.BB, s.xn);
            s.y = GValue(rules.formula, s.xn, s.x, s.y, s.AA, s.BB);
            s.x = s.xn;
            return;
        case FormulaShape::kH:
            s.xn = HValue(rules.formula, s.x, s.y, s.AA, s.sign);
            s.y = -s.x;
            s.x = s.xn;
            RescueEach(lanes, s.x, s.y);
            if (rules.atThousand) lanes.RestartOrbit(s);
            return;
        case FormulaShape::kAffine: {
            const Num nx = s.x * lanes.Coefficient(1) + s.y * lanes.Coefficient(3) + lanes.Coefficient(5);
            const Num ny = s.x * lanes.Coefficient(2) + s.y * lanes.Coefficient(4) + lanes.Coefficient(6);
            s.x = nx;
            s.y = ny;
            return;
        }
        case FormulaShape::kSineAffine: {
            const Num sx = P::Sin(s.x), sy = P::Sin(s.y);
            const Num nx =
                sx + s.x * lanes.Coefficient(1) + s.y * lanes.Coefficient(1) + lanes.Coefficient(5) - sy;
            const Num ny =
                sx + s.x * lanes.Coefficient(2) + s.y * lanes.Coefficient(2) + lanes.Coefficient(6) - sy;
            s.x = nx;
            s.y = ny;
            return;
        }
        case FormulaShape::kNone:
            return;
    }
}

// Modulas and Expansion, the sign, the formula and the rescue of a runaway
// point: one iteration's move of the orbits. Returns where the rescue
// replaced the point.
template <OrbitLanes P, typename Af>
typename P::Mask StepOrbit(P& lanes, const StepRules& rules, const Af& af, StepVars<typename P::Num> s) {
    if (rules.atThousand && rules.modulas) s.recordA = s.recordA - 0.0002 * P::Sin(s.recordA);
    if (rules.expansion) s.x = s.x - 5e-05 * (s.x * s.sign) / P::Sqrt(s.x * s.x + s.y * s.y);
    s.AA = s.recordA;
    s.sign = P::Select(P::Less(s.x, P::Lift(0.0)), P::Lift(-1.0), P::Lift(1.0));
    s.xIn = s.x;
    s.yIn = s.y;
    ApplyShape(lanes, rules, af, s);
    return RescueBoth(lanes, s.x, s.y, rules.randomizer);
}

#endif  // ZEPHYRIN_ORBIT_STEP_INL_H_
