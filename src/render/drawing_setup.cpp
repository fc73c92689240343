#include "render/drawing_setup.h"

#include <system_error>
#include <utility>

#include "engine/colouring/density_gradient.h"
#include "engine/core/defaults.h"
#include "engine/core/formula_table.h"
#include "engine/core/view_coords.h"
#include "engine/file/param_file.h"
#include "imaging/embedded_parameters.h"

namespace zephyrin {

namespace {

// Loads `text` over a new window's values as a window would, but refuses a
// file with a line that cannot be read: a window shows what a broken file
// left and can be given another; a command would only save a picture
// nobody asked for. A relative gradient path is taken from `folder`.
[[nodiscard]] Result<> LoadText(std::string_view text, std::string_view caption,
                                const std::filesystem::path& folder, const RenderOptions& options,
                                PreparedDrawing& prepared) {
    DrawingSetup& setup = prepared.setup;
    TFractalRec& v = setup.record;
    // The renderer writes with a point; the reader takes a comma as well.
    const ParameterReadReport report =
        ReadParameterText(text, caption, '.', v, setup.effects, setup.density, folder);
    if (report.Failed()) {
        std::string all;
        for (const std::string& message : report.Messages()) all += (all.empty() ? "" : "\n") + message;
        return Failure(all);
    }
    prepared.messages = report.notes;
    v.randomStart = ToFlag(options.random);
    return {};
}

[[nodiscard]] Result<PreparedDrawing> Prepare(std::optional<std::string_view> text, std::string_view caption,
                                              const std::filesystem::path& folder,
                                              const RenderOptions& options) {
    PreparedDrawing prepared;
    DrawingSetup& setup = prepared.setup;
    setup.record = NewWindowRecord(options.width * options.supersample, options.height * options.supersample);
    TFractalRec& v = setup.record;
    if (text) {
        if (Result<> loaded = LoadText(*text, caption, folder, options, prepared); !loaded)
            return Failure(loaded.error());
    }
    if (options.formula) SelectFormula(v, *options.formula);
    FreezeView(v);
    Result<Gradient> gradient = ColourAsAsked(options, setup);
    if (!gradient) return Failure(gradient.error());
    prepared.gradient = *std::move(gradient);
    return prepared;
}

}  // namespace

Result<PreparedDrawing> PrepareDrawing(const RenderOptions& options) {
    if (!options.parameterFile) return Prepare(std::nullopt, {}, {}, options);
    const std::filesystem::path& file = *options.parameterFile;
    const Result<std::string> text =
        CarriesParameters(file) ? ReadEmbeddedParameters(file) : ReadParameterFile(file);
    if (!text) return Failure(text.error());
    return Prepare(*text, file.string(), file.parent_path(), options);
}

Result<PreparedDrawing> PrepareDrawingFromText(std::string_view text, std::string_view caption,
                                               const RenderOptions& options) {
    return Prepare(text, caption, {}, options);
}

Result<Gradient> ColourAsAsked(const RenderOptions& options, DrawingSetup& setup) {
    if (options.white) setup.record.white = kTrue;
    if (options.sqrtFilter) setup.record.sqrtFilter = kTrue;
    DensitySettings& density = setup.density;
    if (options.brightness) density.brightness = *options.brightness;
    if (options.gamma) density.gamma = *options.gamma;
    if (options.vibrancy) density.vibrancy = *options.vibrancy;
    if (options.gradient) {
        // Read anew, even where the parameters carry a gradient of that path,
        // and named by its absolute path, which the parameters written can
        // name from any folder.
        std::error_code ignored;
        const std::filesystem::path path = std::filesystem::absolute(*options.gradient, ignored);
        density.gradient =
            BuiltInGradient(*options.gradient) || path.empty() ? *options.gradient : path.string();
        density.carried = {};
    }
    if (options.density || options.brightness || options.gamma || options.vibrancy || options.gradient)
        density.mode = ColouringMode::kDensity;
    if (PaintsWhilePlotting(density.mode)) return Gradient{};
    return TakeGradient(density);
}

}  // namespace zephyrin
