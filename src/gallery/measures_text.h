#pragma once

#include <QString>

#include "engine/explore/orbit_measures.h"

namespace zephyrin {

// "L 0.123  D2 1.27  score 0.81", in the system's decimals; a measure the
// orbit has not shows as a dash, a formula without a step as "no measures".
QString measuresText(const OrbitMeasures& measures);

}  // namespace zephyrin
