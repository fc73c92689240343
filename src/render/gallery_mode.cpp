#include "render/gallery_mode.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <new>
#include <system_error>
#include <vector>

#include "engine/colouring/colour_counts.h"
#include "engine/core/view_coords.h"
#include "engine/explore/gallery_search.h"
#include "engine/file/param_file.h"
#include "imaging/area_averaging.h"
#include "imaging/image_file.h"
#include "render/command_line.h"
#include "render/contact_sheet.h"
#include "render/drawing_setup.h"
#include "render/metrics_mode.h"
#include "render/output_files.h"
#include "render/progress_bar.h"
#include "render/render_job.h"
#include "render/render_program.h"
#include "util/atomic_file.h"
#include "util/thread_pool.h"

namespace zephyrin {

namespace {

constexpr std::int32_t kTileWidth = 200;
constexpr std::int32_t kTileHeight = 150;
// Enough for the attractors the search keeps to light most of what they
// will ever light of a tile this size, and quick on the batches.
constexpr std::int64_t kTileIterations = 1'000'000;

struct DrawnTile {
    GalleryTile found;
    Picture picture;
    double lit = 0;          // the share of the tile's drawing that is lit
    std::string parameters;  // its parameter file's text
};

// The share of a drawing's pixels that were hit: of the counts with density
// colouring, of the pixels not in the background colour otherwise.
double LitShare(const RenderResult& drawn) {
    std::int64_t lit = 0, all = 0;
    if (!drawn.counts.Empty()) {
        for (const std::int32_t count : drawn.counts.Counts()) lit += count > kUntouchedCount;
        all = static_cast<std::int64_t>(drawn.counts.Size());
    } else {
        const std::uint32_t background = drawn.start.white ? Picture::Pack(255, 255, 255) : 0;
        for (int row = 0; row < drawn.picture.Height(); ++row)
            for (int column = 0; column < drawn.picture.Width(); ++column)
                lit += drawn.picture.Pixel(column, row) != background;
        all = std::int64_t{drawn.picture.Width()} * drawn.picture.Height();
    }
    return all > 0 ? static_cast<double>(lit) / static_cast<double>(all) : 0;
}

std::string FileName(const std::filesystem::path& path) {
    return path.filename().string();
}

class Gallery {
public:
    Gallery(const RenderOptions& options, std::ostream& out, std::ostream& err, bool progressOnTerminal)
        : options_(options),
          out_(out),
          err_(err),
          bar_(err),
          progress_(progressOnTerminal && !options.quiet) {}

    int Run() {
        const auto started = std::chrono::steady_clock::now();
        if (const Result<> writable = CheckOutputs(); !writable) return Fail(writable.error());
        Result<PreparedDrawing> base = PrepareTiles();
        if (!base) return Fail(base.error());
        for (const std::string& message : base->messages) SayLines(err_, message);
        const Result<GalleryResult> search = Search(base->setup);
        if (!search) return Fail(search.error());
        if (search->tiles.empty()) {
            SayLines(err_, "no attractor " + FormulaText(base->setup.record.formula) + " found in " +
                               std::to_string(search->candidates) + " candidates from seed " +
                               std::to_string(*options_.seed));
            return kRenderNothingFound;
        }
        std::vector<GalleryTile> ranked = search->tiles;
        std::ranges::stable_sort(ranked, std::ranges::greater{},
                                 [](const GalleryTile& t) { return t.measures.score; });
        std::vector<DrawnTile> tiles;
        for (const GalleryTile& tile : ranked) {
            if (progress_)
                bar_.ShowLine("drawing tile " + std::to_string(tiles.size() + 1) + " of " +
                              std::to_string(ranked.size()));
            tiles.push_back(Draw(tile, *base));
        }
        bar_.Clear();
        if (const Result<> written = Write(tiles); !written) return Fail(written.error());
        if (!options_.quiet) Summarise(*search, std::chrono::steady_clock::now() - started);
        return kRenderDone;
    }

private:
    int Fail(std::string_view message) {
        bar_.Clear();
        SayLines(err_, message);
        return kRenderFailed;
    }

    std::string FormulaText(std::int32_t formula) const {
        return options_.allFormulas ? std::string("of any formula") : "of formula " + std::to_string(formula);
    }

    std::filesystem::path Csv() const {
        return std::filesystem::path(options_.output).replace_extension(".csv");
    }

    // Before the search, so that a folder that is not there fails at once.
    [[nodiscard]] Result<> CheckOutputs() const {
        Result<> writable = CheckOutput(options_.output);
        if (writable) writable = CheckOutput(Csv());
        for (int tile = 1; writable && options_.writeParameters && tile <= *options_.gallery; ++tile)
            writable = CheckOutput(TileParameterFile(options_.output, tile, *options_.gallery));
        return writable;
    }

    [[nodiscard]] Result<PreparedDrawing> PrepareTiles() const {
        RenderOptions tileOptions = options_;
        if (!options_.sizeGiven) {
            tileOptions.width = kTileWidth;
            tileOptions.height = kTileHeight;
        }
        if (!options_.classic) tileOptions.density = true;
        return PrepareDrawing(tileOptions);
    }

    [[nodiscard]] Result<GalleryResult> Search(const DrawingSetup& base) {
        const std::vector<std::int32_t> formulas =
            options_.allFormulas ? GalleryFormulas() : std::vector<std::int32_t>{base.record.formula};
        // The settled measures of the kept tiles cost more than all the
        // judging: they share the cores.
        ThreadPool measuring(options_.threads.value_or(AllCores()));
        const GalleryOptions gallery{.tiles = *options_.gallery,
                                     .keepQuasiPeriodic = options_.quasiPeriodic,
                                     .measuringPool = &measuring};
        std::int32_t found = 0;
        TileFound report;
        if (progress_)
            report = [&](const GalleryTile& tile) {
                bar_.ShowLine("found " + std::to_string(++found) + " of " + std::to_string(gallery.tiles) +
                              " attractors in " + std::to_string(tile.candidate) + " candidates");
            };
        const std::atomic<bool> never{false};
        return FindGallery(base.record, base.effects, formulas, *options_.seed, gallery, never, report);
    }

