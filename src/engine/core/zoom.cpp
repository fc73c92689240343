#include "engine/core/zoom.h"

#include <cmath>

#include "engine/core/view_coords.h"
#include "util/rounding.h"

namespace zephyrin {

PixelRect ProportionedSelection(const PixelRect& selection, double pictureWidth, double pictureHeight) {
    const double W = pictureWidth, H = pictureHeight;
    const double cx = selection.width * 0.5 + selection.left;
    const double cy = selection.height * 0.5 + selection.top;
    const double s = (selection.width + selection.height) * 0.5;
    const double t = (W + H) * 0.5;
    return {RoundToInt32Clamped(cx - W / t * s * 0.5), RoundToInt32Clamped(cy - H / t * s * 0.5),
            RoundToInt32Clamped(W / t * s), RoundToInt32Clamped(H / t * s)};
}

void SelectZoomRectangle(TFractalRec& v, const PixelRect& selection, double pictureWidth,
                         double pictureHeight) {
    const double left = selection.left, top = selection.top;
    const double fx1 = left / pictureWidth, fx2 = (left + selection.width) / pictureWidth;
    const double fy1 = top / pictureHeight, fy2 = (top + selection.height) / pictureHeight;
    const double dx = v.xMax - v.xMin, dy = v.yMax - v.yMin;
    v.zoomXMin = dx * fx1 + v.xMin;
    v.zoomXMax = dx * fx2 + v.xMin;
    v.zoomYMin = dy * fy1 + v.yMin;
    v.zoomYMax = dy * fy2 + v.yMin;
    v.prevXCenter = v.xCenter;
    v.prevYCenter = v.yCenter;
    v.zoomXCenter = (v.zoomXMax - v.zoomXMin) * 0.5 + v.zoomXMin;
    v.zoomYCenter = (v.zoomYMax - v.zoomYMin) * 0.5 + v.zoomYMin;
    const double q =
        (std::fabs(v.zoomXMax - v.zoomXMin) * 0.5 + std::fabs(v.zoomYMax - v.zoomYMin) * 0.5) * 0.5;
    v.zoomSelected = q;
    if (q != 0) v.zoomSelected = 1.0 / q * 2.0;
}

bool CanZoomIntoSelection(const TFractalRec& v) {
    // A rectangle without extent has no magnification to zoom to, and a
    // magnification that overflows could not be saved.
    return v.zoomSelected > 0 && std::isfinite(v.zoomSelected);
}

void ZoomIntoSelection(TFractalRec& v) {
    v.xMin = v.zoomXMin;
    v.xMax = v.zoomXMax;
    v.yMin = v.zoomYMin;
    v.yMax = v.zoomYMax;
    v.xCenter = (v.xMax - v.xMin) * 0.5 + v.xMin;
    v.yCenter = (v.yMax - v.yMin) * 0.5 + v.yMin;
    v.zoom = v.zoomSelected;
}

bool ZoomAbout(TFractalRec& v, const OrbitPoint& fixed, double factor) {
    const double zoom = v.zoom * factor;
    const double xCenter = fixed.x + (v.xCenter - fixed.x) / factor;
    const double yCenter = fixed.y + (v.yCenter - fixed.y) / factor;
    if (!std::isfinite(zoom) || !ViewIsFinite(zoom, xCenter) || !ViewIsFinite(zoom, yCenter)) return false;
    v.zoom = zoom;
    v.xCenter = xCenter;
    v.yCenter = yCenter;
    return true;
}

PixelScale ScaleOfPicture(const TFractalRec& v, double pictureWidth, double pictureHeight) {
    return {(v.plotXMax - v.plotXMin) / pictureWidth, (v.plotYMax - v.plotYMin) / pictureHeight};
}

OrbitPoint PointAtPixel(const TFractalRec& v, const PixelScale& scale, std::int32_t column,
                        std::int32_t row) {
    return {column * scale.xPerPixel + v.plotXMin, row * scale.yPerPixel + v.plotYMin};
}

}  // namespace zephyrin
