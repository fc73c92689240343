// The animation's command line.
#include "render/animate_options.h"

#include <gtest/gtest.h>

#include <vector>

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

}  // namespace
}  // namespace zephyrin
