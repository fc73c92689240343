#include "engine/core/formula_table.h"

#include <array>

namespace zephyrin {

namespace {

// Every fact about a formula but its expression lives in this table.
constexpr FormulaInfo kFormulas[] = {
    // clang-format off
    {1, 0, FormulaShape::kW, BBRule::kOne, true, "01.) x - 1/sqrt(x*x+y*y)*(x * sign)/20000;"},
    {2, 0, FormulaShape::kW, BBRule::kOnePointZeroZeroFive, true, "02.) const2PI*sign*AA + constPI + sin(constPI+sin(constPI+x));"},
    {3, 0, FormulaShape::kThree, BBRule::kOnePointZeroZeroFive, true, "03.) AA * x + y + sign*sqrt(abs(sqrt(abs((x*(constPI*AA))))));"},
    {4, 0, FormulaShape::kW, BBRule::kOne, true, "04.) -0.05*AA*x + (constPI-AA*x)*(AA*x*x)/(1+x*x);"},
    {5, 0, FormulaShape::kW, BBRule::kOnePointZeroZeroFive, true, "05.) sign*AA + AA*x*sin(constPI+x); // this is cool"},
    {6, 0, FormulaShape::kW, BBRule::kOnePointZeroZeroFive, true, "06.) (AA*x) + sign*((1 - AA)*(2*x*x))/(1+x*x) + sin(x);"},
    {7, 0, FormulaShape::kW, BBRule::kOnePointZeroZeroFive, true, "07.) sign*AA + sin(x) * sin(constPI+x); // this is cool"},
    {8, 0, FormulaShape::kW, BBRule::kOnePointZeroZeroFive, true, "08.) (AA*x) + (sign - AA)*(5*x*x)/(4 + x*x) + sin(sin(x));"},
    {9, 0, FormulaShape::kW, BBRule::kOnePointZeroZeroFive, true, "09.) sign*AA + AA + (1 - AA)*((2*x*x)/(constPI+x*x)) + sin(constPI+x);"},
    {10, 0, FormulaShape::kW, BBRule::kOnePointZeroZeroFive, true, "10.) sign*AA+sin(x)+AA;"},
    {11, 0, FormulaShape::kW, BBRule::kOnePointZeroZeroFive, true, "11.) sign*AA*(sin(x)+AA);"},
    {12, 0, FormulaShape::kTwoStage, BBRule::kOne, true, "12.) -x + AA * xn + 2 * xn * xn * (1 - AA) / (1 + xn * xn + sin(xn));"},
    {13, 0, FormulaShape::kTwoStage, BBRule::kOne, true, "13.) -x + AA * xn + y * xn * (1 - AA) / (1 +  xn * xn);"},
    {14, 0, FormulaShape::kTwoStage, BBRule::kOne, true, "14.) -x + AA * xn + 2 * y * xn * (1 - AA) / (1 +  xn*xn);"},
    {15, 0, FormulaShape::kTwoStage, BBRule::kOne, true, "15.) -x + AA * xn + 2 * y * xn * (1 - AA) / (1 + y * xn);"},
    {16, 0, FormulaShape::kTwoStage, BBRule::kOne, true, "16.) -x + AA * xn + 2 * y * y * (1 - AA) / (1 + y * y);"},
    {17, 0, FormulaShape::kTwoStage, BBRule::kOne, true, "17.) -x + AA * xn  + 2 * xn*xn * (1 - AA) / (1 + 2*xn*xn);"},
    {18, 0, FormulaShape::kTwoStage, BBRule::kOne, true, "18.) -x + AA * xn + 2 * xn * xn * (1 - AA) / (1 + xn * xn);"},
    {19, 0, FormulaShape::kTwoStage, BBRule::kOne, true, "19.) -x + AA * xn + AA * xn*xn * (1 - AA) / (1 + xn *xn);"},
    {20, 0, FormulaShape::kTwoStageAfterShift, BBRule::kOne, true, "20.) -x + AA*xn + 2*xn*xn * ((1 - AA) / (1 + xn*xn));"},
    {21, 0, FormulaShape::kTwoStageAfterShift, BBRule::kOne, true, "21.) -x + AA * xn + AA * 2*xn*xn * ((1 - AA) / (1 + xn*xn));"},
    {22, 0, FormulaShape::kWAfterMove, BBRule::kOnePointZeroZeroFive, true, "22.) AA*x - 20*AA*x*x*(1 - AA) / (1 + x*x+sin(1+x));"},
    {23, 1, FormulaShape::kH, BBRule::kUnchanged, true, "23.) -constPI / 2.0 * x + y + 100. * x / (x * x + 2.0);"},
    {24, 1, FormulaShape::kH, BBRule::kUnchanged, true, "24.) -x/2 + y + 100. * x / (x * x + 1.0);"},
    {25, 1, FormulaShape::kH, BBRule::kUnchanged, true, "25.) -x/2 + y + sign*((x - AA) * (x + y))/(x*x + y*y);"},
    {26, 1, FormulaShape::kH, BBRule::kUnchanged, true, "26.) -x/2 + y + sign * 10 * x  / (x * x + 1);"},
    {27, 1, FormulaShape::kH, BBRule::kUnchanged, true, "27.) -x/2 + y + sign * (2 - constPI * x)  / (x * x + 2);"},
    {28, 1, FormulaShape::kH, BBRule::kUnchanged, true, "28.) -x/8 + y + sign * (2 - constPI * x)  / (x * x + 2);"},
    {29, 1, FormulaShape::kH, BBRule::kUnchanged, true, "29.) -sign*x/2 + y + 100 * (x - y)*(constPI - sin(x))*AA  / (x*x + y*y);"},
    {30, 1, FormulaShape::kH, BBRule::kUnchanged, true, "30.) -x/2 + y + 100 * (x - y)  / (x * x + y * y );  // z113"},
    {31, 1, FormulaShape::kH, BBRule::kUnchanged, true, "31.) -x/2 + y + 100 * ((x - y)/2 + sin(x - y))  / (x * x + y * y );"},
    {32, 1, FormulaShape::kH, BBRule::kUnchanged, true, "32.) x/2 + y  + (1 - x)/abs(x*x - y);    // z107"},
    {33, 1, FormulaShape::kH, BBRule::kUnchanged, true, "33.) x/2 + y  + (1 - x)/abs(x*x - y);    // z107"},
    {34, 1, FormulaShape::kH, BBRule::kUnchanged, true, "34.) x/2 + y  + 20*(sign + x)/(sqrt(1+abs(x*x + y*y)));   // z109"},
    {35, 1, FormulaShape::kH, BBRule::kUnchanged, true, "35.) x/2 + y  + (50*sign - x)/sqrt(abs(x*x + y*y));   // z110"},
    {36, 1, FormulaShape::kH, BBRule::kUnchanged, true, "36.) -x/3 + y  + 10*(1 - x)/sqrt(abs(x*x + y*y));   // S - letter"},
    {37, 1, FormulaShape::kH, BBRule::kUnchanged, true, "37.) x/2 + y + AA*10*abs(x - y)/(x+abs(x*x + y*y)/10); // z111"},
    {38, 1, FormulaShape::kH, BBRule::kUnchanged, true, "38.) -x/1.1 + y  + 10*abs(x - y)/(abs(x*x/10 + y*y/10)); // z111"},
    {39, 1, FormulaShape::kH, BBRule::kUnchanged, true, "39.) x/1.2 + y  + 100*abs(x - y)/abs(x*x + y*y);  // z112"},
    {40, 1, FormulaShape::kH, BBRule::kOne, true, "40.) -x/1.01 + y  + 100*sin(constPI+x)/abs(x*x + y*y);  // z113"},
    {41, 2, FormulaShape::kTwoStage, BBRule::kOne, true, "01.)"},
    {42, 2, FormulaShape::kTwoStage, BBRule::kOne, true, "02.)"},
    {43, 2, FormulaShape::kTwoStage, BBRule::kOne, true, "03.)"},
    {44, 2, FormulaShape::kTwoStage, BBRule::kOne, true, "04.)"},
    {45, 2, FormulaShape::kTwoStage, BBRule::kOne, true, "05.)"},
    {46, 2, FormulaShape::kTwoStage, BBRule::kOne, true, "06.)"},
    {47, 2, FormulaShape::kTwoStage, BBRule::kOne, true, "07.)"},
    {48, 2, FormulaShape::kTwoStage, BBRule::kOne, true, "08.)"},
    {49, 2, FormulaShape::kTwoStage, BBRule::kOne, true, "09.)"},
    {50, 2, FormulaShape::kTwoStage, BBRule::kOne, true, "10.)"},
    {51, 2, FormulaShape::kTwoStage, BBRule::kOne, true, "11.)"},
    {52, 2, FormulaShape::kTwoStage, BBRule::kOne, true, "12.)"},
    {53, 2, FormulaShape::kTwoStage, BBRule::kOne, true, "13.)"},
    {54, 2, FormulaShape::kTwoStage, BBRule::kOne, true, "14.)"},
    {55, 2, FormulaShape::kTwoStage, BBRule::kOne, true, "15.)"},
    {60, 3, FormulaShape::kW, BBRule::kOne, true, "60.) W := (1-AA*x) + (sin(constPI*x + sin(constPI*x) - (1 - AA)*(x*x)))/(1 + x*x)*sign;"},
    {61, 3, FormulaShape::kW, BBRule::kOne, true, "61.) W := (AA*x) + sign*(1-AA)*v.af[1]*(sin(x+sin(x)));"},
    {62, 3, FormulaShape::kW, BBRule::kOne, true, "62.) W := sign*AA*sin(v.af[3]*x) + AA*sin(v.af[5]*x); // 62"},
    {63, 3, FormulaShape::kW, BBRule::kOne, true, "63.) W := sign*AA*sin(v.af[1]*x+sin(v.af[2]*x)) + AA*sin(v.af[3]*x+sin(v.af[4]*x)); // OK"},
    {64, 3, FormulaShape::kW, BBRule::kOne, true, "64.) W := sign*AA*sin(v.af[1]*x)+AA*sin(v.af[2]*x+sin(v.af[3]*x)); // 64"},
    {65, 3, FormulaShape::kW, BBRule::kOne, true, "65.) W := sign*AA*sin(v.af[1]*x)+sign*AA*sin(v.af[2]*x+sign*sin(v.af[3]*x));"},
    {66, 3, FormulaShape::kW, BBRule::kOne, true, "66.) W := 0.5*AA*sign*(abs(y+x));"},
    {67, 3, FormulaShape::kNone, BBRule::kOne, false, "67.)"},
    {68, 3, FormulaShape::kNone, BBRule::kOne, false, "68.)"},
    {69, 3, FormulaShape::kNone, BBRule::kOne, false, "69.)"},
    {70, 4, FormulaShape::kAffine, BBRule::kOne, true, "70.) z := x*v.af[1 + j] + y*v.af[2 + j] + v.af[3 + j];"},
    {71, 4, FormulaShape::kSineAffine, BBRule::kOne, true, "71.) z := x*v.af[1 + j] + y*v.af[1 + j] + v.af[5 + j] + sin(x) - sin(y);"},
    {72, 4, FormulaShape::kW, BBRule::kOne, true, "72.) x := v.af[1 + j]*sign*(x+y); ; flare"},
    {73, 4, FormulaShape::kNone, BBRule::kOne, false, "73.)"},
    {74, 4, FormulaShape::kNone, BBRule::kOne, false, "74.)"},
    {75, 4, FormulaShape::kNone, BBRule::kOne, false, "75.)"},
    // clang-format on
};

struct MenuName {
    const char* objectName;
    const char* caption;
};

constexpr MenuName kMenuNames[] = {
    {"Formula1", "Formula'"}, {"Formula2", "Formula''"}, {"Formula3", "Plankton'''"},
    {"Sinus1", "Formula'''"}, {"IFS1", "IFS"},
};
constexpr int kMenuCount = static_cast<int>(std::size(kMenuNames));

// The table's rows are in menu order, so each menu's items are one run of them.
constexpr std::array<FormulaMenu, kMenuCount> MakeMenus() {
    std::array<FormulaMenu, kMenuCount> menus{};
    const std::span<const FormulaInfo> all(kFormulas);
    std::size_t first = 0;
    for (int menu = 0; menu < kMenuCount; ++menu) {
        std::size_t end = first;
        while (end < all.size() && all[end].menu == menu) ++end;
        menus[menu] = {kMenuNames[menu].objectName, kMenuNames[menu].caption,
                       all.subspan(first, end - first)};
        first = end;
    }
    return menus;
}

constexpr std::array kMenus = MakeMenus();

// The step looks the shape up here, by number.
constexpr int kLargestNumber = 75;
constexpr std::array<FormulaShape, kLargestNumber + 1> MakeShapes() {
    std::array<FormulaShape, kLargestNumber + 1> shapes{};
    for (const FormulaInfo& formula : kFormulas) shapes[formula.number] = formula.shape;
    return shapes;
}

constexpr std::array kShapes = MakeShapes();

}  // namespace

std::span<const FormulaInfo> Formulas() {
    return kFormulas;
}

std::span<const FormulaMenu> FormulaMenus() {
    return kMenus;
}

const FormulaInfo* FindFormula(int number) {
    for (const FormulaInfo& formula : kFormulas)
        if (formula.number == number) return &formula;
    return nullptr;
}

FormulaShape ShapeOf(int number) {
    if (number < 0 || number > kLargestNumber) return FormulaShape::kNone;
    return kShapes[static_cast<std::size_t>(number)];
}

void SelectFormula(TFractalRec& v, int number) {
    if (const FormulaInfo* formula = FindFormula(number)) {
        if (formula->bbRule == BBRule::kOne) v.BB = 1.0;
        if (formula->bbRule == BBRule::kOnePointZeroZeroFive) v.BB = 1.005;
    }
    v.randomStart = kTrue;
    v.formula = number;
}

}  // namespace zephyrin
