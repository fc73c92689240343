#include "render/drawing_setup.h"

#include <utility>

#include "engine/defaults.h"
#include "engine/formula_table.h"
#include "engine/param_file.h"
#include "engine/view_coords.h"

namespace zephyrin {

PreparedDrawing PrepareDrawing(const RenderOptions& options) {
    PreparedDrawing prepared;
    DrawingSetup setup{
        NewWindowRecord(options.width * options.supersample, options.height * options.supersample), {}};
    TFractalRec& v = setup.record;
    if (options.parameterFile) {
        const auto text = ReadParameterFile(*options.parameterFile, prepared.error);
        if (!text) return prepared;
        // The renderer writes with a point; the reader takes a comma as well.
        prepared.messages = ReadParameterText(*text, options.parameterFile->string(), '.', v, setup.effects);
        // A window shows what a broken file left and can be given another;
        // a command would only save a picture nobody asked for.
        if (!prepared.messages.empty() && IsReadingError(prepared.messages.back())) {
            prepared.error = std::move(prepared.messages.back());
            prepared.messages.pop_back();
            return prepared;
        }
        v.randomStart = ToFlag(options.random);
    }
    if (options.formula) SelectFormula(v, *options.formula);
    if (options.white) v.white = kTrue;
    if (options.sqrtFilter) v.sqrtFilter = kTrue;
    FreezeView(v);
    prepared.setup = setup;
    return prepared;
}

}  // namespace zephyrin
