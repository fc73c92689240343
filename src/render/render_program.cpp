#include "render/render_program.h"

#include <algorithm>
#include <new>
#include <string>

#include "engine/file/counts_file.h"
#include "render/animate_mode.h"
#include "render/command_line.h"
#include "render/counts_modes.h"
#include "render/counts_output.h"
#include "render/drawing_setup.h"
#include "render/explore.h"
#include "render/gallery_mode.h"
#include "render/help_text.h"
#include "render/metrics_mode.h"
#include "render/output_files.h"
#include "render/picture_output.h"
#include "render/render_console.h"
#include "render/render_job.h"
#include "render/render_memory.h"
#include "render/render_options.h"
#include "util/version.h"

namespace zephyrin {
namespace {

std::string SizeText(std::int64_t width, std::int64_t height) {
    return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

class Program {
public:
    Program(std::ostream& out, std::ostream& err, bool progressOnTerminal)
        : console_(out, err, progressOnTerminal), progressOnTerminal_(progressOnTerminal) {}

    int Run(std::span<const std::string_view> arguments) {
        const Result<RenderOptions> parsed = ParseRenderOptions(arguments);
        if (!parsed) return console_.Refuse(parsed.error());
        if (parsed->help) {
            console_.Out() << HelpText();
            return kRenderDone;
        }
        if (parsed->version) {
            console_.Out() << "zephyrin-render " << kVersion << '\n';
            return kRenderDone;
        }
        if (!parsed->merge.empty()) return MergeCounts(*parsed, console_);
        // Only a counts file takes --iterations 0; it says what is wrong with any other.
        if (parsed->parameterFile && (parsed->iterations == 0 || IsCountsFile(*parsed->parameterFile)))
            return ContinueCounts(*parsed, console_);
        // Every other mode draws with the seed it reports.
        RenderOptions options = *parsed;
        if (!options.seed) options.seed = RandomSeed();
        if (options.animation.On())
            return RunAnimation(options, console_.Out(), console_.Err(), progressOnTerminal_);
        if (options.gallery) return RunGallery(options, console_.Out(), console_.Err(), progressOnTerminal_);
        if (options.metrics) {
            const int status = RunMetrics(options, console_.Out(), console_.Err());
            if (status != kRenderDone || options.output.empty()) return status;
        }
        return Draw(options);
    }

private:
    int Fail(std::string_view message) { return console_.Fail(message); }

    // The outputs of a drawing done; `seed` for the counts file.
    int Write(const RenderOptions& options, const PreparedDrawing& prepared, RenderResult& result,
              std::uint64_t seed) {
        const DrawingSetup& setup = prepared.setup;
        Result<std::vector<std::string>> written;
        if (options.saveCounts || options.exportDensity) {
            CountsDescription description{
                result.start, setup.effects, setup.density, options.supersample, {}};
            description.history.AddRun(seed, result.iterations);
            written = WriteCountsOutputs(result.counts, description, prepared.gradient, options);
        } else if (!options.output.empty()) {
            const DrawingSetup finished{result.start, setup.effects, setup.density};
            written = WritePictureFiles(
                {finished, prepared.gradient, options.supersample, &result.counts, &result.picture}, options);
        }
        if (!written) return Fail(written.error());
        if (!options.quiet)
            for (const std::string& note : *written) console_.Say(note);
        return kRenderDone;
    }

    int Draw(const RenderOptions& options) {
        if (Result<> writable = CheckOutputs(options); !writable) return Fail(writable.error());

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
        for (const std::string& message : prepared->messages) console_.Say(message);
        DrawingSetup& setup = prepared->setup;
        const bool keepCounts = options.saveCounts || options.exportDensity;
        if (keepCounts && !CountsTellTheColours(setup))
            return console_.Refuse(
                "a drawing painted as it goes (Color Mix, or an intensity of -9.5 or less) has no counts "
                "to save or export");

        RenderSettings settings;
        settings.seed = *options.seed;
        if (options.find || options.fit) {
            const Result<Exploration> explored = Explore(setup, options, settings.seed);
            if (!explored) return Fail(explored.error());
            if (*explored == Exploration::kNothingFound) {
                console_.Say("no attractor of formula " + std::to_string(setup.record.formula) +
                             " found from seed " + std::to_string(settings.seed));
                return kRenderNothingFound;
            }
            if (*explored == Exploration::kCannotFrame && !options.quiet)
                console_.Say("note: the orbit runs away or plots nothing; drawn in the view as it was");
        }
        settings.threads = UsableThreads(setup, options.threads.value_or(AllCores()));
        settings.iterations = options.iterations;
        settings.seconds = options.seconds;
        settings.keepCounts = keepCounts;
        if (!RenderFitsInMemory(width, height, settings.threads))
            return Fail("a drawing of " + SizeText(width, height) + " with " +
                        std::to_string(settings.threads) +
                        " threads does not fit in memory; try fewer --threads");

        Result<RenderResult> result =
            RenderWithProgress(setup, settings, console_, options.quiet,
                               "for the picture and hit counters of a drawing of " + SizeText(width, height));
        if (!result) return Fail(result.error());
        if (const int status = Write(options, *prepared, *result, settings.seed); status != kRenderDone)
            return status;
        if (!options.quiet) console_.Out() << DrawingSummary(*result, settings.seed) << '\n';
        return kRenderDone;
    }

    RenderConsole console_;
    bool progressOnTerminal_;
};

}  // namespace

int RunRenderProgram(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err,
                     bool progressOnTerminal) {
    try {
        return Program(out, err, progressOnTerminal).Run(arguments);
    } catch (const std::bad_alloc&) {
        // Whatever the steps above left unnamed: the options, a message, the summary.
        err << "zephyrin-render: not enough memory\n";
        return kRenderFailed;
    }
}

}  // namespace zephyrin
