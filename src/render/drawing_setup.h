#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/colouring/density_settings.h"
#include "engine/core/effects.h"
#include "engine/core/fractal_rec.h"
#include "imaging/gradient.h"
#include "render/render_options.h"
#include "util/result.h"

namespace zephyrin {

// Everything a drawing starts from.
struct DrawingSetup {
    TFractalRec record;
    Effects effects;
    DensitySettings density = {};  // its mode: painted as drawn, or coloured from the counts of all threads
};

struct PreparedDrawing {
    DrawingSetup setup;
    Gradient gradient;                  // the density settings' gradient (TakeGradient)
    std::vector<std::string> messages;  // the parameter file's missing lines; the drawing goes on
};

// The drawing the options describe, at the picture size times the supersample
// factor (which the caller has made sure fits). A parameter file (.zpr, or the
// parameters inside a .png or .tif) is loaded over a new window's values, so
// lines it lacks keep those; it draws its own coefficients and start unless
// --random or --formula asks for a random start, and its density colouring
// unless the options change it, with the gradient the file carries, else
// the one it names (a relative path taken from the file's folder). Fails
// when the parameter file cannot be opened or read, or holds a line that
// cannot be read (after the complaints about lines before it, one per
// line), or the gradient cannot be found.
[[nodiscard]] Result<PreparedDrawing> PrepareDrawing(const RenderOptions& options);

// The same from a parameter file's text (an animation file's keyframe),
// named `caption` in the messages, instead of options.parameterFile.
[[nodiscard]] Result<PreparedDrawing> PrepareDrawingFromText(std::string_view text, std::string_view caption,
                                                             const RenderOptions& options);

// The options' colouring over the setup's: --white, --sqrt-filter and the
// density settings, any of which turns density colouring on. Returns the
// gradient of density colouring (an empty one for the classic colouring);
// fails when it cannot be found.
[[nodiscard]] Result<Gradient> ColourAsAsked(const RenderOptions& options, DrawingSetup& setup);

}  // namespace zephyrin
