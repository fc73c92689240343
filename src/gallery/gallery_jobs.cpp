#include "gallery/gallery_jobs.h"

#include "engine/core/defaults.h"
#include "engine/core/formula_table.h"
#include "engine/core/view_coords.h"
#include "engine/file/param_file.h"
#include "gallery/favourites.h"
#include "util/thread_pool.h"

namespace zephyrin {

namespace {

// Framed and rounded as its parameter file holds it, so that the tile, its
// favourite and the window it opens in all draw alike.
GalleryEntry entryOf(const GalleryTile& tile, const Effects& effects) {
    GalleryEntry entry{tile.record, effects, tile.measures, tile.seed, {}, {}};
    RoundAsWritten(entry.record, entry.effects);
    FreezeView(entry.record);
    return entry;
}

QString summaryOf(const Result<GalleryResult>& result, const GalleryOptions& options) {
    if (!result) return QString::fromStdString(result.error());
    const int found = static_cast<int>(result->tiles.size());
    if (result->cancelled)
        return QStringLiteral("Stopped: %1 found in %2 candidates").arg(found).arg(result->candidates);
    if (found < options.tiles)
        return QStringLiteral("Found %1 of %2 in the budget of %3 candidates")
            .arg(found)
            .arg(options.tiles)
            .arg(result->candidates);
    return QStringLiteral("Found %1 in %2 candidates").arg(found).arg(result->candidates);
}

// The search's own threads for the settled measures of the candidates it
// keeps, which cost more than all the judging: the drawing pool's thread
// the search runs on cannot wait for that pool's other threads.
struct MeasuringThreads {
    explicit MeasuringThreads(const GalleryOptions& options) : withPool(options) {
        withPool.measuringPool = &pool;
    }
    ThreadPool pool{ThreadPool::DefaultThreads()};
    GalleryOptions withPool;
};

}  // namespace

TFractalRec galleryBase(std::int32_t formula) {
    TFractalRec base = NewWindowRecord(kTileWidth, kTileHeight);
    SelectFormula(base, formula);
    return base;
}

GalleryFinder::Job galleryJob(std::vector<std::int32_t> formulas, const GalleryOptions& options,
                              std::uint64_t seed) {
    return [formulas = std::move(formulas), options, seed](const std::atomic<bool>& cancel,
                                                           const GalleryFinder::Found& found) {
        const TFractalRec base = galleryBase(formulas.front());
        const Effects effects{};
        const MeasuringThreads measuring(options);
        const Result<GalleryResult> result =
            FindGallery(base, effects, formulas, seed, measuring.withPool, cancel,
                        [&](const GalleryTile& tile) { found(entryOf(tile, effects)); });
        return summaryOf(result, options);
    };
}

GalleryFinder::Job variationsJob(const GalleryEntry& original, double amount, const GalleryOptions& options,
                                 std::uint64_t seed) {
    return [original, amount, options, seed](const std::atomic<bool>& cancel,
                                             const GalleryFinder::Found& found) {
        const MeasuringThreads measuring(options);
        const Result<GalleryResult> result =
            FindVariations(original.record, original.effects, amount, seed, measuring.withPool, cancel,
                           [&](const GalleryTile& tile) { found(entryOf(tile, original.effects)); });
        return summaryOf(result, options);
    };
}

GalleryFinder::Job favouritesJob(const QString& folder) {
    return [folder](const std::atomic<bool>& cancel, const GalleryFinder::Found& found) {
        int shown = 0;
        QStringList unreadable;
        for (const QString& path : favouriteFiles(folder)) {
            if (cancel) return QStringLiteral("Stopped: %1 favourites shown").arg(shown);
            Result<GalleryEntry> entry = readFavourite(path);
            if (!entry) {
                unreadable << path;
                continue;
            }
            if (const Result<OrbitMeasures> measures =
                    MeasureOrbit(entry->record, entry->effects, entry->seed, kSettledBudget, &cancel))
                entry->measures = *measures;
            found(*entry);
            ++shown;
        }
        QString summary = QStringLiteral("%1 favourites in %2").arg(shown).arg(folder);
        if (!unreadable.isEmpty())
            summary += QStringLiteral("; unreadable: ") + unreadable.join(QStringLiteral(", "));
        return summary;
    };
}

}  // namespace zephyrin
