#include <algorithm>
#include <numeric>

#include "engine/batch/counts_drawing.h"
#include "render/command_line.h"
#include "render/counts_modes.h"
#include "render/counts_output.h"
#include "render/drawing_setup.h"
#include "render/output_files.h"
#include "render/render_job.h"
#include "render/render_memory.h"

namespace zephyrin {
namespace {

// What shapes a drawing, which a counts file has already.
constexpr std::string_view kShapingOptions[] = {"--formula", "--random",      "--find",   "--fit",
                                                "--size",    "--supersample", "--seconds"};

std::string SizeText(const CountGrid& counts) {
    return std::to_string(counts.Width()) + " x " + std::to_string(counts.Height()) + " pixels";
}

int Agreed(RenderTeam* team, int status) {
    return team ? team->Agree(status) : status;
}

// Notes the run in the file's history: one run of the seed for a whole
// drawing; for shares a seed of each share's own. A share but the first
// holds none of the file's counts, so its history is its run alone.
void NoteRun(CountsHistory& history, const RenderSettings& settings, bool team,
             std::span<const std::int64_t> drawn) {
    if (settings.share.Whole()) return history.AddRun(settings.seed, drawn.front());
    if (settings.share.index > 0) history = {};
    const std::uint64_t runSeed = RunSeed(settings.seed, settings.run);
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        RenderShare share = settings.share;
        if (team) share.index = static_cast<std::int32_t>(i);
        history.AddRun(ShareSeed(runSeed, share), drawn[i]);
    }
}

// Draws the options' iterations into the file's counts. Returns 0 or the
// exit status of a failure.
int DrawMore(CountsFile& file, const RenderOptions& options, RenderConsole& console, RenderTeam* team) {
    CountsDescription& description = file.description;
    RenderSettings settings;
    settings.seed = options.seed.value_or(description.history.seeds.front().seed);
    settings.run = description.history.RunsOf(settings.seed);
    settings.iterations = options.iterations;
    settings.threads = std::max<std::int32_t>(options.threads.value_or(AllCores()), 1);
    settings.share = team ? team->Share() : options.share.value_or(RenderShare{});
    if (settings.share.index == 0) settings.startCounts = &file.counts;
    settings.keepCounts = true;
    settings.uncoloured = true;
    Result<RenderResult> result;
    // The counts read and the drawing's copy of them.
    if (!RenderFitsInMemory(file.counts.Width(), file.counts.Height(), settings.threads, 2))
        result = Failure("drawing on the counts of " + SizeText(file.counts) + " with " +
                         std::to_string(settings.threads) +
                         " threads does not fit in memory; try fewer --threads");
    else
        result =
            RenderWithProgress({description.record, description.effects, description.density}, settings,
                               console, options.quiet, "to draw on the counts of " + SizeText(file.counts));
    if (const int status = Agreed(team, result ? kRenderDone : console.Fail(result.error()));
        status != kRenderDone)
        return status;
    std::vector<std::int64_t> drawn{result->iterations};
    if (team) {
        drawn = team->AddCounts(result->counts, result->iterations);
        // The rest is the first's alone.
        team->Leave();
        if (!team->First()) return kRenderDone;
    }
    file.counts = std::move(result->counts);
    NoteRun(description.history, settings, team != nullptr, drawn);
    result->iterations = std::reduce(drawn.begin(), drawn.end(), std::int64_t{0});
    if (!options.quiet)
        console.Out() << DrawingSummary(*result, settings.seed) << "; run " << settings.run + 1 << " of seed "
                      << settings.seed << ", the counts hold " << description.history.iterations
                      << " iterations\n";
    return kRenderDone;
}

// Reads the counts file. Returns 0 or the exit status of a failure.
int Open(const RenderOptions& options, RenderConsole& console, bool writes, Result<CountsFile>& file) {
    if (writes)
        if (Result<> writable = CheckOutputs(options); !writable) return console.Fail(writable.error());
    // A member of a team started with other arguments than the first's.
    if (!options.parameterFile)
        return console.Fail("the first process has a counts file to draw on, this one none");
    file = LoadCountsFile(*options.parameterFile);
    if (!file) return console.Fail(file.error());
    const CountsDescription& description = file->description;
    if (!CountsTellTheColours({description.record, description.effects, description.density}))
        return console.Fail(
            "\"" + options.parameterFile->string() +
            "\" holds the counts of a drawing painted as it goes, which do not tell its colours");
    return kRenderDone;
}

}  // namespace

std::string_view FirstGiven(const RenderOptions& options, std::span<const std::string_view> names) {
    for (const std::string& given : options.given)
        if (std::ranges::find(names, given) != names.end()) return *std::ranges::find(names, given);
    return {};
}

int FinishCounts(CountsFile& file, const RenderOptions& options, RenderConsole& console) {
    CountsDescription& description = file.description;
    DrawingSetup setup{description.record, description.effects, description.density};
    Result<Gradient> gradient = ColourAsAsked(options, setup);
    if (!gradient) return console.Fail(gradient.error());
    description.record = setup.record;
    description.density = setup.density;
    const Result<std::vector<std::string>> written =
        WriteCountsOutputs(file.counts, description, *gradient, options);
    if (!written) return console.Fail(written.error());
    if (!options.quiet)
        for (const std::string& note : *written) console.Say(note);
    return kRenderDone;
}

int ContinueCounts(const RenderOptions& options, RenderConsole& console, RenderTeam* team) {
    if (const std::string_view shaping = FirstGiven(options, kShapingOptions); !shaping.empty())
        return console.Refuse(std::string(shaping) + " cannot change the drawing of a counts file");
    if (FirstGiven(options, std::array<std::string_view, 1>{"--iterations"}).empty())
        return console.Refuse(
            "a counts file needs --iterations N: the iterations to add (0 only colours it)");
    if (options.share && options.iterations == 0)
        return console.Refuse("--share goes with --iterations N above 0");
    Result<CountsFile> file;
    if (const int status = Agreed(team, Open(options, console, !team || team->First(), file));
        status != kRenderDone)
        return status;
    if (options.iterations > 0)
        if (const int status = DrawMore(*file, options, console, team); status != kRenderDone) return status;
    if (team && !team->First()) return kRenderDone;
    return FinishCounts(*file, options, console);
}

}  // namespace zephyrin
