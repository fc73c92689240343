#include "engine/formula_menu.h"

#include <array>

namespace zephyrin {

namespace {

constexpr FormulaItem kFormula1[] = {
    // clang-format off
    {1, "01.) x - 1/sqrt(x*x+y*y)*(x * sign)/20000;", BBRule::kOne, true},
    {2, "02.) const2PI*sign*AA + constPI + sin(constPI+sin(constPI+x));", BBRule::kOnePointZeroZeroFive, true},
    {3, "03.) AA * x + y + sign*sqrt(abs(sqrt(abs((x*(constPI*AA))))));", BBRule::kOnePointZeroZeroFive, true},
    {4, "04.) -0.05*AA*x + (constPI-AA*x)*(AA*x*x)/(1+x*x);", BBRule::kOne, true},
    {5, "05.) sign*AA + AA*x*sin(constPI+x); // this is cool", BBRule::kOnePointZeroZeroFive, true},
    {6, "06.) (AA*x) + sign*((1 - AA)*(2*x*x))/(1+x*x) + sin(x);", BBRule::kOnePointZeroZeroFive, true},
    {7, "07.) sign*AA + sin(x) * sin(constPI+x); // this is cool", BBRule::kOnePointZeroZeroFive, true},
    {8, "08.) (AA*x) + (sign - AA)*(5*x*x)/(4 + x*x) + sin(sin(x));", BBRule::kOnePointZeroZeroFive, true},
    {9, "09.) sign*AA + AA + (1 - AA)*((2*x*x)/(constPI+x*x)) + sin(constPI+x);", BBRule::kOnePointZeroZeroFive, true},
    {10, "10.) sign*AA+sin(x)+AA;", BBRule::kOnePointZeroZeroFive, true},
    {11, "11.) sign*AA*(sin(x)+AA);", BBRule::kOnePointZeroZeroFive, true},
    {12, "12.) -x + AA * xn + 2 * xn * xn * (1 - AA) / (1 + xn * xn + sin(xn));", BBRule::kOne, true},
    {13, "13.) -x + AA * xn + y * xn * (1 - AA) / (1 +  xn * xn);", BBRule::kOne, true},
    {14, "14.) -x + AA * xn + 2 * y * xn * (1 - AA) / (1 +  xn*xn);", BBRule::kOne, true},
    {15, "15.) -x + AA * xn + 2 * y * xn * (1 - AA) / (1 + y * xn);", BBRule::kOne, true},
    {16, "16.) -x + AA * xn + 2 * y * y * (1 - AA) / (1 + y * y);", BBRule::kOne, true},
    {17, "17.) -x + AA * xn  + 2 * xn*xn * (1 - AA) / (1 + 2*xn*xn);", BBRule::kOne, true},
    {18, "18.) -x + AA * xn + 2 * xn * xn * (1 - AA) / (1 + xn * xn);", BBRule::kOne, true},
    {19, "19.) -x + AA * xn + AA * xn*xn * (1 - AA) / (1 + xn *xn);", BBRule::kOne, true},
    {20, "20.) -x + AA*xn + 2*xn*xn * ((1 - AA) / (1 + xn*xn));", BBRule::kOne, true},
    {21, "21.) -x + AA * xn + AA * 2*xn*xn * ((1 - AA) / (1 + xn*xn));", BBRule::kOne, true},
    {22, "22.) AA*x - 20*AA*x*x*(1 - AA) / (1 + x*x+sin(1+x));", BBRule::kOnePointZeroZeroFive, true},
    // clang-format on
};

constexpr FormulaItem kFormula2[] = {
    // clang-format off
    {23, "23.) -constPI / 2.0 * x + y + 100. * x / (x * x + 2.0);", BBRule::kUnchanged, true},
    {24, "24.) -x/2 + y + 100. * x / (x * x + 1.0);", BBRule::kUnchanged, true},
    {25, "25.) -x/2 + y + sign*((x - AA) * (x + y))/(x*x + y*y);", BBRule::kUnchanged, true},
    {26, "26.) -x/2 + y + sign * 10 * x  / (x * x + 1);", BBRule::kUnchanged, true},
    {27, "27.) -x/2 + y + sign * (2 - constPI * x)  / (x * x + 2);", BBRule::kUnchanged, true},
    {28, "28.) -x/8 + y + sign * (2 - constPI * x)  / (x * x + 2);", BBRule::kUnchanged, true},
    {29, "29.) -sign*x/2 + y + 100 * (x - y)*(constPI - sin(x))*AA  / (x*x + y*y);", BBRule::kUnchanged, true},
    {30, "30.) -x/2 + y + 100 * (x - y)  / (x * x + y * y );  // z113", BBRule::kUnchanged, true},
    {31, "31.) -x/2 + y + 100 * ((x - y)/2 + sin(x - y))  / (x * x + y * y );", BBRule::kUnchanged, true},
    {32, "32.) x/2 + y  + (1 - x)/abs(x*x - y);    // z107", BBRule::kUnchanged, true},
    {33, "33.) x/2 + y  + (1 - x)/abs(x*x - y);    // z107", BBRule::kUnchanged, true},
    {34, "34.) x/2 + y  + 20*(sign + x)/(sqrt(1+abs(x*x + y*y)));   // z109", BBRule::kUnchanged, true},
    {35, "35.) x/2 + y  + (50*sign - x)/sqrt(abs(x*x + y*y));   // z110", BBRule::kUnchanged, true},
    {36, "36.) -x/3 + y  + 10*(1 - x)/sqrt(abs(x*x + y*y));   // S - letter", BBRule::kUnchanged, true},
    {37, "37.) x/2 + y + AA*10*abs(x - y)/(x+abs(x*x + y*y)/10); // z111", BBRule::kUnchanged, true},
    {38, "38.) -x/1.1 + y  + 10*abs(x - y)/(abs(x*x/10 + y*y/10)); // z111", BBRule::kUnchanged, true},
    {39, "39.) x/1.2 + y  + 100*abs(x - y)/abs(x*x + y*y);  // z112", BBRule::kUnchanged, true},
    {40, "40.) -x/1.01 + y  + 100*sin(constPI+x)/abs(x*x + y*y);  // z113", BBRule::kOne, true},
    // clang-format on
};

constexpr FormulaItem kPlankton[] = {
    // clang-format off
    {41, "01.)", BBRule::kOne, true},
    {42, "02.)", BBRule::kOne, true},
    {43, "03.)", BBRule::kOne, true},
    {44, "04.)", BBRule::kOne, true},
    {45, "05.)", BBRule::kOne, true},
    {46, "06.)", BBRule::kOne, true},
    {47, "07.)", BBRule::kOne, true},
    {48, "08.)", BBRule::kOne, true},
    {49, "09.)", BBRule::kOne, true},
    {50, "10.)", BBRule::kOne, true},
    {51, "11.)", BBRule::kOne, true},
    {52, "12.)", BBRule::kOne, true},
    {53, "13.)", BBRule::kOne, true},
    {54, "14.)", BBRule::kOne, true},
    {55, "15.)", BBRule::kOne, true},
    // clang-format on
};

constexpr FormulaItem kSinus[] = {
    // clang-format off
    {60, "60.) W := (1-AA*x) + (sin(constPI*x + sin(constPI*x) - (1 - AA)*(x*x)))/(1 + x*x)*sign;", BBRule::kOne, true},
    {61, "61.) W := (AA*x) + sign*(1-AA)*v.af[1]*(sin(x+sin(x)));", BBRule::kOne, true},
    {62, "62.) W := sign*AA*sin(v.af[3]*x) + AA*sin(v.af[5]*x); // 62", BBRule::kOne, true},
    {63, "63.) W := sign*AA*sin(v.af[1]*x+sin(v.af[2]*x)) + AA*sin(v.af[3]*x+sin(v.af[4]*x)); // OK", BBRule::kOne, true},
    {64, "64.) W := sign*AA*sin(v.af[1]*x)+AA*sin(v.af[2]*x+sin(v.af[3]*x)); // 64", BBRule::kOne, true},
    {65, "65.) W := sign*AA*sin(v.af[1]*x)+sign*AA*sin(v.af[2]*x+sign*sin(v.af[3]*x));", BBRule::kOne, true},
    {66, "66.) W := 0.5*AA*sign*(abs(y+x));", BBRule::kOne, true},
    {67, "67.)", BBRule::kOne, false},
    {68, "68.)", BBRule::kOne, false},
    {69, "69.)", BBRule::kOne, false},
    // clang-format on
};

constexpr FormulaItem kIfs[] = {
    // clang-format off
    {70, "70.) z := x*v.af[1 + j] + y*v.af[2 + j] + v.af[3 + j];", BBRule::kOne, true},
    {71, "71.) z := x*v.af[1 + j] + y*v.af[1 + j] + v.af[5 + j] + sin(x) - sin(y);", BBRule::kOne, true},
    {72, "72.) x := v.af[1 + j]*sign*(x+y); ; flare", BBRule::kOne, true},
    {73, "73.)", BBRule::kOne, false},
    {74, "74.)", BBRule::kOne, false},
    {75, "75.)", BBRule::kOne, false},
    // clang-format on
};

constexpr std::array kMenus = {
    FormulaMenu{"Formula1", "Formula'", kFormula1},
    FormulaMenu{"Formula2", "Formula''", kFormula2},
    FormulaMenu{"Formula3", "Plankton'''", kPlankton},
    FormulaMenu{"Sinus1", "Formula'''", kSinus},
    FormulaMenu{"IFS1", "IFS", kIfs},
};

}  // namespace

std::span<const FormulaMenu> FormulaMenus() {
    return kMenus;
}

const FormulaItem* FindFormulaItem(int number) {
    for (const FormulaMenu& menu : kMenus)
        for (const FormulaItem& item : menu.items)
            if (item.number == number) return &item;
    return nullptr;
}

void SelectFormula(TFractalRec& v, int number) {
    if (const FormulaItem* item = FindFormulaItem(number)) {
        if (item->bbRule == BBRule::kOne) v.BB = 1.0;
        if (item->bbRule == BBRule::kOnePointZeroZeroFive) v.BB = 1.005;
    }
    v.randomStart = kTrue;
    v.formula = number;
}

}  // namespace zephyrin
