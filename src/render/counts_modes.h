#pragma once

#include <span>
#include <string_view>

#include "engine/file/counts_file.h"
#include "render/render_console.h"
#include "render/render_options.h"
#include "render/render_team.h"

namespace zephyrin {

// zephyrin-render COUNTS.tif --iterations N: draws N more iterations into a
// counts file's counts with streams of a run of their own (of --seed, or of
// the file's first seed), or with N = 0 only colours them; then writes
// what the options ask for. Returns the exit status. A share (--share, or
// a member of a `team`) draws its part of N with streams of its own
// (ShareSeed of the run's seed), each a seed with a run of its own in the
// counts; only the first share draws on the file's counts, so that the
// shares added up are the whole run.
int ContinueCounts(const RenderOptions& options, RenderConsole& console, RenderTeam* team = nullptr);

// zephyrin-render --merge A.tif B.tif ...: adds up the counts of drawings
// that differ in nothing but their seeds and colouring, then writes what
// the options ask for. Returns the exit status.
int MergeCounts(const RenderOptions& options, RenderConsole& console);

// Shared by both: the first of `names` among the options given, or empty.
std::string_view FirstGiven(const RenderOptions& options, std::span<const std::string_view> names);

// Shared by both: colours the counts as the options ask (over the file's own
// colouring), writes the outputs and says the notes. Returns the exit status.
int FinishCounts(CountsFile& file, const RenderOptions& options, RenderConsole& console);

}  // namespace zephyrin
