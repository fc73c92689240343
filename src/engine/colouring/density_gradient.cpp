#include "engine/colouring/density_gradient.h"

#include "imaging/ggr_file.h"

namespace zephyrin {

Result<Gradient> TakeGradient(DensitySettings& density) {
    if (density.carried) return MakeGradient(*density.carried);
    if (std::optional<Gradient> builtIn = BuiltInGradient(density.gradient)) return *std::move(builtIn);
    if (!NamesGgrFile(density.gradient)) return FindGradient(density.gradient);
    Result<GradientDefinition> definition = ReadGgr(density.gradient);
    if (!definition) return Failure(definition.error());
    density.carried = CarriedGradient(*std::move(definition));
    return MakeGradient(*density.carried);
}

void ChooseGradient(DensitySettings& density, std::string nameOrPath) {
    if (nameOrPath == density.gradient) return;
    density.gradient = std::move(nameOrPath);
    density.carried = {};
}

}  // namespace zephyrin
