#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/effects.h"
#include "engine/fractal_rec.h"
#include "render/render_options.h"
#include "util/result.h"

namespace zephyrin {

// Everything a drawing starts from.
struct DrawingSetup {
    TFractalRec record;
    Effects effects;
};

struct PreparedDrawing {
    DrawingSetup setup;
    std::vector<std::string> messages;  // the parameter file's missing lines; the drawing goes on
};

// The drawing the options describe, at the picture size times the supersample
// factor (which the caller has made sure fits). A parameter file is loaded
// over a new window's values, so lines it lacks keep those; it draws its own
// coefficients and start unless --random or --formula asks for a random start.
// Fails when the parameter file cannot be opened or read, or holds a line
// that cannot be read (after the complaints about lines before it, one per line).
Result<PreparedDrawing> PrepareDrawing(const RenderOptions& options);

}  // namespace zephyrin
