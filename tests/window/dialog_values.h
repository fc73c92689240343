#pragma once

// What the tests of the values between a window and the dialogs share: the
// Parameters dialog's boxes and the numbers as the dialogs write them back.
#include <QString>
#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "engine/core/fractal_rec.h"
#include "services/locale_format.h"

// QCOMPARE takes doubles as equal within a relative 1e-12; the scales here
// differ from double arithmetic only in the last bit.
#define COMPARE_EXACTLY(actual, expected)                                               \
    QVERIFY2((actual) == (expected), qPrintable(QStringLiteral("%1 is %2, expected %3") \
                                                    .arg(QStringLiteral(#actual))       \
                                                    .arg(double(actual), 0, 'g', 17)    \
                                                    .arg(double(expected), 0, 'g', 17)))

namespace zephyrin::testing {

// A dialog settles two 250 ms ticks after its last change; waiting for it is
// capped only against hanging, far above that on a busy machine.
inline constexpr int kSettleCap = 10000;

// "%F" texts are written with the locale's separator.
inline QString Fixed(const char* text) {
    return QString::fromLatin1(text).replace(u'.', QLatin1Char(localeDecimalSeparator()));
}

// A spin's value as it comes back: written with nine decimals, parsed again.
inline double NineDecimals(double x) {
    char text[64];
    std::snprintf(text, sizeof text, "%.9f", x);
    return std::strtod(text, nullptr);
}

inline double& Real(TFractalRec& v, const QString& field) {
    if (field == u"red") return v.red;
    if (field == u"green") return v.green;
    if (field == u"blue") return v.blue;
    if (field == u"intensity") return v.intensity;
    if (field == u"factor2") return v.factor2;
    return v.randomizer;
}

// The eleven boxes of the Parameters dialog and the flags they stand for.
struct BoxFlag {
    const char* box;
    Flag TFractalRec::*flag;
};
inline constexpr BoxFlag kBoxes[] = {
    {"square_root", &TFractalRec::sqrtFilter},
    {"Invert", &TFractalRec::white},
    {"None", &TFractalRec::varNone},
    {"Linear", &TFractalRec::varLinear},
    {"Sinusoidal", &TFractalRec::varSinusoidal},
    {"Spherical", &TFractalRec::varSpherical},
    {"Swirl", &TFractalRec::varSwirl},
    {"Horseshoe", &TFractalRec::varHorseshoe},
    {"Polar", &TFractalRec::varPolar},
    {"Bent", &TFractalRec::varBent},
    {"Inversion", &TFractalRec::varInversion},
};

inline void ClearFlags(TFractalRec& v) {
    for (const auto& b : kBoxes) v.*b.flag = kFalse;
}

inline void AddBoxRows() {
    QTest::addColumn<QString>("box");
    for (const auto& b : kBoxes) QTest::newRow(b.box) << QString::fromLatin1(b.box);
}

}  // namespace zephyrin::testing
