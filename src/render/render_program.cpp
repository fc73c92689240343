#include "render/render_program.h"

#include <algorithm>
#include <new>
#include <optional>
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

constexpr std::string_view kShortOfMemory = "not enough memory";

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
    [[nodiscard]] Result<> Write(const RenderOptions& options, const PreparedDrawing& prepared,
                                 RenderResult& result, std::uint64_t seed) {
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
        if (!written) return Failure(written.error());
        if (!options.quiet)
            for (const std::string& note : *written) console_.Say(note);
        return {};
    }

    // Where a step of the drawing runs out of memory: it fails with
    // `shortOfMemory`, which may say what the step was doing.
    template <typename Step>
    [[nodiscard]] static auto WithinMemory(std::string_view shortOfMemory, Step step) -> decltype(step()) {
        try {
            return step();
        } catch (const std::bad_alloc&) {
            return Failure(std::string(shortOfMemory));
        }
    }

    [[nodiscard]] static Result<> FitsInMemory(const RenderOptions& options, std::int32_t threads) {
        const std::int64_t width = std::int64_t{options.width} * options.supersample;
        const std::int64_t height = std::int64_t{options.height} * options.supersample;
        if (RenderFitsInMemory(width, height, threads)) return {};
        if (threads == 1)
            return Failure("a drawing of " + SizeText(width, height) + " does not fit in memory");
        return Failure("a drawing of " + SizeText(width, height) + " with " + std::to_string(threads) +
                       " threads does not fit in memory; try fewer --threads");
    }

    [[nodiscard]] static Result<PreparedDrawing> Prepare(const RenderOptions& options) {
        const std::string doing = options.parameterFile
                                      ? " to read \"" + options.parameterFile->string() + "\""
                                      : std::string(" to set up the drawing");
        return WithinMemory(std::string(kShortOfMemory) + doing, [&] { return PrepareDrawing(options); });
    }

    // The drawing's settings once the start is found or framed, as asked;
    // none when there is no attractor to draw.
    [[nodiscard]] Result<std::optional<RenderSettings>> Settle(const RenderOptions& options,
                                                               DrawingSetup& setup) {
        RenderSettings settings;
        settings.seed = *options.seed;
        if (options.find || options.fit) {
            const Result<Exploration> explored = Explore(setup, options, settings.seed);
            if (!explored) return Failure(explored.error());
            if (*explored == Exploration::kNothingFound) return std::nullopt;
            if (*explored == Exploration::kCannotFrame && !options.quiet)
                console_.Say("note: the orbit runs away or plots nothing; drawn in the view as it was");
        }
        settings.threads = UsableThreads(setup, options.threads.value_or(AllCores()));
        settings.iterations = options.iterations;
        settings.seconds = options.seconds;
        settings.keepCounts = options.saveCounts || options.exportDensity;
        if (Result<> fits = FitsInMemory(options, settings.threads); !fits) return Failure(fits.error());
        return settings;
    }

    [[nodiscard]] Result<RenderResult> Render(const RenderOptions& options, const DrawingSetup& setup,
                                              const RenderSettings& settings) {
        const std::string size = SizeText(std::int64_t{options.width} * options.supersample,
                                          std::int64_t{options.height} * options.supersample);
        return RenderWithProgress(setup, settings, console_, options.quiet,
                                  "for the picture and hit counters of a drawing of " + size);
    }

    int Draw(const RenderOptions& options) {
        for (Result<> checked : {CheckOutputs(options), FitsInMemory(options, 1)})
            if (!checked) return Fail(checked.error());
        Result<PreparedDrawing> prepared = Prepare(options);
        if (!prepared) return Fail(prepared.error());
        // Missing lines do not stop the drawing.
        for (const std::string& message : prepared->messages) console_.Say(message);
        DrawingSetup& setup = prepared->setup;
        if ((options.saveCounts || options.exportDensity) && !CountsTellTheColours(setup))
            return console_.Refuse(
                "a drawing painted as it goes (Color Mix, or an intensity of -9.5 or less) has no counts "
                "to save or export");

        const Result<std::optional<RenderSettings>> settings =
            WithinMemory(kShortOfMemory, [&] { return Settle(options, setup); });
        if (!settings) return Fail(settings.error());
        if (!*settings) {
            console_.Say("no attractor of formula " + std::to_string(setup.record.formula) +
                         " found from seed " + std::to_string(*options.seed));
            return kRenderNothingFound;
        }
        Result<RenderResult> result = Render(options, setup, **settings);
        if (!result) return Fail(result.error());
        const Result<> written = WithinMemory(
            kShortOfMemory, [&] { return Write(options, *prepared, *result, (*settings)->seed); });
        if (!written) return Fail(written.error());
        if (!options.quiet) console_.Out() << DrawingSummary(*result, (*settings)->seed) << '\n';
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
        err << "zephyrin-render: " << kShortOfMemory << '\n';
        return kRenderFailed;
    }
}

}  // namespace zephyrin
