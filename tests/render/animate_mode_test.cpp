// Whole animations from the command line: frames that are their keyframes'
// pictures and can be drawn again alone, kept frames, the animation file,
// the video, and the failures.
#include "render/animate_mode.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "engine/animate/animation_file.h"
#include "engine/animate/video_pipe.h"
#include "imaging/embedded_parameters.h"
#include "imaging/png_reader.h"
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

Outcome RunRender(std::vector<std::string> arguments) {
    const std::vector<std::string_view> views(arguments.begin(), arguments.end());
    std::ostringstream out, err;
    const int status = RunRenderProgram(views, out, err, false);
    return {status, out.str(), err.str()};
}

std::string Path(const TempFolder& folder, const std::string& name) {
    return (folder / name).string();
}

Picture Pixels(const std::filesystem::path& png) {
    Result<Picture> picture = ReadPngPicture(png);
    EXPECT_TRUE(picture) << picture.error();
    return picture.value_or(Picture());
}

// Two attractors of formula 70 (found from seeds 3 and 4) to move between.
class Animate : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* seed : {"3", "4"})
            ASSERT_EQ(RunRender({"--find", "--formula", "70", "--seed", seed, "--size", "48x36",
                                 "--iterations", "2000", "-o", Path(keys_, std::string("k") + seed + ".png")})
                          .status,
                      0);
    }

    // The drawing options every frame and picture here shares.
    std::vector<std::string> Drawing(std::vector<std::string> more) const {
        std::vector<std::string> arguments{"--size",    "48x36", "--iterations", "20000", "--density",
                                           "--threads", "2"};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return arguments;
    }

    Outcome DrawFrames(const TempFolder& into, std::vector<std::string> more = {}) const {
        std::vector<std::string> arguments = Drawing(
            {"--animate", Key(3), Key(4), "--frames", "5", "--seed", "9", "-o", Path(into, "f-%04d.png")});
        arguments.insert(arguments.end(), more.begin(), more.end());
        return RunRender(arguments);
    }

    std::string Key(int seed) const { return Path(keys_, "k" + std::to_string(seed) + ".png"); }

    TempFolder keys_;
};

