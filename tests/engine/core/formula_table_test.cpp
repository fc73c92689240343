#include "engine/core/formula_table.h"

#include <gtest/gtest.h>

#include <string>

namespace zephyrin {
namespace {

TEST(FormulaMenus, SeventyOneItemsInFiveMenus) {
    int items = 0, disabled = 0;
    for (const FormulaMenu& menu : FormulaMenus()) {
        items += static_cast<int>(menu.items.size());
        for (const FormulaInfo& item : menu.items) disabled += !item.enabled;
    }
    EXPECT_EQ(FormulaMenus().size(), 5u);
    EXPECT_EQ(items, 71);
    EXPECT_EQ(disabled, 6);
    for (int number : {67, 68, 69, 73, 74, 75}) EXPECT_FALSE(FindFormula(number)->enabled) << number;
    for (int number : {0, 56, 57, 58, 59, 76}) EXPECT_EQ(FindFormula(number), nullptr) << number;
    EXPECT_STREQ(FormulaMenus()[2].caption, "Plankton'''");
    EXPECT_STREQ(FormulaMenus()[3].objectName, "Sinus1");
}

TEST(FormulaMenus, ThirtyThreeShowsTheExpressionOfThirtyTwo) {
    EXPECT_EQ(std::string(FindFormula(32)->caption).substr(4),
              std::string(FindFormula(33)->caption).substr(4));
    EXPECT_EQ(std::string(FindFormula(41)->caption), "01.)");
}

TEST(SelectFormula, SetsBByTheItemsRule) {
    const struct {
        int number;
        double bb;
    } cases[] = {{22, 1.005}, {2, 1.005}, {1, 1.0}, {40, 1.0}, {23, 0.5}, {39, 0.5}, {70, 1.0}, {57, 0.5}};
    for (const auto& c : cases) {
        TFractalRec v;
        v.BB = 0.5;
        SelectFormula(v, c.number);
        EXPECT_EQ(v.BB, c.bb) << c.number;
        EXPECT_EQ(v.formula, c.number);
        EXPECT_EQ(v.randomStart, kTrue);
    }
}

}  // namespace
}  // namespace zephyrin