    DrawnTile Draw(const GalleryTile& found, const PreparedDrawing& base) const {
        DrawnTile tile;
        tile.found = found;
        DrawingSetup setup{found.record, base.setup.effects, base.setup.density};
        // As its parameter file holds it, so that the file draws the tile again.
        Effects effects = setup.effects;
        RoundAsWritten(setup.record, effects);
        FreezeView(setup.record);
        const RenderSettings settings{
            .threads = UsableThreads(setup, options_.threads.value_or(AllCores())),
            .seed = found.seed,
            .iterations = options_.iterationsGiven ? options_.iterations : kTileIterations,
            .seconds = options_.seconds};
        RenderResult drawn = Render(setup, settings, {});
        tile.lit = LitShare(drawn);
        if (!PaintsWhilePlotting(setup.density.mode))
            ColourCounts(DensityCounts{drawn.counts, options_.supersample}, drawn.start,
                         {setup.density, base.gradient}, tile.picture);
        else
            tile.picture = options_.supersample > 1
                               ? ReduceByAreaAveraging(drawn.picture, options_.supersample)
                               : std::move(drawn.picture);
        if (options_.writeParameters)
            tile.parameters = WriteParameterText(drawn.start, setup.effects, setup.density, '.');
        return tile;
    }

    std::string CsvText(const std::vector<DrawnTile>& tiles) const {
        std::string text = "tile,formula,seed,lyapunov,dimension,coverage,score,file\n";
        for (std::size_t i = 0; i < tiles.size(); ++i) {
            const GalleryTile& found = tiles[i].found;
            const int number = static_cast<int>(i) + 1;
            const std::string file =
                options_.writeParameters
                    ? FileName(TileParameterFile(options_.output, number, *options_.gallery))
                    : "";
            text += std::to_string(number) + "," + std::to_string(found.record.formula) + "," +
                    std::to_string(found.seed) + "," + MeasureText(found.measures.lyapunov, 5) + "," +
                    MeasureText(found.measures.dimension, 3) + "," + MeasureText(tiles[i].lit, 4) + "," +
                    MeasureText(found.measures.score, 3) + "," + file + "\n";
        }
        return text;
    }

    [[nodiscard]] Result<> Write(const std::vector<DrawnTile>& tiles) const {
        std::vector<Picture> pictures;
        for (const DrawnTile& tile : tiles) pictures.push_back(tile.picture);
        const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(tiles.size()))));
        if (Result<> saved =
                SaveImage(ContactSheet(pictures, columns), options_.output, ColourChange::kAgreed);
            !saved)
            return saved;
        for (std::size_t i = 0; i < tiles.size() && options_.writeParameters; ++i) {
            const auto path = TileParameterFile(options_.output, static_cast<int>(i) + 1, *options_.gallery);
            if (Result<> written = WriteParameterFile(path, tiles[i].parameters); !written) return written;
        }
        const std::string csv = CsvText(tiles);
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(csv.data());
        if (const Result<> written = WriteFileAtomically(Csv(), std::span(bytes, csv.size())); !written)
            return Failure("cannot write \"" + Csv().string() + "\": " + written.error());
        return {};
    }

    void Summarise(const GalleryResult& search, std::chrono::steady_clock::duration took) const {
        const int found = static_cast<int>(search.tiles.size());
        if (found < *options_.gallery)
            SayLines(err_, "note: found " + std::to_string(found) + " of " +
                               std::to_string(*options_.gallery) + " attractors within the budget of " +
                               std::to_string(search.candidates) + " candidates");
        std::string files = FileName(options_.output) + ", " + FileName(Csv());
        if (options_.writeParameters)
            files +=
                " and " + FileName(TileParameterFile(options_.output, 1, *options_.gallery)) +
                (found > 1 ? " to " + FileName(TileParameterFile(options_.output, found, *options_.gallery))
                           : "");
        out_ << found << (found == 1 ? " attractor" : " attractors") << " from " << search.candidates
             << " candidates in " << MeasureText(std::chrono::duration<double>(took).count(), 2)
             << " s (seed " << *options_.seed << "): " << files << '\n';
    }

    const RenderOptions& options_;
    std::ostream& out_;
    std::ostream& err_;
    ProgressBar bar_;
    bool progress_;
};

}  // namespace

std::filesystem::path TileParameterFile(const std::filesystem::path& sheet, int tile, int tiles) {
    const std::size_t width = std::max<std::size_t>(std::to_string(tiles).size(), 2);
    std::string number = std::to_string(tile);
    number.insert(0, width - std::min(width, number.size()), '0');
    std::filesystem::path file = sheet;
    file.replace_filename(sheet.stem().string() + "-" + number + ".zpr");
    return file;
}

int RunGallery(const RenderOptions& options, std::ostream& out, std::ostream& err, bool progressOnTerminal) {
    try {
        return Gallery(options, out, err, progressOnTerminal).Run();
    } catch (const std::bad_alloc&) {
        SayLines(err, "not enough memory for the gallery");
        return kRenderFailed;
    } catch (const std::system_error& error) {
        SayLines(err, std::string("cannot start the drawing threads: ") + error.what());
        return kRenderFailed;
    }
}

}  // namespace zephyrin
