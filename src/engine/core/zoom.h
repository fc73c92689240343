#pragma once

#include <cstdint>

#include "engine/core/fractal_rec.h"

namespace zephyrin {

// Zooming into a rectangle selected over the picture. Picture sizes are
// those of the picture shown, which a reduction makes smaller than the
// drawing's; rectangles are in its pixels.

struct PixelRect {
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PixelRect&) const = default;
};

// The selection given the picture's proportions, keeping its centre and the
// mean of its width and height; each side and corner rounded half to even.
PixelRect ProportionedSelection(const PixelRect& selection, double pictureWidth, double pictureHeight);

// The pending zoom of a selection within the current view: the rectangle
// zoomXMin .. zoomYMax, its centre, the previous centre, and zoomSelected,
// the magnification that makes the next view's mean half span that of the
// rectangle (0 for a rectangle without extent).
void SelectZoomRectangle(TFractalRec& v, const PixelRect& selection, double pictureWidth,
                         double pictureHeight);

// Whether zooming into the pending rectangle gives a view a drawing can have.
bool CanZoomIntoSelection(const TFractalRec& v);

// The pending rectangle becomes the view: edges, centre and magnification.
void ZoomIntoSelection(TFractalRec& v);

// A point of the orbit's plane.
struct OrbitPoint {
    double x = 0, y = 0;
};

// Magnifies the view by `factor` (above 1 zooms in, below 1 out) keeping
// the point `fixed` where it is in the picture. Changes nothing and returns
// false when the new view could not be drawn or saved.
bool ZoomAbout(TFractalRec& v, const OrbitPoint& fixed, double factor);

// Orbit units per pixel of a picture of the running drawing.
struct PixelScale {
    double xPerPixel = 0, yPerPixel = 0;
};
PixelScale ScaleOfPicture(const TFractalRec& v, double pictureWidth, double pictureHeight);

// The orbit point shown at a pixel of that picture.
OrbitPoint PointAtPixel(const TFractalRec& v, const PixelScale& scale, std::int32_t column, std::int32_t row);

}  // namespace zephyrin
