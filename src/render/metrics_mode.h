#pragma once

#include <ostream>
#include <string>

#include "engine/explore/orbit_measures.h"
#include "render/render_options.h"

namespace zephyrin {

// --metrics: measures (MeasureOrbit with kSettledBudget) the orbit that a
// drawing of the options starts from: the parameter file's record, the
// start --find finds, or the random start from the options' seed, made and
// rounded as the drawing makes it. Prints MetricsText to `out`, messages to `err`; returns the exit
// status, which is 0 for a formula without a step too (it has no measures).
int RunMetrics(const RenderOptions& options, std::ostream& out, std::ostream& err);

// "lyapunov=", "dimension=", "coverage=", "score=" and "orbit=" lines with
// '.' decimals whatever the locale; "nan" for a measure there is not.
std::string MetricsText(const OrbitMeasures& measures);

// A measure with `decimals` decimals and '.' as the point; "nan" for NaN.
std::string MeasureText(double value, int decimals);

}  // namespace zephyrin
