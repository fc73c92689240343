#pragma once

#include <string>
#include <vector>

#include "engine/core/count_grid.h"
#include "engine/file/counts_description.h"
#include "imaging/gradient.h"
#include "render/render_options.h"
#include "util/result.h"

namespace zephyrin {

// Writes what the options ask for of counts that tell their drawing's
// colours: the picture and its parameters (WritePictureFiles), the counts
// file and the density levels, ln(1 + H / m) / ln(1 + R / m) at the
// picture's size, as floats. Returns the notes to show; failures name the
// file or the memory that ran short.
[[nodiscard]] Result<std::vector<std::string>> WriteCountsOutputs(const CountGrid& counts,
                                                                  const CountsDescription& description,
                                                                  const Gradient& gradient,
                                                                  const RenderOptions& options);

}  // namespace zephyrin
