#pragma once

#include "engine/core/fractal_rec.h"

namespace zephyrin {

// Back to the start view: magnification 0.01 (half span 200) around (0, 0).
void ResetCoordinates(TFractalRec& v);

// Derives the view's edges from its centre, its magnification and the
// proportions of listWidth x listHeight.
void AdjustCoords(TFractalRec& v);

// Whether the view of `zoom` around `centre` (either axis) keeps finite edges
// in every picture shape a drawing may have. A view that overflows cannot be
// drawn, and its edges could not be saved as numbers.
bool ViewIsFinite(double zoom, double centre = 0.0);

// Derives the edges and freezes them into plotXMin .. plotYMax for the
// drawing that starts, which maps its points with them.
void FreezeView(TFractalRec& v);

}  // namespace zephyrin
