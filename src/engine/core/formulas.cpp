// One step of the map selected by v->formula.
#include <cmath>

#include "engine/core/engine.h"
#include "engine/core/formula_table.h"

namespace zephyrin {

namespace {

using Number = double;
using std::fabs;
using std::sin;
using std::sqrt;

#include "engine/core/formula_expressions.inc"

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
