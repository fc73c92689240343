#include "engine/core/view_coords.h"

#include <cmath>
#include <cstdint>

#include "util/drawing_memory.h"

namespace zephyrin {

void ResetCoordinates(TFractalRec& v) {
    v.zoom = 0.01;
    v.zoomSelected = v.zoom;
    v.xMin = -1.0;
    v.xMax = 1.0;
    v.yMin = -1.0;
    v.yMax = 1.0;
    v.zoomXMin = -1.0;
    v.zoomXMax = 1.0;
    v.zoomYMin = -1.0;
    v.zoomYMax = 1.0;
    v.xCenter = (v.xMax - v.xMin) * 0.5 + v.xMin;
    v.yCenter = (v.yMax - v.yMin) * 0.5 + v.yMin;
}

void AdjustCoords(TFractalRec& v) {
    const double h = 2.0 / v.zoom;
    v.xHalfSpan = h;
    v.yHalfSpan = h;
    v.xMax = v.xCenter + h;
    v.xMin = v.xCenter - h;
    v.yMax = v.yCenter + h;
    v.yMin = v.yCenter - h;
    v.xAspect = static_cast<double>(v.listWidth) / v.listHeight;
    v.yAspect = static_cast<double>(v.listHeight) / v.listWidth;
    // Each factor is the mean of 1 and the side ratio, so the view has the
    // picture's proportions and keeps about the same mean span.
    v.xAspect = v.xAspect + (1.0 - v.xAspect) * 0.5;
    v.yAspect = v.yAspect + (1.0 - v.yAspect) * 0.5;
    v.xMax = v.xMax + (h * v.xAspect - h);
    v.xMin = v.xMin - (h * v.xAspect - h);
    v.yMax = v.yMax + (h * v.yAspect - h);
    v.yMin = v.yMin - (h * v.yAspect - h);
}

bool ViewIsFinite(double zoom, double centre) {
    if (!(zoom > 0)) return false;
    // The most elongated picture stretches its long axis the most; the edges
    // grow with the aspect factor, so if these stay finite, all do.
    TFractalRec widest;
    widest.zoom = zoom;
    widest.xCenter = centre;
    widest.listWidth = static_cast<std::int32_t>(kMaxDrawingSide);
    widest.listHeight = 1;
    AdjustCoords(widest);
    return std::isfinite(widest.xMin) && std::isfinite(widest.xMax);
}

void FreezeView(TFractalRec& v) {
    AdjustCoords(v);
    v.plotXMin = v.xMin;
    v.plotYMin = v.yMin;
    v.plotXMax = v.xMax;
    v.plotYMax = v.yMax;
}

}  // namespace zephyrin