TEST_F(Animate, FramesAreTheKeyframesPicturesAndCanBeDrawnAgainAlone) {
    TempFolder frames;
    const Outcome run = DrawFrames(frames);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("frame 2  L "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("5 frames (0-4 of 5)"), std::string::npos) << run.out;

    // Frame k is drawn with seed 9 + k; the last keyframe is frame 4.
    TempFolder alone;
    ASSERT_EQ(RunRender(Drawing({Key(3), "--seed", "9", "-o", Path(alone, "first.png")})).status, 0);
    ASSERT_EQ(RunRender(Drawing({Key(4), "--seed", "13", "-o", Path(alone, "last.png")})).status, 0);
    EXPECT_TRUE(Pixels(frames / "f-0000.png") == Pixels(alone / "first.png"));
    EXPECT_TRUE(Pixels(frames / "f-0004.png") == Pixels(alone / "last.png"));
    EXPECT_FALSE(Pixels(frames / "f-0002.png") == Pixels(frames / "f-0000.png"));

    TempFolder again;
    ASSERT_EQ(DrawFrames(again, {"--frame-range", "2-3"}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(again / "f-0001.png"));
    EXPECT_TRUE(Pixels(again / "f-0002.png") == Pixels(frames / "f-0002.png"));

    const Result<std::string> inside = ReadEmbeddedParameters(frames / "f-0002.png");
    ASSERT_TRUE(inside);
    EXPECT_NE(inside->find("\r\nseed=11\r\nframe=2\r\n"), std::string::npos);
    std::ifstream table(frames / "frames.csv");
    std::string line;
    std::getline(table, line);
    EXPECT_EQ(line, "frame,lyapunov,dimension,lit_share,mean_brightness");
    int rows = 0;
    while (std::getline(table, line)) EXPECT_TRUE(line.starts_with(std::to_string(rows++) + ",")) << line;
    EXPECT_EQ(rows, 5);
}

TEST_F(Animate, SkipExistingKeepsTheFramesThere) {
    TempFolder frames;
    std::ofstream(frames / "f-0001.png") << "kept";
    const Outcome run = DrawFrames(frames, {"--skip-existing", "--frame-range", "0-2"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("frame 1  L "), std::string::npos);
    EXPECT_NE(run.out.find("  kept\n"), std::string::npos);
    std::ifstream kept(frames / "f-0001.png");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "kept");
    EXPECT_TRUE(std::filesystem::exists(frames / "f-0002.png"));
}

TEST_F(Animate, AnAnimationFileDrawsTheSameFrames) {
    AnimationDocument document;
    document.settings = {
        .frames = 5, .width = 48, .height = 36, .iterations = 20000, .density = true, .seed = 9};
    for (const int seed : {3, 4}) document.keyframes.push_back({ReadEmbeddedParameters(Key(seed)).value()});
    TempFolder folder;
    ASSERT_TRUE(WriteAnimationFile(folder / "walk.zpa", document));
    const Outcome run = RunRender({Path(folder, "walk.zpa"), "--threads", "2", "-o", Path(folder, "f.png")});
    ASSERT_EQ(run.status, 0) << run.err;
    TempFolder frames;
    ASSERT_EQ(DrawFrames(frames, {"--frame-range", "3-3"}).status, 0);
    EXPECT_TRUE(Pixels(folder / "f-0003.png") == Pixels(frames / "f-0003.png"));

    // The command line wins over the file's settings.
    ASSERT_EQ(RunRender({Path(folder, "walk.zpa"), "--size", "24x18", "--frame-range", "0-0", "-o",
                         Path(folder, "small.png")})
                  .status,
              0);
    EXPECT_EQ(Pixels(folder / "small-0000.png").Width(), 24);
}

TEST_F(Animate, FailuresSayWhatIsWrong) {
    TempFolder folder;
    ASSERT_EQ(RunRender({"--formula", "63", "--seed", "3", "--size", "48x36", "--iterations", "100", "-o",
                         Path(folder, "other.png")})
                  .status,
              0);
    const struct {
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {{"--animate", Key(3), Path(folder, "other.png"), "--frames", "4", "-o", Path(folder, "f.png")},
         "keyframe 2 changes the formula from 70 to 63 without a cut"},
        {{"--animate", Key(3), Key(4), "--frames", "4", "--frame-range", "2-4", "-o", Path(folder, "f.png")},
         "the frame range 2-4 goes beyond the animation's 4 frames (0-3)"},
        {{"--animate", Key(3), Key(4), "--frames", "4", "--motion-blur", "2", "--iterations", "100", "-o",
          Path(folder, "nowhere/f.png")},
         "the folder"},
        {{Path(folder, "none.zpa"), "-o", Path(folder, "f.png")}, "Cannot open the animation"},
        {{"--animate", Key(3), Key(4), "--frames", "4", "--size", "2000000000x2", "--supersample", "2", "-o",
          Path(folder, "f.png")},
         "a frame of 4000000000 x 4 pixels does not fit in memory"},
    };
    for (const auto& c : cases) {
        const Outcome run = RunRender(c.arguments);
        EXPECT_EQ(run.status, 1) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    const Result<VideoPipe> missing = VideoPipe::Start(folder / "v.mp4", 4, 4, 30, "zephyrin-no-ffmpeg-here");
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.error().find("install ffmpeg"), std::string::npos) << missing.error();
}

// ffprobe's count of the video's frames, and its size.
std::string Probe(const std::filesystem::path& video) {
    const std::string command =
        "ffprobe -v error -count_frames -select_streams v:0 -show_entries "
        "stream=nb_read_frames,width,height -of csv=p=0 '" +
        video.string() + "'";
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) text += buffer;
        pclose(pipe);
    }
    return text;
}

TEST_F(Animate, AVideoOfEveryFrameThroughFfmpeg) {
    if (std::system("command -v ffmpeg >/dev/null && command -v ffprobe >/dev/null") != 0)
        GTEST_SKIP() << "ffmpeg is not installed";
    TempFolder folder;
    const std::string video = Path(folder, "walk.mp4");
    std::vector<std::string> odd{"--animate", Key(3),          Key(4),   "--frames", "6",
                                 "--loop",    "--smooth",      "--size", "47x35",    "--iterations",
                                 "5000",      "--motion-blur", "2",      "-o",       Path(folder, "f.png")};
    odd.insert(odd.end(), {"--video", video});
    const Outcome run = RunRender(odd);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Probe(video), "48,36,6\n");
    // Resumed: the frames there are read back for the video.
    std::filesystem::remove(folder / "f-0004.png");
    odd.push_back("--skip-existing");
    ASSERT_EQ(RunRender(odd).status, 0);
    EXPECT_EQ(Probe(video), "48,36,6\n");
}

}  // namespace
}  // namespace zephyrin
