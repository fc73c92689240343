#include "engine/explore/gallery_search.h"

#include <algorithm>
#include <new>
#include <optional>

#include "engine/core/formula_table.h"
#include "engine/core/random.h"
#include "engine/explore/measures_side_by_side.h"
#include "engine/explore/orbit_probe.h"
#include "engine/explore/vector_state.h"

namespace zephyrin {

namespace {

std::uint64_t CandidateSeed(std::uint64_t seed, std::int32_t candidate) {
    return MixBits(seed + static_cast<std::uint64_t>(candidate) * kGoldenGamma);
}

// A stream apart from the candidate's judging streams, which its seed starts.
std::uint64_t OwnStream(std::uint64_t candidateSeed) {
    return MixBits(candidateSeed ^ 0x5bd1e9955bd1e995ULL);
}

// An orbit that the search saw wander but that goes on to settle on a long
// cycle, or to shrink onto a few points, measures about 0 over its whole
// run; its tile would stay nearly empty.
constexpr double kMinGalleryDimension = 0.5;

bool StillWanders(const GalleryTile& tile) {
    return RestartsItself(ShapeOf(tile.record.formula)) || tile.measures.dimension >= kMinGalleryDimension;
}

bool InBands(const OrbitMeasures& measures, const GalleryOptions& options) {
    return (!options.lyapunovBand || options.lyapunovBand->Holds(measures.lyapunov)) &&
           (!options.dimensionBand || options.dimensionBand->Holds(measures.dimension));
}

// A measured candidate kept as a tile, or counted as passed over.
void Take(const GalleryTile& tile, const GalleryOptions& options, const TileFound& found,
          GalleryResult& result) {
    if (!StillWanders(tile)) {
        ++result.rejected.settled;
        return;
    }
    if (!InBands(tile.measures, options)) {
        ++result.outOfBand;
        return;
    }
    result.tiles.push_back(tile);
    if (found) found(result.tiles.back());
}

// The next candidate that JudgeStart passes, or nothing once the budget is
// spent or the search is cancelled (result.cancelled).
template <typename MakeCandidate>
std::optional<GalleryTile> NextPassed(const Effects& effects, const GalleryOptions& options,
                                      const std::atomic<bool>& cancel, std::uint64_t seed,
                                      std::int64_t budget, MakeCandidate& makeCandidate,
                                      std::vector<Point2D>& points, GalleryResult& result) {
    while (result.candidates < budget) {
        if (cancel.load(std::memory_order_relaxed)) {
            result.cancelled = true;
            return std::nullopt;
        }
        GalleryTile tile;
        tile.candidate = ++result.candidates;
        tile.seed = CandidateSeed(seed, tile.candidate);
        tile.record = makeCandidate(tile.seed);
        const Judged judged =
            JudgeStart(tile.record, effects, tile.seed, options.keepQuasiPeriodic, cancel, points);
        if (judged.verdict == Verdict::kCancelled) {
            result.cancelled = true;
            return std::nullopt;
        }
        if (judged.verdict == Verdict::kPass) return tile;
        Count(result.rejected, judged.verdict);
    }
    return std::nullopt;
}

// The search shared by the gallery and its variations; `makeCandidate(seed)`
// gives the record to judge. The candidates that pass are measured with the
// settled budget: with a measuring pool, as many side by side as tiles are
// still wanted (some measures take seven times as long as others, so pairs
// would keep a thread waiting), and taken in the order they were judged:
// the tiles are those a search measuring one candidate at a time keeps.
template <typename MakeCandidate>
[[nodiscard]] Result<GalleryResult> Search(const Effects& effects, const GalleryOptions& options,
                                           const std::atomic<bool>& cancel, const TileFound& found,
                                           std::uint64_t seed, MakeCandidate makeCandidate) {
    ClearUpperVectorState();
    GalleryResult result;
    const std::int64_t budget =
        std::int64_t{std::max(options.tiles, 0)} * std::max(options.candidatesPerTile, 0);
    try {
        std::vector<Point2D> points;
        std::vector<GalleryTile> passed;
        while (std::ssize(result.tiles) < options.tiles && !result.cancelled) {
            const std::size_t wanted =
                options.measuringPool ? static_cast<std::size_t>(options.tiles) - result.tiles.size() : 1;
            passed.clear();
            while (passed.size() < wanted)
                if (std::optional<GalleryTile> tile =
                        NextPassed(effects, options, cancel, seed, budget, makeCandidate, points, result))
                    passed.push_back(*tile);
                else
                    break;
            if (result.cancelled || passed.empty()) return result;
            std::vector<MeasureRequest> requests;
            for (const GalleryTile& tile : passed) requests.push_back({tile.record, tile.seed});
            const Result<> measured =
                MeasureSideBySide(requests, effects, kSettledBudget, options.measuringPool, cancel,
                                  [&](std::size_t i, const OrbitMeasures& measures) {
                                      passed[i].measures = measures;
                                      Take(passed[i], options, found, result);
                                  });
            if (cancel.load(std::memory_order_relaxed)) {
                result.cancelled = true;
                return result;
            }
            if (!measured) return Failure(measured.error());
        }
        return result;
    } catch (const std::bad_alloc&) {
        return Failure("not enough memory to search for a gallery of attractors");
    }
}

}  // namespace

std::vector<std::int32_t> GalleryFormulas() {
    std::vector<std::int32_t> formulas;
    for (const FormulaInfo& formula : Formulas())
        if (formula.enabled && formula.shape != FormulaShape::kNone) formulas.push_back(formula.number);
    return formulas;
}

Result<GalleryResult> FindGallery(const TFractalRec& base, const Effects& effects,
                                  std::span<const std::int32_t> formulas, std::uint64_t seed,
                                  const GalleryOptions& options, const std::atomic<bool>& cancel,
                                  const TileFound& found) {
    std::vector<std::int32_t> drawable;
    for (const std::int32_t formula : formulas)
        if (ShapeOf(formula) != FormulaShape::kNone) drawable.push_back(formula);
    if (drawable.empty()) return GalleryResult{};
    return Search(effects, options, cancel, found, seed, [&](std::uint64_t candidateSeed) {
        Random pick(OwnStream(candidateSeed));
        const auto index = static_cast<std::size_t>(pick.Uniform() * static_cast<double>(drawable.size()));
        TFractalRec candidate = base;
        if (drawable[index] != base.formula) SelectFormula(candidate, drawable[index]);
        OrbitProbe starter(candidate, effects, candidateSeed);
        starter.MakeRandomStart();
        TakeStartValues(candidate, starter.Record());
        return candidate;
    });
}

Result<GalleryResult> FindVariations(const TFractalRec& original, const Effects& effects, double amount,
                                     std::uint64_t seed, const GalleryOptions& options,
                                     const std::atomic<bool>& cancel, const TileFound& found) {
    return Search(effects, options, cancel, found, seed, [&](std::uint64_t candidateSeed) {
        Random random(OwnStream(candidateSeed));
        const auto move = [&](double reach) { return (2 * random.Uniform() - 1) * amount * reach; };
        TFractalRec candidate = original;
        candidate.randomStart = kFalse;
        const double reach = original.randomizer / 2;
        for (int i = 1; i <= Coefficients::kCount; ++i) candidate.af[i] += move(reach);
        candidate.AAStart += move(reach);
        candidate.AA = candidate.AACopy = candidate.AAStart;
        candidate.BB += move(0.01);
        return candidate;
    });
}

}  // namespace zephyrin
