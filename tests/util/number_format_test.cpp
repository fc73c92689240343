#include "util/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zephyrin {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(FloatToStr, FixedNotationIsShortestWithinFifteenDigits) {
    EXPECT_EQ(FloatToStr(0.25, '.'), "0.25");
    EXPECT_EQ(FloatToStr(0.25, ','), "0,25");
    EXPECT_EQ(FloatToStr(10.0, '.'), "10");
    EXPECT_EQ(FloatToStr(-3.0, ','), "-3");
    EXPECT_EQ(FloatToStr(0.0, '.'), "0");
    EXPECT_EQ(FloatToStr(-0.0, '.'), "0");
    EXPECT_EQ(FloatToStr(0.1, '.'), "0.1");
    EXPECT_EQ(FloatToStr(2.0 / 3.0, '.'), "0.666666666666667");
    EXPECT_EQ(FloatToStr(-233.333333333333333, '.'), "-233.333333333333");
    EXPECT_EQ(FloatToStr(1234567.0, '.'), "1234567");
    EXPECT_EQ(FloatToStr(123456789012345.0, '.'), "123456789012345");
    EXPECT_EQ(FloatToStr(0.00001, '.'), "0.00001");
    EXPECT_EQ(FloatToStr(-0.000015, ','), "-0,000015");
}

TEST(FloatToStr, ScientificBelowOneHundredThousandthAndBeyondFifteenIntegerDigits) {
    EXPECT_EQ(FloatToStr(0.0000015, '.'), "1.5E-6");
    EXPECT_EQ(FloatToStr(-2.5e-10, ','), "-2,5E-10");
    EXPECT_EQ(FloatToStr(9.99999999999999e-6, '.'), "9.99999999999999E-6");
    EXPECT_EQ(FloatToStr(1e20, '.'), "1E20");
    EXPECT_EQ(FloatToStr(1234567890123456.0, '.'), "1.23456789012346E15");
    // Rounding to 15 digits decides the notation: this has 16 integer digits then.
    EXPECT_EQ(FloatToStr(999999999999999.9, '.'), "1E15");
    // The largest values would round beyond the range; the largest text within it stands in.
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::max(), '.'), "1.79769313486231E308");
    EXPECT_EQ(FloatToStr(-std::nextafter(std::numeric_limits<double>::max(), 0.0), ','),
              "-1,79769313486231E308");
    EXPECT_EQ(StrToFloat("1.79769313486231E308", '.'), 1.79769313486231e308);
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::denorm_min(), '.'), "4.94065645841247E-324");
}

TEST(FloatToStr, NonFiniteTextsAreNotReadBack) {
    EXPECT_EQ(FloatToStr(kNaN, '.'), "NAN");
    EXPECT_EQ(FloatToStr(kInf, '.'), "INF");
    EXPECT_EQ(FloatToStr(-kInf, ','), "-INF");
    for (const char* text : {"NAN", "INF", "-INF", "nan", "inf", "infinity", "1e999", "-1e999"}) {
        EXPECT_FALSE(StrToFloat(text, '.')) << text;
    }
}

TEST(FloatToStr, ReadsBackToFifteenSignificantDigits) {
    for (char separator : {'.', ','}) {
        for (double value : {2.0 / 3.0, -1.0 / 7.0, 3.14159265358979323, 1e-7 / 3.0, -4e20 / 3.0, 1e300 / 7.0,
                             6.02214076e23, std::numeric_limits<double>::denorm_min()}) {
            const std::string text = FloatToStr(value, separator);
            const auto back = StrToFloat(text, separator);
            ASSERT_TRUE(back) << text;
            EXPECT_LE(std::fabs(*back - value), std::fabs(value) * 5e-15) << text;
            EXPECT_EQ(FloatToStr(*back, separator), text);
        }
        for (double exact : {0.1, -1.5e-7, 123.456, 1e20, 0.00001, 5.0}) {
            EXPECT_EQ(StrToFloat(FloatToStr(exact, separator), separator), exact);
        }
    }
}

TEST(StrToFloat, AcceptsOnlyAWholeNumberWithTheGivenSeparator) {
    EXPECT_EQ(StrToFloat("0.25", '.'), 0.25);
    EXPECT_EQ(StrToFloat("0,25", ','), 0.25);
    EXPECT_EQ(StrToFloat("-1.5E-7", '.'), -1.5e-7);
    EXPECT_EQ(StrToFloat("1e+5", '.'), 1e5);
    EXPECT_EQ(StrToFloat("+2", '.'), 2.0);
    EXPECT_EQ(StrToFloat("7", ','), 7.0);
    EXPECT_EQ(StrToFloat(" \t-2,5 ", ','), -2.5);
    for (const char* text : {"", " \t", "1 2", "+ 2", "abc", "1e", "1,2,3", "+-2", "0x10", "1.5x"}) {
        EXPECT_FALSE(StrToFloat(text, '.')) << text;
    }
    EXPECT_FALSE(StrToFloat("0,25", '.'));
    EXPECT_FALSE(StrToFloat("0.25", ','));
}

TEST(IntegerTexts, WriteAndReadTheWholeInt32Range) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(70), "70");
    EXPECT_EQ(IntToStr(std::numeric_limits<std::int32_t>::min()), "-2147483648");
    EXPECT_EQ(StrToInt("70"), 70);
    EXPECT_EQ(StrToInt("-5"), -5);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("2147483647"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(StrToInt("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(StrToInt("\t70 "), 70);
    for (const char* text :
         {"", " ", "2147483648", "-2147483649", "70.0", "7 0", "- 7", "1e3", "0x10", "+-7", "-"}) {
        EXPECT_FALSE(StrToInt(text)) << text;
    }
}

TEST(FormatFixed, GivesExactlyTheAskedDecimals) {
    EXPECT_EQ(FormatFixed(-0.5, 2, '.'), "-0.50");
    EXPECT_EQ(FormatFixed(-233.333333333333333, 12, '.'), "-233.333333333333");
    EXPECT_EQ(FormatFixed(10.0, 2, ','), "10,00");
    // 2.675 is stored just below itself.
    EXPECT_EQ(FormatFixed(2.675, 2, '.'), "2.67");
    EXPECT_EQ(FormatFixed(1.0 / 3.0, 12, ','), "0,333333333333");
    EXPECT_EQ(FormatFixed(5.4, 0, '.'), "5");
    EXPECT_EQ(FormatFixed(5.4, -3, '.'), "5");
    EXPECT_EQ(FormatFixed(-0.001, 2, '.'), "0.00");
    EXPECT_EQ(FormatFixed(-0.0, 2, '.'), "0.00");
}

TEST(FormatFixed, CopesWithHugeAndNonFiniteValues) {
    const std::string huge = FormatFixed(-std::numeric_limits<double>::max(), 2, '.');
    EXPECT_EQ(huge.size(), 1u + 309u + 3u);
    EXPECT_EQ(huge.substr(0, 7), "-179769");
    EXPECT_EQ(huge.substr(huge.size() - 3), ".00");
    EXPECT_EQ(FormatFixed(kNaN, 2, '.'), "NAN");
    EXPECT_EQ(FormatFixed(kInf, 12, '.'), "INF");
    EXPECT_EQ(FormatFixed(-kInf, 2, ','), "-INF");
}

}  // namespace
}  // namespace zephyrin
