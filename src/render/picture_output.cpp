#include "render/picture_output.h"

#include <new>

#include "engine/colouring/colour_counts.h"
#include "engine/colouring/colour_from_counts.h"
#include "engine/file/density_lines.h"
#include "engine/file/param_file.h"
#include "imaging/area_averaging.h"
#include "imaging/image_file.h"
#include "imaging/image_formats.h"
#include "imaging/picture16.h"
#include "render/output_files.h"
#include "render/png_output.h"

namespace zephyrin {
namespace {

std::string SizeText(const TFractalRec& v) {
    return std::to_string(v.width) + " x " + std::to_string(v.height) + " pixels";
}

// The picture at its saved size, in 8 bits or (with --depth 16) in 16.
void Colour(const FinishedDrawing& drawing, const RenderOptions& options, Picture& picture, Picture16& wide) {
    const DrawingSetup& setup = drawing.setup;
    if (!PaintsWhilePlotting(setup.density.mode)) {
        const DensityCounts counts{*drawing.counts, drawing.supersample};
        const CountsColouring colouring{
            .settings = setup.density, .gradient = drawing.gradient, .pool = drawing.pool};
        if (options.depth == 16) {
            if (std::optional<Picture16> deep = ColourCounts16(counts, setup.record, colouring)) {
                wide = *std::move(deep);
                return;
            }
        }
        ColourCounts(counts, setup.record, colouring, picture);
        if (options.depth == 16) wide = Widen(picture);
        return;
    }
    Picture full = drawing.painted != nullptr && !drawing.painted->Empty()
                       ? std::move(*drawing.painted)
                       : ColourFromCounts(*drawing.counts, setup.record, drawing.pool);
    picture = drawing.supersample > 1 ? ReduceByAreaAveraging(full, drawing.supersample) : std::move(full);
    if (options.depth == 16) wide = Widen(picture);
}

// Colours the whole picture, then writes it in the output's format.
Result<> WriteWholePicture(const FinishedDrawing& drawing, const RenderOptions& options,
                           const std::string& parameters, std::vector<std::string>& notes) {
    Picture picture;
    Picture16 wide;
    try {
        Colour(drawing, options, picture, wide);
    } catch (const std::bad_alloc&) {
        return Failure("not enough memory to colour or reduce the drawing of " +
                       SizeText(drawing.setup.record));
    }
    try {
        // Nobody is there to ask whether PBM and PGM may take fewer colours.
        const auto change = ColourResolutionChangeFor(options.output);
        const Result<> saved = options.depth == 16
                                   ? SaveImage16(wide, options.output, ColourChange::kAgreed, parameters)
                                   : SaveImage(picture, options.output, ColourChange::kAgreed, parameters);
        if (!saved) return Failure(saved.error());
        if (change)
            notes.push_back("note: the picture was converted to " +
                            std::string(ColourResolutionName(change->resolution)) + " for \"" +
                            options.output.string() + "\"");
    } catch (const std::bad_alloc&) {
        return Failure("not enough memory to save \"" + options.output.string() + "\"");
    }

    return {};
}

}  // namespace

bool WritesPngRows(const RenderOptions& options) {
    const ImageFormatInfo* format = FindImageFormat(options.output);
    return format != nullptr && format->extension == "png";
}

Result<std::vector<std::string>> WritePictureFiles(const FinishedDrawing& drawing,
                                                   const RenderOptions& options) {
    const std::filesystem::path parameterFile = ParameterFileBeside(options.output);
    // The start, not the record after the drawing: formulas that restart
    // at random during a drawing would not draw it again. PNG and TIFF
    // files carry it inside as well.
    std::string parameters;
    std::vector<std::string> notes;
    if (options.writeParameters) {
        try {
            parameters =
                WriteParameterText(drawing.setup.record, drawing.setup.effects, drawing.setup.density, '.');
        } catch (const std::bad_alloc&) {
            return Failure("not enough memory to write \"" + parameterFile.string() + "\"");
        }
        if (const std::string note = GradientNote(drawing.setup.density); !note.empty())
            notes.push_back("note: " + note);
    }

    if (WritesPngRows(options)) {
        if (const Result<> saved = WritePng(drawing, options, parameters); !saved)
            return Failure(saved.error());
    } else if (const Result<> saved = WriteWholePicture(drawing, options, parameters, notes); !saved) {
        return Failure(saved.error());
    }

    if (options.writeParameters) {
        try {
            if (const Result<> written = WriteParameterFile(parameterFile, parameters); !written)
                return Failure(written.error());
        } catch (const std::bad_alloc&) {
            return Failure("not enough memory to write \"" + parameterFile.string() + "\"");
        }
    }
    return notes;
}

}  // namespace zephyrin
