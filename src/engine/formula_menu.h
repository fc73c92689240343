#pragma once

#include <span>

#include "engine/fractal_rec.h"

namespace zephyrin {

// What choosing a formula does to the constant B.
enum class BBRule { kOne, kOnePointZeroZeroFive, kUnchanged };

struct FormulaItem {
    int number;
    const char* caption;  // the formula as text, shown character for character
    BBRule bbRule;
    bool enabled;
};

struct FormulaMenu {
    const char* objectName;
    const char* caption;
    std::span<const FormulaItem> items;
};

// The five formula menus in menu-bar order, 71 items in all.
std::span<const FormulaMenu> FormulaMenus();

// The item for a formula number, or nullptr (0, 56 to 59, above 75).
const FormulaItem* FindFormulaItem(int number);

// What a formula command does to the record before it restarts the picture:
// B by the item's rule, a random start, and the number.
void SelectFormula(TFractalRec& v, int number);

}  // namespace zephyrin
