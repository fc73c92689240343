// The PNG file the renderer colours row by row on its threads against the
// picture made whole (as the PPM writer takes it), for every colouring,
// depth and supersampling, and at every compression level.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "imaging/image_readers.h"
#include "imaging/temp_folder.h"
#include "run_render.h"

namespace zephyrin {
namespace {

using testing::RunRender;
using testing::TempFolder;

std::vector<std::string> Drawing(const std::vector<std::string>& options,
                                 const std::filesystem::path& output) {
    std::vector<std::string> arguments{"--formula", "45",     "--size", "60x45",     "--iterations",
                                       "40000",     "--seed", "4",      "--threads", "2"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    arguments.insert(arguments.end(), {"-o", output.string()});
    return arguments;
}

TEST(PngOutput, RowByRowHoldsTheWholePicturesSamples) {
    TempFolder folder;
    const std::vector<std::vector<std::string>> cases{
        {},
        {"--supersample", "2"},
        {"--depth", "16"},
        {"--density"},
        {"--density", "--depth", "16"},
        {"--density", "--supersample", "3", "--depth", "16", "--white"},
    };
    for (const auto& options : cases) {
        ASSERT_EQ(RunRender(Drawing(options, folder / "rows.png")).status, 0);
        ASSERT_EQ(RunRender(Drawing(options, folder / "whole.ppm")).status, 0);
        const testing::DecodedSamples rows = testing::ReadPngSamples(folder / "rows.png");
        const testing::DecodedSamples whole = testing::ReadNetpbmSamples(folder / "whole.ppm");
        EXPECT_EQ(rows.bits, whole.bits) << options.size();
        EXPECT_FALSE(rows.samples.empty());
        EXPECT_TRUE(rows.samples == whole.samples) << "options " << options.size();
    }
}

TEST(PngOutput, EveryLevelHoldsTheSamePixels) {
    TempFolder folder;
    ASSERT_EQ(RunRender(Drawing({"--density", "--png-level", "0"}, folder / "stored.png")).status, 0);
    ASSERT_EQ(RunRender(Drawing({"--density", "--png-level", "9"}, folder / "small.png")).status, 0);
    EXPECT_TRUE(testing::ReadPngSamples(folder / "stored.png").samples ==
                testing::ReadPngSamples(folder / "small.png").samples);
    // Level 0 stores the rows as they are: 3 bytes a pixel and a filter byte a row.
    EXPECT_GT(std::filesystem::file_size(folder / "stored.png"), 60u * 45u * 3u + 45u);
    EXPECT_LT(std::filesystem::file_size(folder / "small.png"),
              std::filesystem::file_size(folder / "stored.png"));
    const testing::Outcome refused = RunRender(Drawing({"--png-level", "10"}, folder / "never.png"));
    EXPECT_NE(refused.status, 0);
    EXPECT_NE(refused.err.find("--png-level"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder / "never.png"));
}

}  // namespace
}  // namespace zephyrin
