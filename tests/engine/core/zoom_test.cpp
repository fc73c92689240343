// Zooming into a selection, with the worked examples of a fresh 400 x 300 window.
#include "engine/core/zoom.h"

#include <gtest/gtest.h>

#include "engine/core/view_coords.h"

namespace zephyrin {
namespace {

TFractalRec FreshWindow() {
    TFractalRec v;
    v.listWidth = 400;
    v.listHeight = 300;
    ResetCoordinates(v);
    FreezeView(v);
    return v;
}

TEST(Zoom, ASelectionTakesThePicturesProportions) {
    // Centre (150, 110), mean side 60: 400 / 350 * 60 = 68.57 by 300 / 350 * 60 = 51.43.
    EXPECT_EQ(ProportionedSelection({100, 100, 100, 20}, 400, 300), (PixelRect{116, 84, 69, 51}));
}

TEST(Zoom, TheTopLeftQuarter) {
    TFractalRec v = FreshWindow();
    SelectZoomRectangle(v, {0, 0, 200, 150}, 400, 300);
    EXPECT_DOUBLE_EQ(v.zoomXMin, -700.0 / 3);
    EXPECT_EQ(v.zoomXMax, 0.0);
    EXPECT_EQ(v.zoomYMin, -175.0);
    EXPECT_EQ(v.zoomYMax, 0.0);
    // q = (116.67 + 87.5) / 2 = 102.083
    EXPECT_DOUBLE_EQ(v.zoomSelected, 2.0 / 102.083333333333333);
    ASSERT_TRUE(CanZoomIntoSelection(v));
    ZoomIntoSelection(v);
    EXPECT_DOUBLE_EQ(v.xCenter, -350.0 / 3);
    EXPECT_EQ(v.yCenter, -87.5);

    // The same quarter of a picture reduced 2:1 (800 x 600 drawn, 400 x 300 shown).
    TFractalRec reduced = FreshWindow();
    reduced.listWidth = 800;
    reduced.listHeight = 600;
    SelectZoomRectangle(reduced, {0, 0, 200, 150}, 400, 300);
    EXPECT_EQ(reduced.zoomSelected, v.zoomSelected);
}

TEST(Zoom, ARectangleWithoutExtentCannotBeZoomedInto) {
    TFractalRec v = FreshWindow();
    SelectZoomRectangle(v, {10, 10, 0, 0}, 400, 300);
    EXPECT_EQ(v.zoomSelected, 0.0);
    EXPECT_FALSE(CanZoomIntoSelection(v));
}

TEST(Zoom, TheTopLeftPixelShowsTheViewsCorner) {
    const TFractalRec v = FreshWindow();
    const OrbitPoint corner = PointAtPixel(v, ScaleOfPicture(v, 400, 300), 0, 0);
    EXPECT_DOUBLE_EQ(corner.x, -700.0 / 3);
    EXPECT_EQ(corner.y, -175.0);
}

// Zooming in by 1.25 about a point keeps that point where it was; zooming out
// by 2 about the centre doubles the spans.
TEST(Zoom, AboutAPoint) {
    TFractalRec v = FreshWindow();
    v.xCenter = 10;
    ASSERT_TRUE(ZoomAbout(v, {110, -40}, 1.25));
    EXPECT_EQ(v.zoom, 0.0125);
    EXPECT_EQ(v.xCenter, 110 - 100 / 1.25);
    EXPECT_EQ(v.yCenter, -40 + 40 / 1.25);

    ASSERT_TRUE(ZoomAbout(v, {v.xCenter, v.yCenter}, 0.5));
    EXPECT_EQ(v.zoom, 0.00625);

    // Far enough out the view's edges would overflow: nothing changes.
    const TFractalRec before = v;
    EXPECT_FALSE(ZoomAbout(v, {0, 0}, 1e-301));
    EXPECT_EQ(v.zoom, before.zoom);
    EXPECT_EQ(v.xCenter, before.xCenter);
}

}  // namespace
}  // namespace zephyrin
