#pragma once

#include <cstdint>

#include "render/drawing_setup.h"
#include "render/render_options.h"
#include "util/result.h"

namespace zephyrin {

enum class Exploration { kReady, kNothingFound, kCannotFrame };

// The command line searches with a try budget alone, so that a seed finds
// the same attractor on any machine, however busy.
inline constexpr std::int32_t kRenderFindTries = 1000;

// --find: searches for an attractor of the setup's formula from `seed`
// (FindAttractor, keeping quasi-periodic orbits with --quasi-periodic),
// which also frames it; --fit: frames the setup's record
// (FitView), making a pending random start from `seed` first, as the drawing
// would. Either way the record's view is frozen again for the drawing.
// kNothingFound and kCannotFrame leave the setup as it was; fails only when
// memory runs short.
[[nodiscard]] Result<Exploration> Explore(DrawingSetup& setup, const RenderOptions& options,
                                          std::uint64_t seed);

}  // namespace zephyrin
