// Counts files through the whole command: recolouring gives the first
// picture, continuing draws fresh streams, merging adds up what may be
// added, and everything else is refused.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "engine/core/defaults.h"
#include "engine/core/effects.h"
#include "engine/file/counts_file.h"
#include "engine/file/param_file.h"
#include "failing_allocation.h"
#include "imaging/temp_folder.h"
#include "render/render_program.h"

namespace zephyrin {
namespace {

using testing::TempFolder;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome RunRender(const std::vector<std::string>& arguments) {
    const std::vector<std::string_view> views(arguments.begin(), arguments.end());
    std::ostringstream out, err;
    const int status = RunRenderProgram(views, out, err, false);
    return {status, out.str(), err.str()};
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A drawing of formula 45 from a random start; `more` after the size.
std::vector<std::string> Drawing(const TempFolder& folder, std::vector<std::string> more) {
    std::vector<std::string> arguments = {"--formula", "45",     "--size", "80x60",     "--iterations",
                                          "20000",     "--seed", "3",      "--threads", "2"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    for (std::string& argument : arguments)
        if (argument.starts_with("@")) argument = (folder / argument.substr(1)).string();
    return arguments;
}

void ExpectDone(const Outcome& outcome) {
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
}

TEST(CountsModes, RecolouringWithTheFirstColouringGivesItsPictureExactly) {
    TempFolder folder;
    const std::vector<std::vector<std::string>> colourings = {
        {"--supersample", "2", "--white", "--sqrt-filter"},
        {"--gradient", "ice", "--gamma", "3", "--depth", "16"},
    };
    for (const std::vector<std::string>& colouring : colourings) {
        std::vector<std::string> first = colouring;
        first.insert(first.end(), {"-o", "@a.png", "--save-counts", "@a.tif"});
        ExpectDone(RunRender(Drawing(folder, first)));
        const std::vector<std::string> again = {(folder / "a.tif").string(),
                                                "--iterations",
                                                "0",
                                                "--depth",
                                                colouring.back() == "16" ? "16" : "8",
                                                "-o",
                                                (folder / "b.png").string()};
        ExpectDone(RunRender(again));
        EXPECT_TRUE(ReadAll(folder / "b.png") == ReadAll(folder / "a.png")) << colouring.front();
        EXPECT_EQ(ReadAll(folder / "b.zpr"), ReadAll(folder / "a.zpr"));
    }
    // Other colouring options colour the same counts otherwise, and say so.
    ExpectDone(RunRender({(folder / "a.tif").string(), "--iterations", "0", "--gradient", "fire", "-o",
                          (folder / "c.png").string(), "--export-density", (folder / "c.exr").string()}));
    EXPECT_FALSE(ReadAll(folder / "c.png") == ReadAll(folder / "a.png"));
    EXPECT_TRUE(ReadAll(folder / "c.zpr").ends_with("gradient=fire\r\n"));
    EXPECT_TRUE(ReadAll(folder / "c.exr").starts_with("\x76\x2f\x31\x01")) << "OpenEXR's magic number";
}

CountsFile Load(const std::filesystem::path& path) {
    Result<CountsFile> file = LoadCountsFile(path);
    EXPECT_TRUE(file) << file.error();
    return file ? *std::move(file) : CountsFile{};
}

// The rise the second counts have above the first.
std::vector<std::int64_t> Added(const CountGrid& after, const CountGrid& before) {
    std::vector<std::int64_t> added;
    for (std::size_t i = 0; i < after.Size(); ++i) added.push_back(after.Counts()[i] - before.Counts()[i]);
    return added;
}

TEST(CountsModes, ContinuingDrawsStreamsNoRunBeforeDrew) {
    TempFolder folder;
    ExpectDone(RunRender(Drawing(folder, {"--density", "--save-counts", "@one.tif"})));
    const Outcome second = RunRender({(folder / "one.tif").string(), "--iterations", "20000", "--threads",
                                      "1", "--save-counts", (folder / "two.tif").string()});
    ExpectDone(second);
    EXPECT_NE(second.out.find("run 2 of seed 3, the counts hold 40000 iterations"), std::string::npos)
        << second.out;
    ExpectDone(
        RunRender({(folder / "two.tif").string(), "--iterations", "10000", "--seed", "9", "--save-counts",
                   (folder / "three.tif").string(), "-o", (folder / "three.png").string()}));

    const CountsFile one = Load(folder / "one.tif");
    const CountsFile two = Load(folder / "two.tif");
    const CountsFile three = Load(folder / "three.tif");
    EXPECT_EQ(one.description.history, (CountsHistory{20000, {{3, 1}}}));
    EXPECT_EQ(two.description.history, (CountsHistory{40000, {{3, 2}}}));
    EXPECT_EQ(three.description.history, (CountsHistory{50000, {{3, 2}, {9, 1}}}));
    const CountGrid untouched(one.counts.Width(), one.counts.Height());
    const std::vector<std::int64_t> firstRun = Added(one.counts, untouched);
    const std::vector<std::int64_t> secondRun = Added(two.counts, one.counts);
    EXPECT_NE(secondRun, firstRun) << "the second run repeated the first one's streams";
    const double ratio =
        static_cast<double>(two.counts.TotalRise()) / static_cast<double>(one.counts.TotalRise());
    EXPECT_NEAR(ratio, 2, 0.2);
    EXPECT_TRUE(ReadAll(folder / "three.zpr").ends_with("gradient=sunset\r\n"));
}

TEST(CountsModes, MergingAddsUpTheSameDrawingsCountsOnly) {
    TempFolder folder;
    ExpectDone(RunRender(Drawing(folder, {"-o", "@a.png", "--no-params"})));
    ExpectDone(RunRender(Drawing(folder, {"-o", "@a.png"})));
    for (const char* seed : {"1", "2"})
        ExpectDone(
            RunRender({(folder / "a.zpr").string(), "--size", "80x60", "--iterations", "20000", "--seed",
                       seed, "--save-counts", (folder / (std::string(seed) + ".tif")).string()}));
    const Outcome merged = RunRender({"--merge", (folder / "1.tif").string(), (folder / "2.tif").string(),
                                      "--save-counts", (folder / "sum.tif").string()});
    ExpectDone(merged);
    EXPECT_EQ(merged.out, "2 counts files added: 40000 iterations\n");

    CountsFile sum = Load(folder / "1.tif");
    sum.counts.Add(Load(folder / "2.tif").counts);
    const CountsFile written = Load(folder / "sum.tif");
    EXPECT_EQ(written.counts, sum.counts);
    EXPECT_EQ(written.description.history, (CountsHistory{40000, {{1, 1}, {2, 1}}}));

    ExpectDone(RunRender(Drawing(folder, {"--formula", "63", "--save-counts", "@other.tif"})));
    ExpectDone(RunRender({(folder / "a.zpr").string(), "--size", "40x30", "--iterations", "100", "--seed",
                          "5", "--save-counts", (folder / "small.tif").string()}));
    const struct {
        const char* with;
        std::string_view say;
    } refusals[] = {
        {"1.tif", "both were drawn with seed 1"},
        {"other.tif", "the formula: 45 and 63"},
        {"small.tif", "the size: 80 x 60 and 40 x 30 counts"},
    };
    for (const auto& refusal : refusals) {
        const Outcome outcome =
            RunRender({"--merge", (folder / "1.tif").string(), (folder / refusal.with).string(), "-o",
                       (folder / "no.png").string()});
        EXPECT_EQ(outcome.status, 1) << refusal.with;
        EXPECT_NE(outcome.err.find(refusal.say), std::string::npos) << outcome.err;
        EXPECT_FALSE(std::filesystem::exists(folder / "no.png"));
    }
}

TEST(CountsModes, WhatCannotBeDoneIsRefused) {
    TempFolder folder;
    ExpectDone(RunRender(Drawing(folder, {"-o", "@a.tif", "--save-counts", "@c.tif"})));
    TFractalRec mixed = NewWindowRecord(80, 60);
    mixed.randomStart = kFalse;
    Effects colorMix;
    colorMix.colorMix = kTrue;
    std::ofstream(folder / "mix.zpr", std::ios::binary) << WriteParameterText(mixed, colorMix, '.');
    const std::string counts = ReadAll(folder / "c.tif");
    std::ofstream(folder / "cut.tif", std::ios::binary) << counts.substr(0, counts.size() / 2);

    const std::string c = (folder / "c.tif").string();
    const std::string out = (folder / "x.png").string();
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string_view say;
    } cases[] = {
        {{c, "-o", out}, 2, "a counts file needs --iterations N"},
        {{c, "--iterations", "10", "--size", "10x10", "-o", out}, 2, "--size cannot change the drawing"},
        {{"--merge", c, c, "--iterations", "5", "-o", out},
         2,
         "--merge draws nothing: it takes no --iterations"},
        {{"--merge", c, "-o", out}, 2, "--merge needs two counts files or more"},
        {{(folder / "mix.zpr").string(), "--iterations", "10", "--save-counts", (folder / "m.tif").string()},
         2,
         "painted as it goes"},
        {{(folder / "mix.zpr").string(), "--iterations", "0", "-o", out}, 2, "0 recolours a counts file"},
        {{(folder / "a.tif").string(), "--iterations", "0", "-o", out},
         1,
         "holds no counts: it holds 3 samples"},
        {{(folder / "cut.tif").string(), "--iterations", "0", "-o", out}, 1, "or it is cut short"},
        {{c, "--iterations", "0", "--save-counts", out}, 2, "--save-counts expects a .tif file"},
    };
    for (const auto& k : cases) {
        const Outcome outcome = RunRender(k.arguments);
        EXPECT_EQ(outcome.status, k.status) << k.say;
        EXPECT_NE(outcome.err.find(k.say), std::string::npos) << k.say << ": " << outcome.err;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

// Drawing on counts and adding them up run out of memory anywhere with a
// message, never an escape.
TEST(CountsModes, RunningOutOfMemoryAnywhereEndsWithAMessage) {
    TempFolder folder;
    ExpectDone(
        RunRender({"--size", "8x6", "--supersample", "2", "--iterations", "300", "--seed", "1", "--formula",
                   "45", "--save-counts", (folder / "1.tif").string(), "-o", (folder / "1.png").string()}));
    ExpectDone(RunRender({(folder / "1.zpr").string(), "--size", "8x6", "--supersample", "2", "--iterations",
                          "300", "--seed", "2", "--save-counts", (folder / "2.tif").string()}));
    const std::string one = (folder / "1.tif").string();
    // The picture files are RenderProgram's test.
    const std::vector<std::vector<std::string>> commands = {
        {one, "--iterations", "300", "--save-counts", (folder / "c.tif").string(), "--export-density",
         (folder / "l.tif").string()},
        {"--merge", one, (folder / "2.tif").string(), "--save-counts", (folder / "m.tif").string()},
    };
    for (const std::vector<std::string>& command : commands) {
        const std::vector<std::string_view> views(command.begin(), command.end());
        for (long failAt = 0;; ++failAt) {
            testing::FixedBuffer outText, errText;
            std::ostream out(&outText), err(&errText);
            int status = -1;
            bool escaped = false;
            testing::ArmAllocations(failAt);
            try {
                status = RunRenderProgram(views, out, err, false);
            } catch (...) {
                escaped = true;
            }
            const long allocations = testing::DisarmAllocations();
            ASSERT_FALSE(escaped) << command.front() << ", allocation " << failAt;
            if (failAt >= allocations) {
                EXPECT_EQ(status, 0) << errText.Text();
                break;
            }
            const bool toldOf = status == 1 && errText.Text().find("memory") != std::string_view::npos;
            ASSERT_TRUE(status == 0 || toldOf)
                << command.front() << ", allocation " << failAt << ": " << status << ", " << errText.Text();
        }
    }
}

}  // namespace
}  // namespace zephyrin
