// One iteration's formula step for any orbit policy (lane_policy.h), written
// once for the engine and for the batches: the formula catalogue's right-hand
// sides, the effects, the shape of the formula's step and the runaway
// rescues. Included like variation_pass-inl.h, inside a namespace that
// defines `Number`, a type with a double's arithmetic, and in which sin, sqrt
// and fabs of a Number are found: double in the engine, a vector of orbits in
// each of the batches' instruction sets. Within each shape the right-hand
// sides use the point as it was before the step unless the shape says
// otherwise. The includer may define ZEPHYRIN_FORMULA_INLINE to force the
// step and its one-shape expressions into the loop that calls them. Needs formula_table.h
// and constants.h.
#if defined(ZEPHYRIN_ORBIT_STEP_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef ZEPHYRIN_ORBIT_STEP_INL_H_
#undef ZEPHYRIN_ORBIT_STEP_INL_H_
#else
#define ZEPHYRIN_ORBIT_STEP_INL_H_
#endif

#ifndef ZEPHYRIN_FORMULA_INLINE
#define ZEPHYRIN_FORMULA_INLINE inline
#endif

// The map value W of the W-shaped formulas, from the new x and the old y.
template <typename Af>
Number WValue(int formula, Number x, Number y, Number AA, Number sign, const Af& af) {
    switch (formula) {
        case 1:
            return AA * x - 2 * (1 - AA) * (x * x) / (x * x + 1);
        case 2:
            return const2PI * sign * AA + constPI + sin(constPI + sin(constPI + x));
        case 4:
            return -0.05 * AA * x + (constPI - AA * x) * (AA * x * x) / (x * x + 1);
        case 5:
            return sign * AA + AA * x * sin(constPI + x);
        case 6:
            return AA * x + sign * (1 - AA) * (2 * x * x) / (x * x + 1) + sin(x);
        case 7:
            return sign * AA + sin(x) * sin(constPI + x);
        case 8:
            return AA * x + (sign - AA) * (5 * x * x) / (x * x + 4) + sin(sin(x));
        case 9:
            return sign * AA + AA + (1 - AA) * (2 * x * x / (x * x + constPI)) + sin(constPI + x);
        case 10:
            return sign * AA + sin(x) + AA;
        case 11:
            return sign * AA * (sin(x) + AA);
        case 22:
            return AA * x - 20 * AA * x * x * (1 - AA) / (x * x + 1 + sin(1 + x));
        case 60:
            return (1 - AA * x) +
                   sign * sin(constPI * x + sin(constPI * x) - (1 - AA) * (x * x)) / (x * x + 1);
        case 61:
            return AA * x + sign * (1 - AA) * af[1] * sin(x + sin(x));
        case 62:
            return sign * AA * sin(af[3] * x) + AA * sin(af[5] * x);
        case 63:
            return sign * AA * sin(af[1] * x + sin(af[2] * x)) + AA * sin(af[3] * x + sin(af[4] * x));
        case 64:
            return sign * AA * sin(af[1] * x) + AA * sin(af[2] * x + sin(af[3] * x));
        case 65:
            return sign * AA * sin(af[1] * x) + sign * AA * sin(af[2] * x + sign * sin(af[3] * x));
        case 66:
            return 0.5 * AA * sign * fabs(y + x);
        case 72:
            return AA * sign * (x + y);
    }
    return Number(0);
}

// F0 = BB*y + AA*x + 2*x^2*(1 - AA)/(x^2 + 1), the x part most two-stage rows share.
inline Number F0(Number x, Number y, Number AA, Number BB) {
    return BB * y + AA * x + 2 * (x * x) * (1 - AA) / (x * x + 1);
}

// Two-stage formulas: the new x (F, from the old point; p is the previous xn).
ZEPHYRIN_FORMULA_INLINE Number XnValue(int formula, Number x, Number y, Number AA, Number BB, Number p) {
    switch (formula) {
        case 12:
            return BB * y + AA * x + 2 * (x * x) / (x * x + 1 + y * y + sin(x));
        case 13:
            return BB * y + AA * x + (x * x) * (1 - AA) / (x * x + 1);
        case 17:
            return BB * y + AA * x + 2 * (x * x) * (1 - AA) / (x * x + 1 + y * y);
        case 18:
        case 48:
            return BB * y + AA * x + 2 * (x * x) / (x * x + 1 + y * y);
        case 51:
            return BB * y + AA * x + 2 * (x * x) / (p * p + 1 + y * y);
        case 53:
        case 54:
            return BB * y + AA * x + 2 * (AA * AA) * (1 - x) / (x * x + 1);
    }
    return F0(x, y, AA, BB);
}

