// The formula catalogue: one step of the map selected by v->formula. Within
// each shape the right-hand sides use the point as it was before the step
// unless the shape says otherwise.
#include <cmath>

#include "engine/engine.h"
#include "engine/formula_table.h"

namespace zephyrin {

namespace {

using std::fabs;
using std::sin;
using std::sqrt;

// The map value W of the W-shaped formulas, from the new x and the old y.
double WValue(int formula, double x, double y, double AA, double sign, const Coefficients& af) {
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
    return 0;
}

// F0 = BB*y + AA*x + 2*x^2*(1 - AA)/(x^2 + 1), the x part most two-stage rows share.
double F0(double x, double y, double AA, double BB) {
    return BB * y + AA * x + 2 * (x * x) * (1 - AA) / (x * x + 1);
}

// Two-stage formulas: the new x (F, from the old point; p is the previous xn).
double XnValue(int formula, double x, double y, double AA, double BB, double p) {
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
double GValue(int formula, double xn, double x, double y, double AA, double BB) {
    const double xn2 = xn * xn;
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
    return 0;
}

// Formulas 23 to 40: the new x.
double HValue(int formula, double x, double y, double AA, double sign) {
    const double r2 = x * x + y * y;
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
    return 0;
}

}  // namespace

void Engine::ApplyFormula() {
    const int formula = v->formula;
    switch (ShapeOf(formula)) {
        case FormulaShape::kWAfterMove:
            x = x - (x * sign) * 5e-05 / sqrt(x * x + y * y);
            [[fallthrough]];
        case FormulaShape::kW:
            xOld = x;
            x = BB * y + W;
            W = WValue(formula, x, y, AA, sign, v->af);
            y = W - xOld;
            return;
        case FormulaShape::kThree:
            vx = AA * x + y + sign * sqrt(fabs(sqrt(fabs(constPI * AA * x))));
            y = AA - x;
            x = vx;
            return;
        case FormulaShape::kTwoStageAfterShift:
            x = x + x * sign * 2e-05;
            [[fallthrough]];
        case FormulaShape::kTwoStage:
            xn = XnValue(formula, x, y, AA, BB, xn);
            y = GValue(formula, xn, x, y, AA, BB);
            x = xn;
            return;
        case FormulaShape::kH:
            xn = HValue(formula, x, y, AA, sign);
            y = -x;
            x = xn;
            CheckRunaway();
            return;
        case FormulaShape::kAffine: {
            const Coefficients& af = v->af;
            const double nx = x * af[j + 1] + y * af[j + 3] + af[j + 5];
            const double ny = x * af[j + 2] + y * af[j + 4] + af[j + 6];
            x = nx;
            y = ny;
            return;
        }
        case FormulaShape::kSineAffine: {
            const Coefficients& af = v->af;
            const double nx = sin(x) + x * af[j + 1] + y * af[j + 1] + af[j + 5] - sin(y);
            const double ny = sin(x) + x * af[j + 2] + y * af[j + 2] + af[j + 6] - sin(y);
            x = nx;
            y = ny;
            return;
        }
        case FormulaShape::kNone:
            return;
    }
}

}  // namespace zephyrin
