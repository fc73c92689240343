// Shares of a drawing (--share R/N), the parts that mpirun's ranks draw:
// one share is the drawing, the shares' counts files add up to the drawing's
// iterations with streams of their own, and a counts file's next run shares
// out the same way.
#include <gtest/gtest.h>

#include <fstream>

#include "engine/batch/counts_drawing.h"
#include "engine/core/defaults.h"
#include "engine/file/counts_file.h"
#include "engine/file/param_file.h"
#include "imaging/temp_folder.h"
#include "render/render_share.h"
#include "run_render.h"

namespace zephyrin {
namespace {

using testing::Outcome;
using testing::ReadAll;
using testing::RunRender;
using testing::TempFolder;

void ExpectDone(const Outcome& outcome) {
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
}

CountsFile Load(const std::filesystem::path& path) {
    Result<CountsFile> file = LoadCountsFile(path);
    EXPECT_TRUE(file) << file.error();
    return file ? *std::move(file) : CountsFile{};
}

// Formula 45 from a random start of seed 3, its counts saved to `counts`.
Outcome DrawShare(const TempFolder& folder, const std::string& share, const std::string& counts) {
    return RunRender({"--formula", "45", "--size", "80x60", "--iterations", "20001", "--seed", "3",
                      "--threads", "2", "--share", share, "--save-counts", (folder / counts).string()});
}

TEST(Shares, OneShareIsTheWholeDrawing) {
    TempFolder folder;
    ExpectDone(DrawShare(folder, "0/1", "share.tif"));
    ExpectDone(RunRender({"--formula", "45", "--size", "80x60", "--iterations", "20001", "--seed", "3",
                          "--threads", "2", "--save-counts", (folder / "whole.tif").string()}));
    EXPECT_EQ(ReadAll(folder / "share.tif"), ReadAll(folder / "whole.tif"));
}

TEST(Shares, SharesOfADrawingAddUpToItsIterations) {
    TempFolder folder;
    const RenderShare shares[] = {{0, 3}, {1, 3}, {2, 3}};
    std::vector<CountsFile> files;
    for (const RenderShare share : shares) {
        const std::string name = std::to_string(share.index) + ".tif";
        const Outcome drawn = DrawShare(folder, std::to_string(share.index) + "/3", name);
        ExpectDone(drawn);
        EXPECT_NE(drawn.out.find("; share " + std::to_string(share.index) + " of 3"), std::string::npos);
        files.push_back(Load(folder / name));
        // 20001 = 6667 * 3: each share draws a third, as a seed of its own.
        EXPECT_EQ(files.back().description.history, (CountsHistory{6667, {{ShareSeed(3, share), 1}}}));
    }
    EXPECT_NE(files[0].counts, files[1].counts) << "two shares drew the same streams";
    EXPECT_NE(files[1].counts, files[2].counts) << "two shares drew the same streams";
    // The same start: the shares differ in their streams alone.
    EXPECT_EQ(files[0].description.record.af, files[2].description.record.af);

    const Outcome merged =
        RunRender({"--merge", (folder / "0.tif").string(), (folder / "1.tif").string(),
                   (folder / "2.tif").string(), "--save-counts", (folder / "sum.tif").string()});
    ExpectDone(merged);
    EXPECT_EQ(merged.out, "3 counts files added: 20001 iterations\n");
    // Streams apart from the drawing's whole one and from its later runs'.
    for (const RenderShare share : shares)
        for (const std::uint64_t other :
             {std::uint64_t{3}, RunSeed(3, 1), RunSeed(3, 2), ShareSeed(3, {0, 2})})
            EXPECT_NE(ShareSeed(3, share), other) << share.index;
}

TEST(Shares, ACountsFilesNextRunSharesOutOnTheFirstShareOnly) {
    TempFolder folder;
    ExpectDone(DrawShare(folder, "0/1", "start.tif"));
    for (const char* share : {"0/2", "1/2"})
        ExpectDone(
            RunRender({(folder / "start.tif").string(), "--iterations", "1001", "--threads", "1", "--share",
                       share, "--save-counts", (folder / (std::string(share, 1) + ".tif")).string()}));
    const CountsFile start = Load(folder / "start.tif");
    const CountsFile first = Load(folder / "0.tif");
    const CountsFile second = Load(folder / "1.tif");
    // The next run of seed 3 is its second, shared out.
    const std::uint64_t run = RunSeed(3, 1);
    EXPECT_EQ(first.description.history, (CountsHistory{20001 + 501, {{3, 1}, {ShareSeed(run, {0, 2}), 1}}}));
    EXPECT_EQ(second.description.history, (CountsHistory{500, {{ShareSeed(run, {1, 2}), 1}}}));
    // The second share holds its own hits alone, none of the file's.
    EXPECT_LT(second.counts.TotalRise(), start.counts.TotalRise() / 10);
    EXPECT_GT(first.counts.TotalRise(), start.counts.TotalRise());
    ExpectDone(RunRender({"--merge", (folder / "0.tif").string(), (folder / "1.tif").string(),
                          "--save-counts", (folder / "sum.tif").string()}));
    EXPECT_EQ(Load(folder / "sum.tif").description.history.iterations, 20001 + 1001);
}

TEST(Shares, WhatCannotBeSharedIsRefused) {
    TempFolder folder;
    TFractalRec mixed = NewWindowRecord(80, 60);
    mixed.randomStart = kFalse;
    Effects colorMix;
    colorMix.colorMix = kTrue;
    std::ofstream(folder / "mix.zpr", std::ios::binary) << WriteParameterText(mixed, colorMix, '.');
    ExpectDone(DrawShare(folder, "0/1", "c.tif"));
    const std::string out = (folder / "x.png").string();
    const struct {
        std::vector<std::string> arguments;
        std::string_view say;
    } cases[] = {
        {{(folder / "mix.zpr").string(), "--share", "1/2", "-o", out},
         "no counts to save, export or share out"},
        {{(folder / "c.tif").string(), "--iterations", "0", "--share", "1/2", "-o", out},
         "--share goes with --iterations N above 0"},
    };
    for (const auto& k : cases) {
        const Outcome outcome = RunRender(k.arguments);
        EXPECT_EQ(outcome.status, 2) << k.say;
        EXPECT_NE(outcome.err.find(k.say), std::string::npos) << k.say << ": " << outcome.err;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

}  // namespace
}  // namespace zephyrin
