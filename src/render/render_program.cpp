#include "render/render_program.h"

#include <algorithm>
#include <chrono>
#include <new>
#include <numeric>
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
#include "render/render_team.h"
#include "util/version.h"

namespace zephyrin {
namespace {

constexpr std::string_view kShortOfMemory = "not enough memory";

std::string SizeText(std::int64_t width, std::int64_t height) {
    return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

class Program {
public:
    Program(std::ostream& out, std::ostream& err, bool progressOnTerminal, RenderTeam* team)
        : console_(out, err, progressOnTerminal), progressOnTerminal_(progressOnTerminal), team_(team) {}

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
        // What the first member does alone.
        if (team_ && (!parsed->merge.empty() || parsed->gallery || parsed->metrics)) {
            if (!team_->First()) return kRenderDone;
            team_ = nullptr;
        }
        if (team_ && !team_->Share().Whole() && parsed->share)
            return console_.Refuse(
                "--share draws one share alone, not under mpirun, whose ranks are the shares");
        if (!parsed->merge.empty()) return MergeCounts(*parsed, console_);
        // Only a counts file takes --iterations 0; it says what is wrong with any other.
        if (CountsInput(*parsed)) return ContinueCounts(*parsed, console_, team_);
        // Every other mode draws with the seed it reports.
        RenderOptions options = *parsed;
        if (!options.seed) options.seed = RandomSeed();
        if (team_) options.seed = team_->FromFirst(*options.seed);
        if (options.animation.On())
            return RunAnimation(options, console_.Out(), console_.Err(), progressOnTerminal_, team_);
        if (options.gallery) return RunGallery(options, console_.Out(), console_.Err(), progressOnTerminal_);
        if (options.metrics) {
            const int status = RunMetrics(options, console_.Out(), console_.Err());
            if (status != kRenderDone || options.output.empty()) return status;
        }
        return Draw(options);
    }

private:
    int Fail(std::string_view message) { return console_.Fail(message); }

    // Whether the input is a counts file, as the first member of a team
    // finds; every member asks, so that their calls to the team stay in step
    // even when their arguments differ.
    bool CountsInput(const RenderOptions& options) {
        const bool counts =
            options.parameterFile && (options.iterations == 0 || IsCountsFile(*options.parameterFile));
        return team_ ? team_->FromFirst(counts ? 1 : 0) == 1 : counts;
    }

    // The outputs of a drawing done; `drawn`, the iterations of each share
    // of the team (or of the one share drawn here), for the counts file.
    [[nodiscard]] Result<> Write(const RenderOptions& options, const PreparedDrawing& prepared,
                                 RenderResult& result, const RenderSettings& settings,
                                 const std::vector<std::int64_t>& drawn) {
        const DrawingSetup& setup = prepared.setup;
        Result<std::vector<std::string>> written;
        if (options.saveCounts || options.exportDensity) {
            CountsDescription description{
                result.start, setup.effects, setup.density, options.supersample, {}};
            for (std::size_t i = 0; i < drawn.size(); ++i) {
                RenderShare share = settings.share;
                if (team_) share.index = static_cast<std::int32_t>(i);
                // Each share's streams are those of a drawing of its own seed.
                description.history.AddRun(ShareSeed(settings.seed, share), drawn[i]);
            }
            written = WriteCountsOutputs(result.counts, description, prepared.gradient, options);
        } else if (!options.output.empty()) {
            const DrawingSetup finished{result.start, setup.effects, setup.density};
            written = WritePictureFiles({finished, prepared.gradient, options.supersample, &result.counts,
                                         &result.picture, result.pool.get()},
                                        options);
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
        settings.share = team_ ? team_->Share() : options.share.value_or(RenderShare{});
        // A PNG file takes its rows as they are coloured from the counts.
        settings.uncoloured = team_ != nullptr || WritesPngRows(options);
        if (Result<> fits = FitsInMemory(options, settings.threads); !fits) return Failure(fits.error());
        return settings;
    }

    // Everything before the drawing: the setup, the exploration, the
    // settings. Returns kRenderDone or the exit status of a failure.
    int Ready(const RenderOptions& options, PreparedDrawing& prepared, RenderSettings& settings) {
        if (!team_ || team_->First())
            if (Result<> writable = CheckOutputs(options); !writable) return Fail(writable.error());
        if (Result<> fits = FitsInMemory(options, 1); !fits) return Fail(fits.error());
        Result<PreparedDrawing> read = Prepare(options);
        if (!read) return Fail(read.error());
        prepared = *std::move(read);
        // Missing lines do not stop the drawing.
        for (const std::string& message : prepared.messages) console_.Say(message);
        DrawingSetup& setup = prepared.setup;
        const bool shared = team_ ? !team_->Share().Whole() : options.share && !options.share->Whole();
        if ((options.saveCounts || options.exportDensity || shared) && !CountsTellTheColours(setup))
            return console_.Refuse(
                "a drawing painted as it goes (Color Mix, or an intensity of -9.5 or less) has no counts "
                "to save, export or share out");
        const Result<std::optional<RenderSettings>> settled =
            WithinMemory(kShortOfMemory, [&] { return Settle(options, setup); });
        if (!settled) return Fail(settled.error());
        if (!*settled) {
            console_.Say("no attractor of formula " + std::to_string(setup.record.formula) +
                         " found from seed " + std::to_string(*options.seed));
            return kRenderNothingFound;
        }
        settings = **settled;
        return kRenderDone;
    }

    [[nodiscard]] Result<RenderResult> Render(const RenderOptions& options, const DrawingSetup& setup,
                                              const RenderSettings& settings) {
        const std::string size = SizeText(std::int64_t{options.width} * options.supersample,
                                          std::int64_t{options.height} * options.supersample);
        return RenderWithProgress(setup, settings, console_, options.quiet,
                                  "for the picture and hit counters of a drawing of " + size);
    }

    int Draw(const RenderOptions& options) {
        PreparedDrawing prepared;
        RenderSettings settings;
        if (const int status = Agreed(Ready(options, prepared, settings)); status != kRenderDone)
            return status;
        Result<RenderResult> result = Render(options, prepared.setup, settings);
        if (const int status = Agreed(result ? kRenderDone : Fail(result.error())); status != kRenderDone)
            return status;
        std::vector<std::int64_t> drawn{result->iterations};
        if (team_) {
            const auto start = std::chrono::steady_clock::now();
            drawn = team_->AddCounts(result->counts, result->iterations);
            // The rest is the first's alone.
            team_->Leave();
            if (!team_->First()) return kRenderDone;
            // The adding up is part of the drawing's time.
            result->seconds +=
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            result->iterations = std::reduce(drawn.begin(), drawn.end(), std::int64_t{0});
        }
        const Result<> written =
            WithinMemory(kShortOfMemory, [&] { return Write(options, prepared, *result, settings, drawn); });
        if (!written) return Fail(written.error());
        if (!options.quiet)
            console_.Out() << DrawingSummary(*result, settings.seed) << ShareText(settings) << '\n';
        return kRenderDone;
    }

    // The team's status where it has one; the member's own otherwise.
    int Agreed(int status) { return team_ ? team_->Agree(status) : status; }

    std::string ShareText(const RenderSettings& settings) const {
        const RenderShare share = settings.share;
        if (share.Whole()) return {};
        if (team_) return "; " + std::to_string(share.count) + " processes";
        return "; share " + std::to_string(share.index) + " of " + std::to_string(share.count);
    }

    RenderConsole console_;
    bool progressOnTerminal_;
    RenderTeam* team_;
};

}  // namespace

int RunRenderProgram(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err,
                     bool progressOnTerminal, RenderTeam* team) {
    try {
        return Program(out, err, progressOnTerminal, team).Run(arguments);
    } catch (const std::bad_alloc&) {
        // Whatever the steps above left unnamed: the options, a message, the summary.
        err << "zephyrin-render: " << kShortOfMemory << '\n';
        return kRenderFailed;
    }
}

}  // namespace zephyrin
