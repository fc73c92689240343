#pragma once

#include <string_view>

#include "render/picture_output.h"
#include "render/render_options.h"
#include "util/result.h"

namespace zephyrin {

// Writes the drawing's PNG file (options.output, at options.pngLevel), its
// rows coloured as the encoder takes them, on the drawing's threads, where
// the counts tell the colours at the saved size (density colouring, or the
// classic colours without supersampling): no whole picture is held beside
// the counts. A painted or supersampled classic picture is made whole
// first. Failures name the file, or the memory that ran short.
[[nodiscard]] Result<> WritePng(const FinishedDrawing& drawing, const RenderOptions& options,
                                std::string_view parameters);

}  // namespace zephyrin
