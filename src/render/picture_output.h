#pragma once

#include <string>
#include <vector>

#include "engine/core/count_grid.h"
#include "imaging/gradient.h"
#include "imaging/picture.h"
#include "render/drawing_setup.h"
#include "render/render_options.h"
#include "util/result.h"

namespace zephyrin {

class ThreadPool;

// A drawing done, to be coloured and written.
struct FinishedDrawing {
    const DrawingSetup& setup;  // its record: the start its parameters are written from
    const Gradient& gradient;
    std::int32_t supersample = 1;
    const CountGrid* counts = nullptr;  // where the counts tell the colours
    Picture* painted = nullptr;         // the full-size picture painted as it went, if any
    ThreadPool* pool = nullptr;         // the drawing's threads, to colour on; none: this one
};

// Whether the options' picture is a PNG file, whose rows are coloured as they are written.
bool WritesPngRows(const RenderOptions& options);

// Colours the drawing (by density, from the painted picture, or from the
// counts in the classic colouring), reduces it by the supersampling and
// writes the options' picture with the parameters inside where its format
// carries them, and their parameter file beside it (unless --no-params).
// Returns the notes to show (a change of colours the format needed).
// Failures name the file, or the memory that ran short.
[[nodiscard]] Result<std::vector<std::string>> WritePictureFiles(const FinishedDrawing& drawing,
                                                                 const RenderOptions& options);

}  // namespace zephyrin
