#include "render/render_program.h"

#include <algorithm>
#include <new>
#include <string>
#include <system_error>

#include "engine/colouring/density_colour.h"
#include "engine/file/param_file.h"
#include "imaging/area_averaging.h"
#include "imaging/image_file.h"
#include "imaging/image_formats.h"
#include "imaging/picture16.h"
#include "render/animate_mode.h"
#include "render/command_line.h"
#include "render/drawing_setup.h"
#include "render/explore.h"
#include "render/gallery_mode.h"
#include "render/help_text.h"
#include "render/metrics_mode.h"
#include "render/output_files.h"
#include "render/progress_bar.h"
#include "render/render_job.h"
#include "render/render_memory.h"
#include "render/render_options.h"
#include "util/number_format.h"
#include "util/version.h"

namespace zephyrin {
namespace {

std::string SizeText(std::int64_t width, std::int64_t height) {
    return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

std::string Summary(const RenderResult& result, std::uint64_t seed) {
    const double rate = result.seconds > 0 ? static_cast<double>(result.iterations) / result.seconds : 0;
    return std::to_string(result.iterations) + " iterations, " + FormatFixed(result.seconds, 2, '.') +
           " s, " + FormatFixed(rate / 1e6, 2, '.') + " million iterations per second (seed " +
           std::to_string(seed) + ", " + std::to_string(result.threads) +
           (result.threads == 1 ? " thread)" : " threads)");
}

class Program {
public:
    Program(std::ostream& out, std::ostream& err, bool progressOnTerminal)
        : out_(out), err_(err), progressOnTerminal_(progressOnTerminal) {}

    int Run(std::span<const std::string_view> arguments) {
        const Result<RenderOptions> parsed = ParseRenderOptions(arguments);
        if (!parsed) {
            Say(parsed.error());
            err_ << kUsageLine << '\n';
            return kRenderBadUsage;
        }
        if (parsed->help) {
            out_ << HelpText();
            return kRenderDone;
        }
        if (parsed->version) {
            out_ << "zephyrin-render " << kVersion << '\n';
            return kRenderDone;
        }
        // Every mode draws with the seed it reports.
        RenderOptions options = *parsed;
        if (!options.seed) options.seed = RandomSeed();
        if (options.animation.On()) return RunAnimation(options, out_, err_, progressOnTerminal_);
        if (options.gallery) return RunGallery(options, out_, err_, progressOnTerminal_);
        if (options.metrics) {
            const int status = RunMetrics(options, out_, err_);
            if (status != kRenderDone || options.output.empty()) return status;
        }
        return Draw(options);
    }

private:
    void Say(std::string_view message) { SayLines(err_, message); }

    int Fail(std::string_view message) {
        Say(message);
        return kRenderFailed;
    }

    int Draw(const RenderOptions& options) {
        const std::filesystem::path parameterFile = ParameterFileBeside(options.output);
        Result<> writable = CheckOutput(options.output);
        if (writable && options.writeParameters) writable = CheckOutput(parameterFile);
        if (!writable) return Fail(writable.error());

        const std::int64_t width = std::int64_t{options.width} * options.supersample;
        const std::int64_t height = std::int64_t{options.height} * options.supersample;
        if (!RenderFitsInMemory(width, height, 1))
            return Fail("a drawing of " + SizeText(width, height) + " does not fit in memory");

        Result<PreparedDrawing> prepared;
        try {
            prepared = PrepareDrawing(options);
        } catch (const std::bad_alloc&) {
            return Fail(options.parameterFile
                            ? "not enough memory to read \"" + options.parameterFile->string() + "\""
                            : std::string("not enough memory to set up the drawing"));
        }
        if (!prepared) return Fail(prepared.error());
        // Missing lines do not stop the drawing.
        for (const std::string& message : prepared->messages) Say(message);
        DrawingSetup& setup = prepared->setup;

        RenderSettings settings;
        settings.seed = *options.seed;
        if (options.find || options.fit) {
            const Result<Exploration> explored = Explore(setup, options, settings.seed);
            if (!explored) return Fail(explored.error());
            if (*explored == Exploration::kNothingFound) {
                Say("no attractor of formula " + std::to_string(setup.record.formula) + " found from seed " +
                    std::to_string(settings.seed));
                return kRenderNothingFound;
            }
            if (*explored == Exploration::kCannotFrame && !options.quiet)
                Say("note: the orbit runs away or plots nothing; drawn in the view as it was");
        }
        settings.threads = UsableThreads(setup, options.threads.value_or(AllCores()));
        settings.iterations = options.iterations;
        settings.seconds = options.seconds;
        if (!RenderFitsInMemory(width, height, settings.threads))
            return Fail("a drawing of " + SizeText(width, height) + " with " +
                        std::to_string(settings.threads) +
                        " threads does not fit in memory; try fewer --threads");

        ProgressBar bar(err_);
        ProgressReport report;
        if (progressOnTerminal_ && !options.quiet) report = [&bar](const RenderProgress& p) { bar.Show(p); };
        RenderResult result;
        try {
            result = Render(setup, settings, report);
        } catch (const std::bad_alloc&) {
            bar.Clear();
            return Fail("not enough memory for the picture and hit counters of a drawing of " +
                        SizeText(width, height));
        } catch (const std::system_error& error) {
            bar.Clear();
            return Fail(std::string("cannot start the drawing threads: ") + error.what());
        }
        bar.Clear();

        // The start, not the record after the drawing: formulas that restart
        // at random during a drawing would not draw it again. PNG and TIFF
        // files carry it inside as well.
        std::string parameters;
        if (options.writeParameters) {
            try {
                parameters = WriteParameterText(result.start, setup.effects, setup.density, '.');
            } catch (const std::bad_alloc&) {
                return Fail("not enough memory to write \"" + parameterFile.string() + "\"");
            }
        }

        Picture picture;
        Picture16 wide;
        try {
            if (setup.density.enabled) {
                const DensityCounts counts{result.counts, options.supersample};
                const bool white = result.start.white != kFalse;
                if (options.depth == 16)
                    DensityColour(counts, setup.density, prepared->gradient, white, wide);
                else
                    DensityColour(counts, setup.density, prepared->gradient, white, picture);
            } else {
                picture = options.supersample > 1 ? ReduceByAreaAveraging(result.picture, options.supersample)
                                                  : std::move(result.picture);
                if (options.depth == 16) wide = Widen(picture);
            }
        } catch (const std::bad_alloc&) {
            return Fail("not enough memory to colour or reduce the drawing of " + SizeText(width, height));
        }

        try {
            // Nobody is there to ask whether PBM and PGM may take fewer colours.
            const auto change = ColourResolutionChangeFor(options.output);
            const Result<> saved =
                options.depth == 16 ? SaveImage16(wide, options.output, ColourChange::kAgreed, parameters)
                                    : SaveImage(picture, options.output, ColourChange::kAgreed, parameters);
            if (!saved) return Fail(saved.error());
            if (change && !options.quiet)
                Say("note: the picture was converted to " +
                    std::string(ColourResolutionName(change->resolution)) + " for \"" +
                    options.output.string() + "\"");
        } catch (const std::bad_alloc&) {
            return Fail("not enough memory to save \"" + options.output.string() + "\"");
        }

        if (options.writeParameters) {
            try {
                if (const Result<> written = WriteParameterFile(parameterFile, parameters); !written)
                    return Fail(written.error());
            } catch (const std::bad_alloc&) {
                return Fail("not enough memory to write \"" + parameterFile.string() + "\"");
            }
        }
        if (!options.quiet) out_ << Summary(result, settings.seed) << '\n';
        return kRenderDone;
    }

    std::ostream& out_;
    std::ostream& err_;
    bool progressOnTerminal_;
};

}  // namespace

int RunRenderProgram(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err,
                     bool progressOnTerminal) {
    try {
        return Program(out, err, progressOnTerminal).Run(arguments);
    } catch (const std::bad_alloc&) {
        // Whatever the steps above left unnamed: the options, a message, the summary.
        err << kProgramPrefix << "not enough memory\n";
        return kRenderFailed;
    }
}

}  // namespace zephyrin
