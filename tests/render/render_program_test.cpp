// The whole command, in process and as the built program: a picture in every
// format with its parameter file, reproducible bytes, and the error exits.
#include "render/render_program.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "engine/colouring/density_colour.h"
#include "engine/core/defaults.h"
#include "engine/core/engine.h"
#include "engine/core/view_coords.h"
#include "engine/file/param_file.h"
#include "engine/test_host.h"
#include "failing_allocation.h"
#include "imaging/area_averaging.h"
#include "imaging/image_encoders.h"
#include "imaging/temp_folder.h"
#include "render/drawing_setup.h"
#include "render/render_job.h"
#include "run_render.h"

namespace zephyrin {
namespace {

using testing::Outcome;
using testing::ReadAll;
using testing::RunRender;
using testing::TempFolder;

int CountLines(const std::string& text) {
    int lines = 0;
    for (const char c : text) lines += c == '\n';
    return lines;
}

// A small, quick drawing into `output`; the new window's wide view needs
// some width to show more than its centre.
std::vector<std::string> Small(const std::filesystem::path& output, std::string seed = "7") {
    // clang-format off
    return {"--size", "200x150", "--iterations", "20000", "--seed", seed, "--threads", "2",
            "-o", output.string()};
    // clang-format on
}

TEST(RenderProgram, EveryFormatWithItsParameterFileBeside) {
    TempFolder folder;
    const struct {
        const char* name;
        std::string_view start;
        bool converted;
    } formats[] = {
        {"a.bmp", "BM", false},
        {"a.jpg", "\xFF\xD8\xFF", false},
        {"a.pbm", "P4\n200 150\n", true},
        {"a.pgm", "P5\n200 150\n255\n", true},
        {"a.png", "\x89PNG\r\n", false},
        {"a.ppm", "P6\n200 150\n255\n", false},
        {"a.tga", std::string_view("\0\0\2", 3), false},
        {"a.tif", "", false},
    };
    for (const auto& format : formats) {
        const std::filesystem::path picture = folder / format.name;
        const Outcome outcome = RunRender(Small(picture));
        ASSERT_EQ(outcome.status, 0) << format.name << ": " << outcome.err;
        const std::string bytes = ReadAll(picture);
        EXPECT_TRUE(bytes.starts_with(format.start)) << format.name;
        if (std::string_view(format.name) == "a.tif") {
            EXPECT_TRUE(bytes.starts_with(std::string_view("II*\0", 4)) ||
                        bytes.starts_with(std::string_view("MM\0*", 4)));
        }
        EXPECT_EQ(outcome.err.find("converted") != std::string::npos, format.converted) << outcome.err;
        EXPECT_NE(outcome.out.find("20000 iterations"), std::string::npos) << outcome.out;

        const std::string parameters = ReadAll(std::filesystem::path(picture).replace_extension(".zpr"));
        EXPECT_EQ(CountLines(parameters), 150) << format.name;
        EXPECT_TRUE(parameters.starts_with("Zephyrin v1.000\r\n70\r\n0.01\r\n")) << format.name;
    }
}

TEST(RenderProgram, TheSameSeedWritesTheSameBytes) {
    TempFolder folder;
    ASSERT_EQ(RunRender(Small(folder / "one.ppm", "11")).status, 0);
    ASSERT_EQ(RunRender(Small(folder / "two.ppm", "11")).status, 0);
    ASSERT_EQ(RunRender(Small(folder / "three.ppm", "12")).status, 0);
    const std::string one = ReadAll(folder / "one.ppm");
    EXPECT_EQ(one.size(), std::string("P6\n200 150\n255\n").size() + 200 * 150 * 3);
    EXPECT_TRUE(one == ReadAll(folder / "two.ppm"));
    EXPECT_TRUE(one != ReadAll(folder / "three.ppm"));
}

TEST(RenderProgram, SupersamplingDrawsLargerAndReducesByAreaAveraging) {
    TempFolder folder;
    const Outcome outcome =
        RunRender({"--size", "20x15", "--supersample", "3", "--iterations", "30000", "--seed", "4",
                   "--threads", "1", "--white", "--quiet", "-o", (folder / "s.ppm").string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "") << "quiet";

    RenderOptions options;
    options.width = 20;
    options.height = 15;
    options.supersample = 3;
    options.white = true;
    const DrawingSetup setup = PrepareDrawing(options)->setup;
    ASSERT_EQ(setup.record.width, 60);
    RenderSettings settings;
    settings.seed = 4;
    settings.iterations = 30000;
    const Picture reduced = ReduceByAreaAveraging(Render(setup, settings, {}).picture, 3);
    std::string expected = "P6\n20 15\n255\n";
    for (int row = 0; row < 15; ++row)
        for (int column = 0; column < 20; ++column) {
            const std::uint32_t colour = reduced.Pixel(column, row);
            expected += static_cast<char>(Picture::Red(colour));
            expected += static_cast<char>(Picture::Green(colour));
            expected += static_cast<char>(Picture::Blue(colour));
        }
    EXPECT_TRUE(ReadAll(folder / "s.ppm") == expected);
}

TEST(RenderProgram, AParameterFileDrawsItsPictureAgain) {
    TempFolder folder;
    ASSERT_EQ(RunRender(Small(folder / "first.png")).status, 0);
    ASSERT_EQ(
        RunRender({folder / "first.zpr", "--iterations", "1000", "-o", (folder / "second.bmp").string()})
            .status,
        0);
    EXPECT_EQ(ReadAll(folder / "second.zpr"), ReadAll(folder / "first.zpr"));

    const Outcome withoutParameters =
        RunRender({"--iterations", "100", "--no-params", "-o", folder / "third.png"});
    EXPECT_EQ(withoutParameters.status, 0);
    EXPECT_TRUE(std::filesystem::exists(folder / "third.png"));
    EXPECT_FALSE(std::filesystem::exists(folder / "third.zpr"));
}

std::string Text(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

// The picture from all threads' counts, added over each 2 x 2 block before
// the tone map, in 16 bits.
TEST(RenderProgram, DensityColoursTheSummedCountsOfAllThreads) {
    TempFolder folder;
    const Outcome outcome =
        RunRender({"--size", "20x15", "--supersample", "2", "--iterations", "30000", "--seed", "4",
                   "--threads", "2", "--gradient", "ice", "--depth", "16", "-o", folder / "d.ppm"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;

    RenderOptions options;
    options.width = 20;
    options.height = 15;
    options.supersample = 2;
    options.gradient = "ice";
    const PreparedDrawing prepared = *PrepareDrawing(options);
    EXPECT_EQ(prepared.setup.density.mode, ColouringMode::kDensity)
        << "--gradient alone asks for density colouring";
    RenderSettings settings;
    settings.threads = 2;
    settings.seed = 4;
    settings.iterations = 30000;
    const RenderResult result = Render(prepared.setup, settings, {});
    EXPECT_TRUE(result.picture.Empty());
    const Picture16 picture =
        DensityColour({result.counts, 2}, prepared.setup.density, *BuiltInGradient("ice"), false);
    EXPECT_TRUE(ReadAll(folder / "d.ppm") == Text(EncodePpm16(picture)));
    EXPECT_TRUE(ReadAll(folder / "d.zpr")
                    .ends_with("\r\n0\r\n0\r\ndensity=1\r\nbrightness=1\r\ngamma=2.2\r\n"
                               "vibrancy=1\r\ngradient=ice\r\n"));
}

// Drawn again from the parameters inside it, with the same seed, a PNG or
// TIFF gives the same picture, although the first drawing made a random start.
TEST(RenderProgram, APictureCarriesItsParametersAndDrawsItselfAgain) {
    TempFolder folder;
    const auto draw = [&](const std::string& from, const std::string& to) {
        const Outcome outcome =
            RunRender({(folder / from).string(), "--size", "80x60", "--iterations", "20000", "--seed", "3",
                       "--threads", "2", "-o", (folder / to).string()});
        EXPECT_EQ(outcome.status, 0) << outcome.err;
    };
    ASSERT_EQ(RunRender({"--formula", "45", "--density", "--size", "80x60", "--iterations", "20000", "--seed",
                         "3", "--threads", "2", "-o", (folder / "a.png").string()})
                  .status,
              0);
    draw("a.png", "b.png");
    draw("b.png", "c.tif");
    draw("c.tif", "d.png");
    EXPECT_TRUE(ReadAll(folder / "b.png") == ReadAll(folder / "a.png"));
    EXPECT_TRUE(ReadAll(folder / "d.png") == ReadAll(folder / "a.png"));
    EXPECT_EQ(ReadAll(folder / "c.zpr"), ReadAll(folder / "a.zpr"));

    ASSERT_EQ(RunRender({"--no-params", "--iterations", "100", "-o", (folder / "bare.png").string()}).status,
              0);
    const Outcome bare = RunRender({(folder / "bare.png").string(), "-o", (folder / "e.png").string()});
    EXPECT_EQ(bare.status, 1);
    EXPECT_NE(bare.err.find("bare.png\" holds no Zephyrin parameters"), std::string::npos) << bare.err;
}

// Drawn with a gradient file that is gone by then, from another folder, a
// parameter file or a picture draws the same picture again.
TEST(RenderProgram, AGradientFileTravelsWithThePicture) {
    TempFolder folder;
    std::filesystem::create_directories(folder / "first");
    std::filesystem::create_directories(folder / "moved");
    const std::filesystem::path gradient = folder / "dusk.ggr";
    std::ofstream(gradient) << "GIMP Gradient\n2\n0 0.25 0.5 0 0 0 1 0.5 0 1 1 0 0\n"
                               "0.5 0.75 1 0.5 0 1 1 1 1 0 1 1 1\n";
    const auto arguments = [&](std::vector<std::string> first, const std::filesystem::path& output) {
        for (const std::string& rest : Small(output)) first.push_back(rest);
        return first;
    };
    ASSERT_EQ(RunRender(arguments({"--gradient", gradient.string()}, folder / "first" / "a.png")).status, 0);
    std::filesystem::remove(gradient);
    for (const char* name : {"a.png", "a.zpr"})
        std::filesystem::rename(folder / "first" / name, folder / "moved" / name);
    for (const char* from : {"a.zpr", "a.png"}) {
        const Outcome again = RunRender(arguments({(folder / "moved" / from).string()}, folder / "b.png"));
        ASSERT_EQ(again.status, 0) << again.err;
        EXPECT_TRUE(ReadAll(folder / "b.png") == ReadAll(folder / "moved" / "a.png")) << from;
    }
    EXPECT_NE(ReadAll(folder / "b.zpr").find("\r\ngradient.segments=2\r\n"), std::string::npos);
}

// A parameter file without density lines draws exactly what the engine
// itself draws from it, coloured as ever.
TEST(RenderProgram, AClassicParameterFileDrawsTheEnginesOwnPicture) {
    TempFolder folder;
    TFractalRec saved = NewWindowRecord(160, 120);
    testing::TestHost starter(saved);
    Engine(5).RandomStartIfPending(saved, starter);
    saved.intensity = 30;
    std::ofstream(folder / "classic.zpr", std::ios::binary) << WriteParameterText(saved, Effects{}, '.');
    const Outcome outcome =
        RunRender({(folder / "classic.zpr").string(), "--size", "160x120", "--iterations", "30000", "--seed",
                   "9", "--threads", "1", "-o", (folder / "c.ppm").string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;

    TFractalRec v = NewWindowRecord(160, 120);
    Effects effects;
    ASSERT_TRUE(ReadParameterText(ReadAll(folder / "classic.zpr"), "", '.', v, effects).Messages().empty());
    v.randomStart = kFalse;
    FreezeView(v);
    testing::TestHost host(v);
    host.StopAfter(30000);
    Engine(9).RunEngine(v, host);
    EXPECT_TRUE(ReadAll(folder / "c.ppm") == Text(EncodePpm(host.Image())));
    EXPECT_EQ(CountLines(ReadAll(folder / "c.zpr")), 150);
}

TEST(RenderProgram, AShortParameterFileIsComplainedAboutAndStillDrawn) {
    TempFolder folder;
    std::ofstream(folder / "short.zpr") << "Zephyrin v1.000\n63\n";
    const Outcome outcome =
        RunRender({folder / "short.zpr", "--iterations", "100", "-o", folder / "short.png"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_TRUE(outcome.err.starts_with("zephyrin-render: Missing variable in parameter file: "))
        << outcome.err;
    EXPECT_TRUE(std::filesystem::exists(folder / "short.png"));
    EXPECT_TRUE(ReadAll(folder / "short.zpr").starts_with("Zephyrin v1.000\r\n63\r\n"));
}

TEST(RenderProgram, BadInputExitsWithAMessageAndWritesNothing) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "taken.png");
    std::ofstream(folder / "word.zpr") << "Zephyrin v1.000\n63\nbig\n";
    const std::string out = (folder / "x.png").string();
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string say;
    } cases[] = {
        {{(folder / "missing.zpr").string(), "-o", out}, 1, "Cannot open the parameter file"},
        {{"/dev/zero", "-o", out}, 1, "Error reading parameter file \"/dev/zero\", line 1\n"},
        {{folder / "word.zpr", "-o", out},
         1,
         "Error reading parameter file \"" + (folder / "word.zpr").string() + "\", line 3\n"},
        {{"--size", "0x5", "-o", out}, 2, "--size expects"},
        {{"--size", "-3x4", "-o", out}, 2, "--size expects"},
        {{"--size", "100000x100000", "-o", out}, 1, "100000 x 100000 pixels does not fit in memory"},
        {{"--size", "300000x300000", "--supersample", "4", "-o", out}, 1, "1200000 x 1200000 pixels"},
        {{"-o", (folder / "x.xyz").string()}, 2, "does not end in an image format's extension"},
        {{"-o", (folder / "missing" / "x.png").string()}, 1, "does not exist"},
        {{"-o", (folder / "taken.png").string()}, 1, "it is a folder"},
        {{"--iterations", "many", "-o", out}, 2, "--iterations expects"},
        {{"--seconds", "-1", "-o", out}, 2, "--seconds expects"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = RunRender(c.arguments);
        EXPECT_EQ(outcome.status, c.status) << c.say;
        EXPECT_TRUE(outcome.err.starts_with("zephyrin-render: ")) << outcome.err;
        EXPECT_NE(outcome.err.find(c.say), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.err.find("usage: ") != std::string::npos, c.status == 2) << outcome.err;
        EXPECT_EQ(outcome.out, "");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2)
        << "only taken.png and word.zpr";
}

TEST(RenderProgram, RunningOutOfMemoryAnywhereEndsWithAMessage) {
    TempFolder folder;
    ASSERT_EQ(RunRender(Small(folder / "p.png")).status, 0);
    // Every step: the parameter file, two threads' counters, the reduction,
    // the picture and its parameter file.
    // clang-format off
    const std::vector<std::string> arguments = {(folder / "p.zpr").string(), "--size", "8x6", "--supersample", "2",
                                                "--iterations", "300", "--threads", "2", "-o", folder / "q.png"};
    // clang-format on
    const std::vector<std::string_view> views(arguments.begin(), arguments.end());
    for (long failAt = 0;; ++failAt) {
        testing::FixedBuffer outText, errText;
        std::ostream out(&outText), err(&errText);
        int status = -1;
        bool escaped = false;
        testing::ArmAllocations(failAt);
        try {
            status = RunRenderProgram(views, out, err, true);
        } catch (...) {
            escaped = true;
        }
        const long allocations = testing::DisarmAllocations();
        ASSERT_FALSE(escaped) << "at allocation " << failAt;
        if (failAt >= allocations) {
            EXPECT_EQ(status, 0) << "nothing failed";
            break;
        }
        // Status 0: the failure was got round.
        const bool toldOf = status == 1 && errText.Text().find("memory") != std::string_view::npos;
        ASSERT_TRUE(status == 0 || toldOf)
            << "allocation " << failAt << ": status " << status << ", " << errText.Text();
    }
}

// The built program, for its exit status and streams.
int RunBuiltProgram(const std::string& arguments, const TempFolder& folder) {
    const std::string command = std::string("'") + ZEPHYRIN_RENDER_PROGRAM + "' " + arguments + " >'" +
                                (folder / "stdout").string() + "' 2>'" + (folder / "stderr").string() + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(RenderProgram, TheBuiltProgramsExitStatus) {
    TempFolder folder;
    const std::string picture = "'" + (folder / "p.tga").string() + "'";
    EXPECT_EQ(RunBuiltProgram("--size 16x12 --iterations 500 -o " + picture, folder), 0);
    EXPECT_TRUE(std::filesystem::exists(folder / "p.tga"));
    EXPECT_TRUE(std::filesystem::exists(folder / "p.zpr"));
    EXPECT_NE(ReadAll(folder / "stdout").find("500 iterations"), std::string::npos);
    EXPECT_EQ(ReadAll(folder / "stderr"), "") << "no progress bar off a terminal";

    EXPECT_EQ(RunBuiltProgram("nowhere.zpr -o " + picture, folder), 1);
    EXPECT_TRUE(ReadAll(folder / "stderr").starts_with("zephyrin-render: Cannot open the parameter file"));
    EXPECT_EQ(RunBuiltProgram("--size 0x5 -o " + picture, folder), 2);
    EXPECT_NE(ReadAll(folder / "stderr").find("usage: zephyrin-render"), std::string::npos);
    EXPECT_EQ(RunBuiltProgram("--help", folder), 0);
    EXPECT_TRUE(
        ReadAll(folder / "stdout").starts_with("usage: zephyrin-render [options] [PARAMS.zpr] -o OUT.ext"));
    EXPECT_NE(ReadAll(folder / "stdout").find("Built-in gradients:\n  grey, fire, "), std::string::npos);
}

}  // namespace
}  // namespace zephyrin
