#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/fractal_rec.h"
#include "render/render_options.h"

namespace zephyrin {

// The window's effect switches, which a parameter file carries besides the record.
struct Effects {
    Flag colorMix = kFalse;
    Flag expansion = kFalse;
    Flag modulas = kFalse;
};

// Everything a drawing starts from.
struct DrawingSetup {
    TFractalRec record;
    Effects effects;
};

// A new window's record for a width x height drawing: the start view and the
// new-window values, a random start pending. The view is not frozen yet.
TFractalRec NewWindowRecord(std::int32_t width, std::int32_t height);

// Derives the view's edges for the record's size and freezes them for the
// drawing, as a window does when a drawing starts.
void FreezeView(TFractalRec& v);

struct PreparedDrawing {
    std::optional<DrawingSetup> setup;  // empty when the parameter file cannot be read
    std::vector<std::string> messages;  // the parameter file's complaints; the drawing goes on
    std::string error;
};

// The drawing the options describe, at the picture size times the supersample
// factor (which the caller has made sure fits). A parameter file is loaded
// over a new window's values, so lines it lacks keep those; it draws its own
// coefficients and start unless --random or --formula asks for a random start.
PreparedDrawing PrepareDrawing(const RenderOptions& options);

}  // namespace zephyrin
