#pragma once

#include <filesystem>
#include <ostream>

#include "render/render_options.h"

namespace zephyrin {

// --gallery N: finds N attractors (FindGallery) of the options' formula, or
// of every formula with --formula all, from the options' seed, keeping
// quasi-periodic orbits with --quasi-periodic; draws each with Render at
// the tile size (--size, 200 x 150 when not given; --iterations per tile, a
// million when not given) in density colouring unless --classic; and writes
// the contact sheet OUT.ext (the tiles in score order, best first, each
// numbered), OUT-01.zpr, OUT-02.zpr, ... in the same order (unless
// --no-params) and OUT.csv (tile, formula, seed, lyapunov, dimension,
// coverage, score, file; the coverage is the share of the tile's drawing
// that is lit). A tile drawn again from its parameter file with its seed,
// --iterations and --threads gives the same picture. Progress goes to `err`
// when `progressOnTerminal`; returns the exit status.
int RunGallery(const RenderOptions& options, std::ostream& out, std::ostream& err, bool progressOnTerminal);

// OUT-01.zpr for tile 1 of a sheet OUT.ext of `tiles` tiles: two digits,
// more when there are more than 99 tiles.
std::filesystem::path TileParameterFile(const std::filesystem::path& sheet, int tile, int tiles);

}  // namespace zephyrin