// Two-stage formulas: the new y (G, from the new xn and the old point).
ZEPHYRIN_FORMULA_INLINE Number GValue(int formula, Number xn, Number x, Number y, Number AA, Number BB) {
    const Number xn2 = xn * xn;
    switch (formula) {
        case 12:
            return AA * xn - x + 2 * xn2 * (1 - AA) / (xn2 + 1 + sin(xn));
        case 13:
            return AA * xn - x + y * xn * (1 - AA) / (xn2 + 1);
        case 14:
        case 42:
            return AA * xn - x + 2 * y * xn * (1 - AA) / (xn2 + 1);
        case 15:
        case 45:
            return AA * xn - x + 2 * y * xn * (1 - AA) / (y * xn + 1);
        case 16:
        case 46:
            return AA * xn - x + 2 * (y * y) * (1 - AA) / (y * y + 1);
        case 17:
            return AA * xn - x + 2 * xn2 * (1 - AA) / (2 * xn2 + 1);
        case 18:
        case 48:
        case 53:
            return AA * xn - x + 2 * xn2 * (1 - AA) / (xn2 + 1);
        case 19:
            return AA * xn - x + AA * xn2 * (1 - AA) / (xn2 + 1);
        case 20:
            return AA * xn - x + 2 * xn2 * ((1 - AA) / (xn2 + 1));
        case 21:
            return AA * xn - x + AA * 2 * xn2 * ((1 - AA) / (xn2 + 1));
        case 41:
            return BB * xn - x + 2 * xn2 * (1 - AA) / (xn2 + 1);
        case 43:
            return AA * xn - x + (sqrt(fabs(y)) - AA) * 2 * xn2 / (xn2 + 1);
        case 44:
            return AA * xn - x + 2 * xn2 * (1 - AA) / (y * xn + 1);
        case 47:
            return AA * xn - x + 2 * xn2 * (y - AA) / (xn2 + 1);
        case 49:
            return AA * xn - x + AA * xn2 * (1 - AA) / (xn2 + 1) + AA * AA;
        case 50:
        case 51:
        case 54:
            return AA * xn - x + AA * xn2 * (1 - AA) / (xn2 + 1) + AA;
        case 52:
            return AA * xn - x + AA * y * xn * (1 - AA) / (xn2 + 1) + AA;
        case 55:
            return AA * xn - x + 2 * xn2 * (y - AA) / (xn2 + 1) + AA;
    }
    return Number(0);
}

// Formulas 23 to 40: the new x.
ZEPHYRIN_FORMULA_INLINE Number HValue(int formula, Number x, Number y, Number AA, Number sign) {
    const Number r2 = x * x + y * y;
    switch (formula) {
        case 23:
            return -constPI / 2 * x + y + 100 * x / (x * x + 2);
        case 24:
            return -x / 2 + y + 100 * x / (x * x + 1);
        case 25:
            return -x / 2 + y + sign * (x - AA) * (x + y) / r2;
        case 26:
            return -x / 2 + y + sign * 10 * x / (x * x + 1);
        case 27:
            return -x / 2 + y + sign * (2 - constPI * x) / (x * x + 2);
        case 28:
            return -x / 8 + y + sign * (2 - constPI * x) / (x * x + 2);
        case 29:
            return -sign * x / 2 + y + 100 * (x - y) * (constPI - sin(x)) * AA / r2;
        case 30:
            return -x / 2 + y + 100 * (x - y) / r2;
        case 31:
            return -x / 2 + y + 100 * ((x - y) / 2 + sin(x - y)) / r2;
        case 32:
            return x / 2 + y + (1 - x) / fabs(x * x - y);
        case 33:
            return x / 2 + y + (sign - x) / fabs(x * x + y);
        case 34:
            return x / 2 + y + 20 * (sign + x) / sqrt(1 + fabs(r2));
        case 35:
            return x / 2 + y + (50 * sign - x) / sqrt(fabs(r2));
        case 36:
            return -x / 3 + y + 10 * (1 - x) / sqrt(fabs(r2));
        case 37:
            return x / 2 + y + AA * 10 * fabs(x - y) / (x + fabs(r2) / 10);
        case 38:
            return -x / 1.1 + y + 10 * fabs(x - y) / fabs(x * x / 10 + y * y / 10);
        case 39:
            return x / 1.2 + y + 100 * fabs(x - y) / fabs(r2);
        case 40:
            return -x / 1.01 + y + 100 * sin(constPI + x) / fabs(r2);
    }
    return Number(0);
}

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
ZEPHYRIN_FORMULA_INLINE void RescueEach(P& lanes, typename P::Num& x, typename P::Num& y) {
    const auto far = P::Lift(10000.0), near = P::Lift(1e-4);
    const auto xOut = P::Or(P::Greater(P::Abs(x), far), P::Less(P::Abs(x), near));
    if (P::Any(xOut)) x = P::Select(xOut, lanes.Draw(2.0), x);
    const auto yOut = P::Or(P::Greater(P::Abs(y), far), P::Less(P::Abs(y), near));
    if (P::Any(yOut)) y = P::Select(yOut, lanes.Draw(2.0), y);
}

// Replaces a point whose coordinates both ran away or both fell into the
// origin by a random one; returns where it did.
template <OrbitLanes P>
ZEPHYRIN_FORMULA_INLINE typename P::Mask RescueBoth(P& lanes, typename P::Num& x, typename P::Num& y,
                                                    double randomizer) {
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
ZEPHYRIN_FORMULA_INLINE void ApplyShape(P& lanes, const StepRules& rules, const Af& af,
                                        StepVars<typename P::Num> s) {
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
ZEPHYRIN_FORMULA_INLINE typename P::Mask StepOrbit(P& lanes, const StepRules& rules, const Af& af,
                                                   StepVars<typename P::Num> s) {
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
