// The preview draws small frames the same way each time, and a still path's
// density frames keep one brightness.
#include "engine/animate/frame_preview.h"

#include <gtest/gtest.h>

#include "engine/core/defaults.h"
#include "engine/core/view_coords.h"

namespace zephyrin {
namespace {

double MeanGreen(const Picture& picture) {
    double sum = 0;
    for (int row = 0; row < picture.Height(); ++row)
        for (int column = 0; column < picture.Width(); ++column)
            sum += Picture::Green(picture.Pixel(column, row));
    return sum / (picture.Width() * picture.Height());
}

// Formula 70 with three halvings: the Sierpinski triangle, centred.
Keyframe Sierpinski(bool density) {
    TFractalRec v = NewWindowRecord(640, 480);
    v.randomStart = kFalse;
    v.varSwirl = kFalse;
    v.zoom = 3;
    v.xCenter = v.yCenter = 0.5;
    for (const int j : {0, 19, 39}) {
        v.af[j + 1] = v.af[j + 4] = 0.5;
        v.af[j + 5] = j == 19 ? 0.5 : 0;
        v.af[j + 6] = j == 39 ? 0.5 : 0;
    }
    FreezeView(v);
    return {.record = v,
            .density = {.mode = density ? ColouringMode::kDensity : ColouringMode::kClassic},
            .frames = 6};
}

TEST(FramePreview, SmallRepeatableAndSteady) {
    const Animation still{.keyframes = {Sierpinski(true), Sierpinski(true)}};
    FramePreview preview(still, {Gradient(), Gradient()}, 80, 60, 200000, 1);
    const Picture first = preview.Draw(3);
    EXPECT_EQ(first.Width(), 80);
    EXPECT_EQ(first.Height(), 60);
    EXPECT_TRUE(preview.Draw(3) == first);
    const double brightness = MeanGreen(first);
    EXPECT_GT(brightness, 10);
    for (const std::int64_t frame : {0, 1, 5, 6})
        EXPECT_NEAR(MeanGreen(preview.Draw(frame)), brightness, 0.02 * brightness);

    const Animation classic{.keyframes = {Sierpinski(false), Sierpinski(false)}};
    FramePreview classicPreview(classic, {Gradient(), Gradient()}, 80, 60, 200000, 1);
    EXPECT_GT(MeanGreen(classicPreview.Draw(2)), 1);
}

}  // namespace
}  // namespace zephyrin
