#pragma once

#include <string>

#include "engine/colouring/density_settings.h"
#include "imaging/gradient.h"
#include "util/result.h"

namespace zephyrin {

// The gradient a density colouring draws with: the one it carries, else the
// built-in gradient of its name, else the .ggr file its name is the path of,
// which it then carries, so that the picture's files take the gradient
// along. Fails as FindGradient does.
[[nodiscard]] Result<Gradient> TakeGradient(DensitySettings& density);

// Chooses a built-in gradient or a .ggr file by name or path; another
// choice than the present one drops the gradient carried, for the next
// TakeGradient to find.
void ChooseGradient(DensitySettings& density, std::string nameOrPath);

}  // namespace zephyrin
