// The animation's command line, the frames' names and the frames' table.
#include "render/animate_options.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "imaging/temp_folder.h"
#include "engine/animate/frame_pattern.h"
#include "render/frame_table.h"
#include "render/render_options.h"

namespace zephyrin {
namespace {

Result<RenderOptions> Parse(std::vector<std::string_view> arguments) {
    return ParseRenderOptions(arguments);
}

TEST(AnimateOptions, KeyframesAfterAnimateAndAnAnimationFile) {
    const Result<RenderOptions> parsed =
        Parse({"a.zpr", "--animate", "b.png", "c.zpr", "--frames=48", "--loop", "--smooth", "--frame-range",
               "10-19", "--skip-existing", "--motion-blur", "4", "--video", "v.mp4", "--fps", "24",
               "--quasi-periodic", "-o", "out/f-%04d.png"});
    ASSERT_TRUE(parsed) << parsed.error();
    const AnimateOptions& a = parsed->animation;
    EXPECT_EQ(a.keyframes, (std::vector<std::filesystem::path>{"a.zpr", "b.png", "c.zpr"}));
    EXPECT_FALSE(parsed->parameterFile);
    EXPECT_EQ(a.frames, 48);
    EXPECT_TRUE(a.loop && a.smooth && a.skipExisting && parsed->quasiPeriodic);
    EXPECT_EQ(a.range->first, 10);
    EXPECT_EQ(a.range->last, 19);
    EXPECT_EQ(a.motionBlur, 4);
    EXPECT_EQ(a.video, "v.mp4");
    EXPECT_EQ(a.fps, 24);

    const Result<RenderOptions> file = Parse({"walk.zpa", "--size", "64x48", "-o", "f.png"});
    ASSERT_TRUE(file) << file.error();
    EXPECT_EQ(file->animation.file, "walk.zpa");
    EXPECT_TRUE(file->animation.On());
    EXPECT_TRUE(file->Given("--size"));
    EXPECT_FALSE(file->Given("--seed"));
}

TEST(AnimateOptions, Refusals) {
    const struct {
        std::vector<std::string_view> arguments;
        std::string_view message;
    } cases[] = {
        {{"--frames", "10", "-o", "f.png"},
         "--frames needs --animate KEYFRAMES... or an animation file (.zpa)"},
        {{"--animate", "a.zpr", "--frames", "10", "-o", "f.png"}, "--animate needs at least two keyframes"},
        {{"--animate", "a.zpr", "b.zpr", "-o", "f.png"}, "--animate needs --frames N"},
        {{"--animate", "a.zpr", "b.zpa", "--frames", "9", "-o", "f.png"},
         "\"b.zpa\" is an animation file: draw it without --animate"},
        {{"w.zpa", "x.zpr", "-o", "f.png"}, "more than one parameter file: \"w.zpa\" and \"x.zpr\""},
        {{"w.zpa", "--seconds", "3", "-o", "f.png"}, "--seconds cannot be used for an animation"},
        {{"w.zpa", "-o", "f.tif"}, "animation frames are png files: -o FOLDER/frame-%04d.png, not \"f.tif\""},
        {{"w.zpa", "--fps", "25", "-o", "f.png"}, "--fps needs --video"},
        {{"w.zpa", "--frame-range", "9-3", "-o", "f.png"},
         "--frame-range expects FIRST-LAST, frame numbers from 0 with LAST >= FIRST, not \"9-3\""},
        {{"w.zpa", "--frame-range", "-3", "-o", "f.png"},
         "--frame-range expects FIRST-LAST, frame numbers from 0 with LAST >= FIRST, not \"-3\""},
        {{"w.zpa", "--motion-blur", "65", "-o", "f.png"},
         "--motion-blur expects a whole number from 1 to 64, not \"65\""},
        {{"w.zpa", "--frames", "1", "-o", "f.png"},
         "--frames expects a whole number of at least 2, not \"1\""},
        {{"w.zpa", "--loop=1", "-o", "f.png"}, "--loop takes no value"},
    };
    for (const auto& c : cases) {
        const Result<RenderOptions> parsed = Parse(c.arguments);
        ASSERT_FALSE(parsed) << c.message;
        EXPECT_TRUE(parsed.error().starts_with(c.message)) << parsed.error();
    }
}

TEST(FramePattern, NamesAndRefusals) {
    const struct {
        const char* pattern;
        std::int64_t frame;
        const char* name;
    } names[] = {
        {"out/frame-%04d.png", 7, "out/frame-0007.png"},
        {"out/frame-%04d.png", 123456, "out/frame-123456.png"},
        {"f%d.png", 42, "f42.png"},
        {"%3d-%%.png", 5, "  5-%.png"},
        {"out/frame.png", 12, "out/frame-0012.png"},
    };
    for (const auto& n : names) {
        const Result<FramePattern> pattern = FramePattern::Parse(n.pattern);
        ASSERT_TRUE(pattern) << n.pattern;
        EXPECT_EQ(pattern->Name(n.frame), n.name);
    }
    EXPECT_EQ(FramePattern::Parse("out/frame-%04d.png")->Folder(), "out");
    for (const char* bad : {"f%s.png", "f%d-%d.png", "f%04x.png", "f%.png", "f%10d.png"})
        EXPECT_FALSE(FramePattern::Parse(bad)) << bad;
}

// Rows of earlier runs stay, a frame drawn again replaces its row, and
// lines that are not rows go.
TEST(FrameTable, GathersTheRowsOfEveryRun) {
    testing::TempFolder folder;
    const auto path = folder / "frames.csv";
    std::ofstream(path) << "frame,lyapunov,dimension,lit_share,mean_brightness\n"
                           "3,0.1,1.2,0.3,0.4\n"
                           "junk\n"
                           "5,,,0.5\n"
                           "1,0.2,1.1,0.2,0.3\r\n";
    FrameTable table = FrameTable::Read(path);
    EXPECT_TRUE(table.Has(1) && table.Has(3) && !table.Has(5));
    table.Set({3, 0.25, std::nan(""), 0.5, 0.125});
    table.Set({2, -0.5, 0, 1, 0});
    ASSERT_TRUE(table.Write(path));
    std::ifstream in(path);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(text,
              "frame,lyapunov,dimension,lit_share,mean_brightness\n"
              "1,0.2,1.1,0.2,0.3\n"
              "2,-0.500000,0.0000,1.000000,0.000000\n"
              "3,0.250000,,0.500000,0.125000\n");
}

}  // namespace
}  // namespace zephyrin
