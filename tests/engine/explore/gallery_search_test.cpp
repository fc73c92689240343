// The gallery search, its variations, and the quasi-periodic orbits.
#include "engine/explore/gallery_search.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/core/defaults.h"
#include "engine/core/formula_table.h"
#include "engine/explore/attractor_search.h"
#include "engine/known_records.h"

namespace zephyrin {
namespace {

const std::atomic<bool> kNever{false};

TFractalRec NewWindow(int formula) {
    TFractalRec v = NewWindowRecord(200, 150);
    SelectFormula(v, formula);
    return v;
}

TEST(FindGallery, TilesOneByOneTheSameForTheSameSeed) {
    const std::vector<std::int32_t> formulas{70, 71};
    const GalleryOptions options{.tiles = 3};
    std::vector<std::int32_t> reported;
    const Result<GalleryResult> first =
        FindGallery(NewWindow(70), {}, formulas, 9, options, kNever,
                    [&](const GalleryTile& tile) { reported.push_back(tile.candidate); });
    ASSERT_TRUE(first);
    ASSERT_EQ(first->tiles.size(), 3u);
    ASSERT_EQ(reported.size(), 3u);
    // Measured side by side, the candidates still make the same tiles.
    ThreadPool pool(2);
    GalleryOptions pooled = options;
    pooled.measuringPool = &pool;
    const Result<GalleryResult> again = FindGallery(NewWindow(70), {}, formulas, 9, pooled, kNever);
    ASSERT_EQ(again->tiles.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const GalleryTile& tile = first->tiles[i];
        EXPECT_EQ(reported[i], tile.candidate) << "reported as found, in order";
        EXPECT_TRUE(tile.record.formula == 70 || tile.record.formula == 71);
        EXPECT_EQ(tile.record.randomStart, kFalse);
        EXPECT_GT(tile.measures.score, 0);
        EXPECT_TRUE(again->tiles[i].record.af == tile.record.af);
        EXPECT_EQ(again->tiles[i].measures.score, tile.measures.score);
    }
    EXPECT_GE(first->candidates, 3);
    EXPECT_EQ(again->candidates, first->candidates);
}

TEST(FindGallery, BandsBudgetAndCancel) {
    const std::vector<std::int32_t> formulas{70};
    // No attractor of the plane has a dimension above 2.
    const GalleryOptions impossible{.tiles = 2, .candidatesPerTile = 5, .dimensionBand = Band{2.5, 3}};
    const Result<GalleryResult> none = FindGallery(NewWindow(70), {}, formulas, 1, impossible, kNever);
    EXPECT_TRUE(none->tiles.empty());
    EXPECT_EQ(none->candidates, 10);
    EXPECT_GT(none->outOfBand, 0);

    // Cancelled as the first tile is reported: the search ends before the next candidate.
    std::atomic<bool> cancel{false};
    const Result<GalleryResult> stopped =
        FindGallery(NewWindow(70), {}, formulas, 1, {}, cancel, [&](const GalleryTile&) { cancel = true; });
    EXPECT_TRUE(stopped->cancelled);
    EXPECT_EQ(stopped->tiles.size(), 1u);
    EXPECT_EQ(stopped->candidates, stopped->tiles.front().candidate);
    EXPECT_TRUE(FindGallery(NewWindow(70), {}, std::vector<std::int32_t>{73}, 1, {}, kNever)->tiles.empty());
}

TEST(FindVariations, MovesCoefficientsAAndBWithinTheAmount) {
    const TFractalRec original = testing::Sierpinski(200, 150);
    const double amount = 0.1;
    const Result<GalleryResult> found = FindVariations(original, {}, amount, 4, {.tiles = 3}, kNever);
    ASSERT_TRUE(found);
    ASSERT_EQ(found->tiles.size(), 3u);
    // The random range is 2: coefficients and A move by up to 0.1 * 1.
    for (const GalleryTile& tile : found->tiles) {
        double largest = 0;
        for (int i = 1; i <= Coefficients::kCount; ++i)
            largest = std::max(largest, std::fabs(tile.record.af[i] - original.af[i]));
        EXPECT_LE(largest, 0.1);
        EXPECT_GT(largest, 0);
        EXPECT_LE(std::fabs(tile.record.AAStart - original.AAStart), 0.1);
        EXPECT_LE(std::fabs(tile.record.BB - original.BB), 0.001);
        EXPECT_EQ(tile.record.startX, original.startX);
    }
}

TEST(QuasiPeriodic, Formula51CirclesAndIsKeptOnlyWhenAsked) {
    // Its orbits neither settle nor spread: the exponent is 0 (issue figures:
    // nothing found in a second for any of five seeds).
    const SearchLimits chaoticOnly{.maxTries = 30, .maxTime = std::nullopt};
    TFractalRec plain = NewWindow(51);
    EXPECT_EQ(FindAttractor(plain, {}, chaoticOnly, 3, kNever)->outcome, SearchOutcome::kNotFound);

    SearchLimits quasi = chaoticOnly;
    quasi.keepQuasiPeriodic = true;
    TFractalRec found = NewWindow(51);
    ASSERT_EQ(FindAttractor(found, {}, quasi, 3, kNever)->outcome, SearchOutcome::kFound);
    const OrbitMeasures measures = *MeasureOrbit(found, {}, 3);
    EXPECT_EQ(measures.kind, OrbitKind::kWandering);
    EXPECT_LE(std::fabs(measures.lyapunov), kQuasiPeriodicBand);
    EXPECT_GE(measures.dimension, kMinQuasiPeriodicDimension);
}

}  // namespace
}  // namespace zephyrin
