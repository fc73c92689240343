#pragma once

#include <cstdint>
#include <span>

#include "engine/core/fractal_rec.h"

namespace zephyrin {

// How a formula's step is built; the expressions themselves are in the
// formula code, by number.
enum class FormulaShape : std::uint8_t {
    kNone,                // the map leaves the point alone; only the rescue rules move it
    kW,                   // x from B, y and the running W; then W; then y
    kWAfterMove,          // a small move towards the origin, then as kW
    kThree,               // number 3's own step
    kTwoStage,            // xn from the old point, then y from xn
    kTwoStageAfterShift,  // x grown by 2e-05 |x|, then as kTwoStage
    kH,                   // xn from the old point, y := -x, then the per-coordinate rescue
    kAffine,              // one of three affine maps, by j
    kSineAffine,          // one of three affine maps with sines, by j
};

// What choosing a formula does to the constant B.
enum class BBRule : std::uint8_t { kOne, kOnePointZeroZeroFive, kUnchanged };

// One formula of the catalogue, as its menu item offers it.
struct FormulaInfo {
    int number;
    int menu;  // index into FormulaMenus()
    FormulaShape shape;
    BBRule bbRule;
    bool enabled;
    const char* caption;  // the formula as text, shown character for character
};

struct FormulaMenu {
    const char* objectName;
    const char* caption;
    std::span<const FormulaInfo> items;
};

// The 71 formulas of the menus, in menu order.
std::span<const FormulaInfo> Formulas();

// The five formula menus in menu-bar order.
std::span<const FormulaMenu> FormulaMenus();

// The formula with this number, or nullptr (0, 56 to 59, above 75, negative).
const FormulaInfo* FindFormula(int number);

// The shape of any number's step: kNone for numbers without a formula.
FormulaShape ShapeOf(int number);

// What a formula command does to the record before it restarts the picture:
// B by the formula's rule, a random start, and the number.
void SelectFormula(TFractalRec& v, int number);

}  // namespace zephyrin
