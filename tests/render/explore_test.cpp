// --find and --fit: what they do to the drawing and to the parameter file.
#include "render/explore.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <sstream>

#include "engine/core/defaults.h"
#include "engine/core/formula_table.h"
#include "engine/explore/attractor_search.h"
#include "engine/file/param_file.h"
#include "imaging/temp_folder.h"
#include "render/render_program.h"

namespace zephyrin {
namespace {

using testing::TempFolder;

int RunRender(const std::vector<std::string>& arguments, std::string* err = nullptr) {
    const std::vector<std::string_view> views(arguments.begin(), arguments.end());
    std::ostringstream out, errors;
    const int status = RunRenderProgram(views, out, errors, false);
    if (err) *err = errors.str();
    return status;
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TFractalRec ReadBack(const std::filesystem::path& path) {
    TFractalRec v;
    Effects effects;
    EXPECT_EQ(ReadParameterText(ReadAll(path), "test", '.', v, effects), ParameterReadReport{}) << path;
    return v;
}

TEST(Explore, FindWritesTheFoundStartAndItsViewForTheWindow) {
    TempFolder folder;
    const auto find = [&](const std::string& name) {
        return RunRender({"--find", "--formula", "63", "--seed", "11", "--size", "200x150", "--iterations",
                          "20000", "-o", (folder / name).string()});
    };
    ASSERT_EQ(find("a.png"), kRenderDone);
    ASSERT_EQ(find("b.png"), kRenderDone);

    TFractalRec expected = NewWindowRecord(200, 150);
    SelectFormula(expected, 63);
    const std::atomic<bool> never{false};
    ASSERT_EQ(FindAttractor(expected, {}, {.maxTries = kRenderFindTries, .maxTime = {}}, 11, never)->outcome,
              SearchOutcome::kFound);
    EXPECT_EQ(ReadAll(folder / "a.zpr"), WriteParameterText(expected, {}, '.'));
    EXPECT_TRUE(ReadAll(folder / "a.png") == ReadAll(folder / "b.png"));

    std::string err;
    EXPECT_EQ(RunRender({"--find", "--formula", "73", "-o", (folder / "none.png").string()}, &err),
              kRenderNothingFound);
    EXPECT_NE(err.find("no attractor of formula 73 found"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(folder / "none.png"));
}

TEST(Explore, FitFramesAParameterFilesOrbitAndKeepsItsValues) {
    TempFolder folder;
    ASSERT_EQ(RunRender({"--seed", "3", "--size", "200x150", "--iterations", "1000", "-o",
                         (folder / "start.png").string()}),
              kRenderDone);
    ASSERT_EQ(RunRender({(folder / "start.zpr").string(), "--fit", "--seed", "4", "--iterations", "1000",
                         "-o", (folder / "fit.png").string()}),
              kRenderDone);
    const TFractalRec start = ReadBack(folder / "start.zpr");
    const TFractalRec fit = ReadBack(folder / "fit.zpr");
    EXPECT_TRUE(fit.af == start.af);
    EXPECT_EQ(fit.startX, start.startX);
    EXPECT_EQ(start.zoom, 0.01);
    EXPECT_GT(fit.zoom, 0.05) << "formula 70's attractors are a few units wide, not hundreds";
}

}  // namespace
}  // namespace zephyrin
