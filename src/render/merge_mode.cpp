#include <new>

#include "render/counts_modes.h"
#include "render/output_files.h"
#include "render/render_job.h"

namespace zephyrin {
namespace {

// A merge draws nothing.
constexpr std::string_view kDrawingOptions[] = {"--formula", "--random",     "--find",
                                                "--fit",     "--size",       "--supersample",
                                                "--seconds", "--iterations", "--seed"};

// Adds the counts of `next` to `sum`, unless their drawings differ.
[[nodiscard]] Result<> AddTo(CountsFile& sum, const CountsFile& next, const std::filesystem::path& first,
                             const std::filesystem::path& path) {
    const std::string difference = CountsDifference(sum.description, next.description);
    if (!difference.empty())
        return Failure("cannot add \"" + path.string() + "\" to \"" + first.string() + "\": " + difference);
    sum.counts.Add(next.counts);
    CountsHistory& history = sum.description.history;
    history.iterations += next.description.history.iterations;
    history.seeds.insert(history.seeds.end(), next.description.history.seeds.begin(),
                         next.description.history.seeds.end());
    return {};
}

}  // namespace

int MergeCounts(const RenderOptions& options, RenderConsole& console) {
    if (const std::string_view drawing = FirstGiven(options, kDrawingOptions); !drawing.empty())
        return console.Refuse("--merge draws nothing: it takes no " + std::string(drawing));
    if (Result<> writable = CheckOutputs(options); !writable) return console.Fail(writable.error());

    const std::filesystem::path& first = options.merge.front();
    Result<CountsFile> sum = LoadCountsFile(first);
    if (!sum) return console.Fail(sum.error());
    const CountsDescription& description = sum->description;
    if (!CountsTellTheColours({description.record, description.effects, description.density}))
        return console.Fail(
            "\"" + first.string() +
            "\" holds the counts of a drawing painted as it goes, which do not tell its colours");
    for (std::size_t i = 1; i < options.merge.size(); ++i) {
        // One file at a time beside the sum.
        const Result<CountsFile> next = LoadCountsFile(options.merge[i]);
        if (!next) return console.Fail(next.error());
        try {
            if (Result<> added = AddTo(*sum, *next, first, options.merge[i]); !added)
                return console.Fail(added.error());
        } catch (const std::bad_alloc&) {
            return console.Fail("not enough memory to add \"" + options.merge[i].string() + "\"");
        }
    }
    if (!options.quiet)
        console.Out() << options.merge.size()
                      << " counts files added: " << sum->description.history.iterations << " iterations\n";
    return FinishCounts(*sum, options, console);
}

}  // namespace zephyrin
