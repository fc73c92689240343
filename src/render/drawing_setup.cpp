#include "render/drawing_setup.h"

#include <utility>

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
// nobody asked for.
Result<> LoadText(std::string_view text, std::string_view caption, const RenderOptions& options,
                  PreparedDrawing& prepared) {
    DrawingSetup& setup = prepared.setup;
    TFractalRec& v = setup.record;
    // The renderer writes with a point; the reader takes a comma as well.
    prepared.messages = ReadParameterText(text, caption, '.', v, setup.effects, setup.density);
    if (!prepared.messages.empty() && IsReadingError(prepared.messages.back())) {
        std::string all;
        for (const std::string& message : prepared.messages) all += (all.empty() ? "" : "\n") + message;
        return Failure(all);
    }
    v.randomStart = ToFlag(options.random);
    return {};
}

Result<PreparedDrawing> Prepare(std::optional<std::string_view> text, std::string_view caption,
                                const RenderOptions& options) {
    PreparedDrawing prepared;
    DrawingSetup& setup = prepared.setup;
    setup.record = NewWindowRecord(options.width * options.supersample, options.height * options.supersample);
    TFractalRec& v = setup.record;
    if (text) {
        if (Result<> loaded = LoadText(*text, caption, options, prepared); !loaded)
            return Failure(loaded.error());
    }
    if (options.formula) SelectFormula(v, *options.formula);
    if (options.white) v.white = kTrue;
    if (options.sqrtFilter) v.sqrtFilter = kTrue;
    FreezeView(v);

    DensitySettings& density = setup.density;
    if (options.brightness) density.brightness = *options.brightness;
    if (options.gamma) density.gamma = *options.gamma;
    if (options.vibrancy) density.vibrancy = *options.vibrancy;
    if (options.gradient) density.gradient = *options.gradient;
    if (options.density || options.brightness || options.gamma || options.vibrancy || options.gradient)
        density.enabled = true;
    if (density.enabled) {
        Result<Gradient> gradient = FindGradient(density.gradient);
        if (!gradient) return Failure(gradient.error());
        prepared.gradient = *std::move(gradient);
    }
    return prepared;
}

}  // namespace

Result<PreparedDrawing> PrepareDrawing(const RenderOptions& options) {
    if (!options.parameterFile) return Prepare(std::nullopt, {}, options);
    const std::filesystem::path& file = *options.parameterFile;
    const Result<std::string> text =
        CarriesParameters(file) ? ReadEmbeddedParameters(file) : ReadParameterFile(file);
    if (!text) return Failure(text.error());
    return Prepare(*text, file.string(), options);
}

Result<PreparedDrawing> PrepareDrawingFromText(std::string_view text, std::string_view caption,
                                               const RenderOptions& options) {
    return Prepare(text, caption, options);
}

}  // namespace zephyrin
