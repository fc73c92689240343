#include "imaging/gradient.h"

#include <gtest/gtest.h>

#include <limits>

namespace zephyrin {
namespace {

// Positions that are table entries (k / 1024) look up exactly.
void ExpectColour(const Gradient& gradient, float t, GradientColour wanted) {
    const GradientColour c = gradient.At(t);
    EXPECT_NEAR(c.r, wanted.r, 1e-5) << "at " << t;
    EXPECT_NEAR(c.g, wanted.g, 1e-5) << "at " << t;
    EXPECT_NEAR(c.b, wanted.b, 1e-5) << "at " << t;
}

TEST(Gradient, BuiltInsStartBlackGreyIsFirstAndNamesAreFoundWhateverTheirCase) {
    const auto names = BuiltInGradientNames();
    ASSERT_GE(names.size(), 8u);
    EXPECT_EQ(names.front(), "grey");
    for (const std::string_view name : names) {
        const std::optional<Gradient> gradient = BuiltInGradient(name);
        ASSERT_TRUE(gradient) << name;
        EXPECT_EQ(gradient->Name(), name);
        ExpectColour(*gradient, 0, {0, 0, 0});
    }
    const Gradient grey = *BuiltInGradient("GREY");
    ExpectColour(grey, 0.25f, {0.25f, 0.25f, 0.25f});
    ExpectColour(grey, 1, {1, 1, 1});
    ExpectColour(grey, 7, {1, 1, 1});
    ExpectColour(grey, -1, {0, 0, 0});

    EXPECT_FALSE(BuiltInGradient("mauve"));
    const Result<Gradient> unknown = FindGradient("mauve");
    ASSERT_FALSE(unknown);
    EXPECT_NE(unknown.error().find("grey, fire"), std::string::npos) << unknown.error();
}

TEST(Gradient, ColoursOutOfRangeOrNaNAreTakenInRange) {
    const Gradient odd("odd", [](double t) {
        return GradientColour{std::numeric_limits<float>::quiet_NaN(), static_cast<float>(t * 4), -1};
    });
    ExpectColour(odd, 0, {0, 0, 0});
    ExpectColour(odd, 0.125f, {0, 0.5f, 0});
    ExpectColour(odd, 1, {0, 1, 0});
}

}  // namespace
}  // namespace zephyrin
