// The animation file: what is written reads back, and anything else is
// refused with a message, never a crash.
#include "engine/animate/animation_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "engine/core/defaults.h"
#include "engine/file/param_file.h"
#include "imaging/temp_folder.h"

namespace zephyrin {
namespace {

Animation TwoKeyframes() {
    TFractalRec v = NewWindowRecord(160, 120);
    v.randomStart = kFalse;
    v.af[7] = 1.0 / 3;  // 15 digits in the file
    Animation animation{.loop = true, .smooth = true};
    DensitySettings density{.mode = ColouringMode::kDensity, .gradient = "ice"};
    animation.keyframes.push_back(KeyframeOf(v, {.modulas = kTrue}, density));
    v.formula = 63;
    animation.keyframes.push_back(KeyframeOf(v, {}, {}));
    animation.keyframes[0].frames = 30;
    animation.keyframes[1].frames = 18;
    animation.keyframes[1].cut = true;
    return animation;
}

TEST(AnimationFile, WrittenAndReadBack) {
    const Animation animation = TwoKeyframes();
    EXPECT_EQ(animation.keyframes[0].record.af[7], 0.333333333333333);
    AnimationSettings settings{.width = 640,
                               .height = 480,
                               .iterations = 2000000,
                               .density = true,
                               .depth = 16,
                               .seed = 18446744073709551615u,
                               .fps = 29.97};
    const AnimationDocument document = DocumentOf(animation, settings);
    testing::TempFolder folder;
    ASSERT_TRUE(WriteAnimationFile(folder / "a.zpa", document));
    const Result<AnimationDocument> read = ReadAnimationFile(folder / "a.zpa");
    ASSERT_TRUE(read) << read.error();
    EXPECT_TRUE(read->settings.loop && read->settings.smooth);
    EXPECT_EQ(read->settings.seed, settings.seed);
    EXPECT_EQ(read->settings.fps, 29.97);
    EXPECT_EQ(read->settings.depth, 16);
    ASSERT_EQ(read->keyframes.size(), 2u);
    EXPECT_EQ(read->keyframes[0].parameters, document.keyframes[0].parameters);
    EXPECT_EQ(read->keyframes[1].frames, 18);
    EXPECT_TRUE(read->keyframes[1].cut);
    EXPECT_EQ(WriteAnimationText(*read), WriteAnimationText(document));

    TFractalRec v = NewWindowRecord(160, 120);
    Effects effects;
    DensitySettings density;
    EXPECT_TRUE(
        ReadParameterText(read->keyframes[0].parameters, "a", '.', v, effects, density).Messages().empty());
    EXPECT_EQ(v.af[7], 0.333333333333333);
    EXPECT_EQ(effects.modulas, kTrue);
    EXPECT_EQ(density.gradient, "ice");
}

TEST(AnimationFile, FramesFromTheKeyframesOrTheTotal) {
    Animation animation = TwoKeyframes();
    AnimationDocument document = DocumentOf(animation, {});
    ASSERT_TRUE(TakeFrames(document, animation));
    EXPECT_EQ(animation.keyframes[1].frames, 18);
    document.settings.frames = 50;
    EXPECT_EQ(TakeFrames(document, animation).error(),
              "the keyframes' frames add up to 48, not the 50 of \"frames\"");
    document.keyframes[0].frames.reset();
    EXPECT_FALSE(TakeFrames(document, animation));
    document.keyframes[1].frames.reset();
    ASSERT_TRUE(TakeFrames(document, animation));
    EXPECT_EQ(animation.keyframes[0].frames, 25);
    document.settings.frames.reset();
    EXPECT_FALSE(TakeFrames(document, animation));
}

TEST(AnimationFile, DamagedFilesAreRefusedWithAMessage) {
    const std::string keyframe = R"({"parameters": ["Zephyrin v1.000", "70"]})";
    const std::string head = R"({"format": "zephyrin-animation", )";
    const struct {
        std::string text;
        std::string message;
    } cases[] = {
        {"", "unexpected end of input"},
        {"{\"format\": \"zephyrin-animation\", \"keyframes\": [", "unexpected end of input"},
        {"[1, 2]", "it is not a Zephyrin animation"},
        {R"({"format": "flam3"})", "it is not a Zephyrin animation"},
        {head + R"("version": 2, "keyframes": []})", "of a later version"},
        {head + R"("settings": [], "keyframes": []})", "\"settings\" must be an object"},
        {head + R"("keyframes": {}})", "it has no \"keyframes\" list"},
        {head + R"("keyframes": [7]})", "keyframe 1 must be an object"},
        {head + R"("keyframes": [{"parameters": "70"}]})", "in keyframe 1, \"parameters\" must be"},
        {head + R"("keyframes": [{"parameters": [70]}]})", "in keyframe 1, \"parameters\" must be"},
        {head + R"("keyframes": [)" + keyframe + R"(, {"parameters": [], "frames": 0}]})",
         "in keyframe 2, \"frames\" must be a whole number from 1"},
        {head + R"("settings": {"seed": -1}, "keyframes": []})", "\"seed\" must be a whole number"},
        {head + R"("settings": {"width": 2.5}, "keyframes": []})", "\"width\" must be a whole number"},
        {head + R"("settings": {"depth": 12}, "keyframes": []})", "\"depth\" must be 8 or 16"},
        {head + R"("settings": {"fps": 0}, "keyframes": []})", "\"fps\" must be a number above 0"},
        {head + R"("settings": {"loop": "yes"}, "keyframes": []})", "\"loop\" must be true or false"},
        {std::string(100000, '[') + std::string(100000, ']'), "it is not a Zephyrin animation"},
        {head + "\"keyframes\": [\"\xff\"]}", "invalid"},
    };
    for (const auto& c : cases) {
        const Result<AnimationDocument> read = ParseAnimationText(c.text, "x.zpa");
        ASSERT_FALSE(read) << c.text.substr(0, 80);
        EXPECT_TRUE(read.error().starts_with("Cannot read the animation \"x.zpa\": ")) << read.error();
        EXPECT_NE(read.error().find(c.message), std::string::npos) << read.error();
    }
    EXPECT_TRUE(ParseAnimationText(head + R"("future": 1, "keyframes": [)" + keyframe + "]}", "x.zpa"));
}

TEST(AnimationFile, ALargeFileIsNotRead) {
    testing::TempFolder folder;
    {
        std::ofstream out(folder / "big.zpa", std::ios::binary);
        out << std::string(kLargestAnimationFile + 1, ' ');
    }
    EXPECT_NE(ReadAnimationFile(folder / "big.zpa").error().find("larger than 16 MB"), std::string::npos);
    EXPECT_NE(ReadAnimationFile(folder / "none.zpa").error().find("Cannot open"), std::string::npos);
}

}  // namespace
}  // namespace zephyrin
