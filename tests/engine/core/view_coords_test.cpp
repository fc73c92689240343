#include "engine/core/view_coords.h"

#include <gtest/gtest.h>

#include <limits>

namespace zephyrin {
namespace {

TFractalRec StartView(int width, int height) {
    TFractalRec v;
    v.listWidth = width;
    v.listHeight = height;
    ResetCoordinates(v);
    AdjustCoords(v);
    return v;
}

TEST(ViewCoordinates, ResetGivesTheStartView) {
    TFractalRec v;
    v.zoom = 3;
    v.xCenter = 7;
    v.zoomXMax = 9;
    ResetCoordinates(v);
    EXPECT_EQ(v.zoom, 0.01);
    EXPECT_EQ(v.zoomSelected, 0.01);
    EXPECT_EQ(v.xCenter, 0.0);
    EXPECT_EQ(v.yCenter, 0.0);
    EXPECT_EQ(v.zoomXMin, -1.0);
    EXPECT_EQ(v.zoomXMax, 1.0);
    EXPECT_EQ(v.zoomYMin, -1.0);
    EXPECT_EQ(v.zoomYMax, 1.0);
}

TEST(ViewCoordinates, FourByThreePictureAtTheStartView) {
    // h = 200; xAspect = (1 + 4/3) / 2 = 7/6, yAspect = (1 + 3/4) / 2 = 7/8.
    const TFractalRec v = StartView(400, 300);
    EXPECT_DOUBLE_EQ(v.xMin, -700.0 / 3);
    EXPECT_DOUBLE_EQ(v.xMax, 700.0 / 3);
    EXPECT_DOUBLE_EQ(v.yMin, -175.0);
    EXPECT_DOUBLE_EQ(v.yMax, 175.0);
    EXPECT_DOUBLE_EQ(v.xHalfSpan, 200.0);
}

TEST(ViewCoordinates, SquarePictureSpansTwoHundred) {
    const TFractalRec v = StartView(300, 300);
    EXPECT_DOUBLE_EQ(v.xMin, -200.0);
    EXPECT_DOUBLE_EQ(v.yMax, 200.0);
}

TEST(ViewCoordinates, AViewIsFiniteWhileTheWidestPicturesEdgesAre) {
    // A 1000000 x 1 picture stretches x by (1 + 1000000) / 2: its edges lie
    // 2 / zoom * 500000.5 = 1000001 / zoom from the centre, beyond the double
    // range for a zoom below 1000001 / 1.7977e308 = 5.563e-303.
    EXPECT_TRUE(ViewIsFinite(5.6e-303));
    EXPECT_FALSE(ViewIsFinite(5.5e-303));
    EXPECT_TRUE(ViewIsFinite(std::numeric_limits<double>::max()));
    EXPECT_FALSE(ViewIsFinite(0.0));
    EXPECT_FALSE(ViewIsFinite(-0.01));
    // At zoom 1e-301 the edges lie 1.0000005e307 from the centre.
    EXPECT_TRUE(ViewIsFinite(1e-301, 1.6e308));
    EXPECT_FALSE(ViewIsFinite(1e-301, -1.7e308));
}

TEST(ViewCoordinates, OnlyTheProportionsCount) {
    const TFractalRec small = StartView(400, 300), large = StartView(640, 480);
    EXPECT_DOUBLE_EQ(small.xMin, large.xMin);
    EXPECT_DOUBLE_EQ(small.yMax, large.yMax);
}

TEST(ViewCoordinates, ZoomedViewKeepsItsCentre) {
    TFractalRec v;
    v.listWidth = 400;
    v.listHeight = 300;
    v.xCenter = -116.66666666666667;
    v.yCenter = -87.5;
    v.zoom = 0.019591836734693877;  // half span 102.083...
    AdjustCoords(v);
    EXPECT_NEAR(v.xMin, -235.763888888889, 1e-9);
    EXPECT_NEAR(v.xMax, 2.430555555556, 1e-9);
    EXPECT_NEAR(v.yMin, -176.822916666667, 1e-9);
    EXPECT_NEAR(v.yMax, 1.822916666667, 1e-9);
}

}  // namespace
}  // namespace zephyrin
