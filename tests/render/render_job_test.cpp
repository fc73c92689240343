// Drawing with one or more threads: the engine's own picture, reproducible
// pictures, and the same final counts however the work is shared.
#include "render/render_job.h"

#include <gtest/gtest.h>

#include "engine/core/defaults.h"
#include "engine/core/engine.h"
#include "engine/core/view_coords.h"
#include "engine/faithfulness.h"
#include "engine/file/param_file.h"
#include "engine/test_host.h"

namespace zephyrin {
namespace {

DrawingSetup NewWindow(std::int32_t width, std::int32_t height) {
    DrawingSetup setup{NewWindowRecord(width, height), {}};
    FreezeView(setup.record);
    return setup;
}

RenderResult Draw(const DrawingSetup& setup, std::int32_t threads, std::uint64_t seed,
                  std::int64_t iterations) {
    RenderSettings settings;
    settings.threads = threads;
    settings.seed = seed;
    settings.iterations = iterations;
    return Render(setup, settings, {});
}

int LitPixels(const Picture& picture) {
    int lit = 0;
    for (int row = 0; row < picture.Height(); ++row)
        for (int column = 0; column < picture.Width(); ++column) lit += picture.Pixel(column, row) != 0;
    return lit;
}

// Painted as it goes where the counts do not tell the colours: the engine's
// own picture of the start.
// The drawing no longer continues the random start's stream: it is the
// engine's run of the start as its parameter file holds it, so that the file
// draws it again.
TEST(Render, OneThreadIsTheEnginesOwnRunOfItsStartWithTheSameSeed) {
    DrawingSetup plain = NewWindow(160, 120);
    DrawingSetup colorMix = plain;
    colorMix.effects.colorMix = kTrue;
    DrawingSetup fading = plain;  // hits of -10 to +10
    fading.record.intensity = -20;
    fading.record.white = kTrue;
    DrawingSetup fromFile = plain;  // the same random start, not rounded
    testing::TestHost fileHost(fromFile.record);
    Engine(99).RandomStartIfPending(fromFile.record, fileHost);

    for (const DrawingSetup* setup : {&plain, &colorMix, &fading, &fromFile}) {
        const RenderResult rendered = Draw(*setup, 1, 99, 30'000);

        TFractalRec randomStart = setup->record;
        testing::TestHost starter(randomStart);
        Engine(99).RandomStartIfPending(randomStart, starter);
        Effects effects = setup->effects;
        TFractalRec asWritten = randomStart;
        RoundAsWritten(asWritten, effects);
        if (setup != &fromFile) {
            EXPECT_EQ(rendered.start.af, asWritten.af) << "Engine(99)'s random start, as the file holds it";
            EXPECT_EQ(rendered.start.startX, asWritten.startX);
        }
        EXPECT_EQ(rendered.start.randomStart, kFalse);
        if (setup == &fromFile) {
            EXPECT_EQ(rendered.start.af, setup->record.af) << "no random start, no rounding";
        }

        TFractalRec v = rendered.start;
        testing::TestHost host(v);
        host.effects.colorMix = setup->effects.colorMix;
        host.StopAfter(30'000);
        Engine engine(99);
        engine.RunEngine(v, host);

        EXPECT_EQ(rendered.threads, 1);
        EXPECT_EQ(rendered.iterations, 30'000);
        EXPECT_EQ(rendered.record.iterations, 30'000);
        EXPECT_GT(LitPixels(rendered.picture), 100);
        // Counts-only drawings run batches of orbits instead (OrbitBatch).
        if (CountsTellTheColours(*setup)) continue;
        EXPECT_EQ(rendered.record.lastX, v.lastX) << "the same orbit";
        EXPECT_TRUE(rendered.picture == host.Image());
    }
}

TEST(Render, TheSameSeedDrawsTheSamePictureAndAnotherSeedAnother) {
    const DrawingSetup setup = NewWindow(160, 120);
    const RenderResult first = Draw(setup, 2, 5, 40'000);
    const RenderResult again = Draw(setup, 2, 5, 40'000);
    const RenderResult other = Draw(setup, 2, 6, 40'000);
    EXPECT_EQ(first.threads, 2);
    EXPECT_EQ(first.iterations, 40'000);
    EXPECT_TRUE(first.picture == again.picture);
    EXPECT_FALSE(first.picture == other.picture);
}

// Formula 73 never moves the point, so every iteration plots the same pixels
// with the same weights: however the iterations are shared out, each pixel
// ends at the same count.
TEST(Render, TwoThreadsDrawAFixedPointAsOneDoes) {
    DrawingSetup fromFile = NewWindow(40, 30);
    TFractalRec& v = fromFile.record;
    v.formula = 73;
    v.randomStart = kFalse;
    v.startX = v.xCenter = 0.3;
    v.startY = v.yCenter = 0.2;
    v.zoom = 5;  // a pixel is about 0.02 wide: the None and Swirl plots fall apart
    FreezeView(v);

    DrawingSetup random = NewWindow(40, 30);
    random.record.formula = 73;
    random.record.randomizer = 0.5;  // starts within a quarter of the centre
    random.record.zoom = 5;
    FreezeView(random.record);
    DrawingSetup filtered = random;
    filtered.record.sqrtFilter = kTrue;
    filtered.record.white = kTrue;

    for (const DrawingSetup* setup : {&fromFile, &random, &filtered}) {
        // 25 iterations keep the counts below the top level (50 + 25 * 10).
        const RenderResult one = Draw(*setup, 1, 8, 25);
        const RenderResult two = Draw(*setup, 2, 8, 25);
        const RenderResult three = Draw(*setup, 3, 8, 25);
        EXPECT_EQ(two.threads, 2);
        EXPECT_EQ(three.threads, 3);
        EXPECT_GE(LitPixels(one.picture), 1);
        EXPECT_TRUE(one.picture == two.picture);
        EXPECT_TRUE(one.picture == three.picture);
    }
}

TEST(Render, ThreadsWhenTheCountsTellTheColours) {
    DrawingSetup setup = NewWindow(40, 30);
    EXPECT_EQ(UsableThreads(setup, 4), 4);
    setup.effects.colorMix = kTrue;
    EXPECT_EQ(UsableThreads(setup, 4), 1);
    setup.effects.colorMix = kFalse;
    setup.record.intensity = -9.4;  // the least hit still adds round(0.6) = 1
    EXPECT_EQ(UsableThreads(setup, 4), 4);
    setup.record.intensity = -9.5;  // round(0.5) = 0: a hit may leave its count
    EXPECT_EQ(UsableThreads(setup, 4), 1);

    // Never more threads than iterations.
    EXPECT_EQ(Draw(NewWindow(40, 30), 4, 1, 3).threads, 3);
}

// The filtered level is a function of the final count as well, so such
// drawings run on every thread; formula 73 with intensity 0 and None alone
// adds 10 to one pixel at every iteration.
TEST(Render, TheSquareRootFilterColoursFromTheCountsOnEveryThread) {
    DrawingSetup setup{testing::StillPointRecord(), {}};
    setup.record.sqrtFilter = kTrue;
    const RenderResult result = Draw(setup, 2, 1, 1000);
    EXPECT_EQ(result.threads, 2);
    // A count of 50 + 10 * 1000: level round(2 * sqrt(2 * 10050)) = 284,
    // ramp (255, 28, 0), grey round(283 * 0.33) = 93.
    int painted = 0;
    for (int row = 0; row < 30; ++row)
        for (int column = 0; column < 40; ++column)
            painted += result.picture.Pixel(column, row) == Picture::Pack(93, 93, 93);
    EXPECT_EQ(painted, 1);
    EXPECT_EQ(LitPixels(result.picture), 1);
}

TEST(Render, ATimedDrawingStopsAndReportsOnTheWay) {
    RenderSettings settings;
    settings.threads = 2;
    settings.seconds = 0.35;
    std::vector<RenderProgress> reports;
    const RenderResult result =
        Render(NewWindow(40, 30), settings, [&](const RenderProgress& p) { reports.push_back(p); });
    EXPECT_GE(result.seconds, 0.35);
    EXPECT_LT(result.seconds, 30.0);
    EXPECT_GT(result.iterations, 0);
    ASSERT_GE(reports.size(), 2u);
    for (std::size_t i = 1; i < reports.size(); ++i) {
        EXPECT_GE(reports[i].iterations, reports[i - 1].iterations);
        EXPECT_GE(reports[i].fraction, reports[i - 1].fraction);
    }
    EXPECT_LE(reports.back().fraction, 1.0);
    EXPECT_LE(reports.back().iterations, result.iterations);
}

}  // namespace
}  // namespace zephyrin
