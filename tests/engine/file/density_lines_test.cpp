#include "engine/file/density_lines.h"

#include <gtest/gtest.h>

#include <fstream>

#include "engine/colouring/density_gradient.h"
#include "engine/core/defaults.h"
#include "engine/file/param_file.h"
#include "imaging/temp_folder.h"

namespace zephyrin {
namespace {

using testing::TempFolder;

constexpr std::string_view kCaption = "/p/a.zpr";
const std::string kTwoSegments =
    "GIMP Gradient\nName: Dusk\n2\n0 0.25 0.5 0 0 0 1 0.5 0 1 1 0 0\n0.5 0.75 1 0.5 0 1 1 1 1 0 1 1 1\n";

std::string ReadError(int line) {
    return "Error reading parameter file \"/p/a.zpr\", line " + std::to_string(line);
}

std::vector<std::string> Load(std::string_view text, DensitySettings& density,
                              const std::filesystem::path& folder = {}) {
    TFractalRec v = NewWindowRecord(400, 300);
    Effects effects;
    return ReadParameterText(text, kCaption, '.', v, effects, density, folder).Messages();
}

std::string Text(const DensitySettings& density, char separator = '.') {
    return WriteParameterText(NewWindowRecord(400, 300), Effects{}, density, separator);
}

DensitySettings Present() {
    DensitySettings present;
    present.gradient = "ice";
    return present;
}

std::vector<std::string> ExtraLines(const std::string& text) {
    std::vector<std::string> lines;
    LineReader file(text);
    for (int line = 0; line < kParameterLineCount; ++line) file.Next();
    while (!file.AtEnd()) lines.emplace_back(file.Next());
    return lines;
}

DensitySettings Carrying(std::string gradient, std::size_t segmentCount) {
    DensitySettings density;
    density.mode = ColouringMode::kDensity;
    density.gradient = std::move(gradient);
    GradientDefinition definition{"Many", {}};
    for (std::size_t i = 0; i < segmentCount; ++i) {
        // The longest numbers there are: 15 decimals, the last one not 0.
        const std::string d = "0.1234567890" + std::to_string(11111 + 2 * i) + " ";
        std::string line;
        for (int number = 0; number < 11; ++number) line += d;
        definition.segments.push_back(*ParseGradientSegment(line + "5 2", nullptr));
    }
    density.carried = CarriedGradient(definition);
    return density;
}

// The gradient goes into the parameters: read back after its file is gone,
// in another folder, it colours alike and is written out again alike.
TEST(DensityLines, AGradientFileTravelsInsideTheParameters) {
    TempFolder folder;
    const std::filesystem::path file = folder / "dusk.ggr";
    std::ofstream(file) << kTwoSegments;
    DensitySettings saved;
    saved.mode = ColouringMode::kDensity;
    saved.gradient = file.string();
    const Gradient original = *TakeGradient(saved);
    ASSERT_TRUE(saved.carried);
    for (const char separator : {'.', ','}) {
        const std::string text = Text(saved, separator);
        EXPECT_EQ(ExtraLines(text)[4], "gradient=" + file.string());
        EXPECT_EQ(ExtraLines(text).size(), 9u);
        EXPECT_NE(text.find("\r\ngradient.name=Dusk\r\ngradient.segments=2\r\n"
                            "gradient.segment=0 0.25 0.5 0 0 0 1 0.5 0 1 1 0 0\r\n"
                            "gradient.segment=0.5 0.75 1 0.5 0 1 1 1 1 0 1 1 1\r\n"),
                  std::string::npos)
            << text;
        std::filesystem::remove(file);
        DensitySettings read = Present();
        ASSERT_EQ(Load(text, read, "/elsewhere"), std::vector<std::string>{});
        EXPECT_EQ(read, saved);
        const Gradient travelled = *TakeGradient(read);
        for (int i = 0; i <= 16; ++i) EXPECT_EQ(travelled.At(i / 16.0f), original.At(i / 16.0f)) << i;
        EXPECT_EQ(Text(read, separator), text);
    }
}

TEST(DensityLines, ARelativePathIsTakenFromTheParameterFilesFolder) {
    const std::string classic = Text(DensitySettings{});
    DensitySettings read = Present();
    read.carried = Carrying("x.ggr", 1).carried;
    ASSERT_EQ(Load(classic + "density=1\r\ngradient=dusk.ggr\r\n", read, "/p/q"), std::vector<std::string>{});
    EXPECT_EQ(read.gradient, "/p/q/dusk.ggr");
    EXPECT_FALSE(read.carried) << "another gradient than the one carried before";
    ASSERT_EQ(Load(classic + "density=1\r\ngradient=fire\r\n", read, "/p/q"), std::vector<std::string>{});
    EXPECT_EQ(read.gradient, "fire");
}

// A path that cannot be written as it is does not lose the gradient, and
// every line fits its limits with the most segments and the longest numbers.
TEST(DensityLines, APathThatCannotBeWrittenLeavesTheGradientCarriedByItsName) {
    for (const std::string& path : {std::string(" /g/lead.ggr"), std::string("/g/two\nlines.ggr"),
                                    "/" + std::string(300, 'g') + ".ggr"}) {
        const DensitySettings saved = Carrying(path, kMostCarriedSegments);
        const std::string text = Text(saved);
        const std::vector<std::string> lines = ExtraLines(text);
        EXPECT_EQ(lines.size(), 4u + 2 + kMostCarriedSegments);
        EXPECT_LE(lines.size(), static_cast<std::size_t>(kMostExtraLines));
        for (const std::string& line : lines) EXPECT_LE(line.size(), kLongestParameterLine) << line;
        EXPECT_EQ(GradientNote(saved), "");

        DensitySettings read = Present();
        ASSERT_EQ(Load(text, read), std::vector<std::string>{});
        EXPECT_EQ(read.carried, saved.carried);
        EXPECT_EQ(read.gradient, "Many");
    }
}

TEST(DensityLines, AGradientOfMoreSegmentsThanFitIsNamedByItsFileWithANote) {
    const DensitySettings saved = Carrying("/g/many.ggr", kMostCarriedSegments + 1);
    const std::vector<std::string> lines = ExtraLines(Text(saved));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[4], "gradient=/g/many.ggr");
    EXPECT_TRUE(lines[5].starts_with("gradient.note=41 segments, more than the 40")) << lines[5];
    EXPECT_NE(GradientNote(saved).find("\"/g/many.ggr\" has 41 segments"), std::string::npos);

    DensitySettings unnamed = Carrying("/g/two\nlines.ggr", kMostCarriedSegments + 1);
    EXPECT_NE(GradientNote(unnamed).find("cannot be written into the parameters"), std::string::npos);
    unnamed.mode = ColouringMode::kClassic;
    EXPECT_EQ(GradientNote(unnamed), "") << "no density lines at all";
}

TEST(DensityLines, SegmentLinesThatDoNotAddUpAreAReadingErrorAndCarryNothing) {
    const std::string lines = Text(DensitySettings{}) + "density=1\r\ngradient=fire\r\n";  // lines 151, 152
    const std::string segment = "gradient.segment=0 0.5 1 0 0 0 1 1 1 1 1 0 0\r\n";
    const struct {
        std::string extra;
        int line;
    } cases[] = {
        {"gradient.segments=3\r\n" + segment + segment, 153},
        {"gradient.segments=1\r\n" + segment + segment, 155},
        {segment, 153},
        {"gradient.segments=0\r\n", 153},
        {"gradient.segments=1\r\ngradient.segment=-1e308 0 1e308 0 0 0 1 1 1 1 1 0 0\r\n", 154},
        {"gradient.segments=2\r\ngradient.segment=0.5 0.5 0.5 0 0 0 1 1 1 1 1 0 0\r\n" + segment, 155},
    };
    for (const auto& c : cases) {
        DensitySettings read = Present();
        EXPECT_EQ(Load(lines + c.extra, read), std::vector<std::string>{ReadError(c.line)}) << c.extra;
        EXPECT_FALSE(read.carried) << c.extra;
    }
}

// Every mode is written as the value that reads back as it; the classic
// colouring writes no lines, and a value no mode writes is the classic
// colouring, as in files from before the modes.
TEST(DensityLines, EachColouringModeReadsBackAsItself) {
    for (const ColouringModeInfo& info : kColouringModes) {
        DensitySettings written = Present();
        written.mode = info.mode;
        const std::string text = Text(written);
        EXPECT_EQ(ExtraLines(text).empty(), PaintsWhilePlotting(info.mode)) << info.name;
        DensitySettings read;
        EXPECT_TRUE(Load(text, read).empty()) << info.name;
        EXPECT_EQ(read.mode, info.mode) << info.name;
        EXPECT_EQ(ModeNamed(info.name), info.mode);
    }
    for (const char* value : {"0", "2", "yes"}) {
        DensitySettings read;
        read.mode = ColouringMode::kDensity;
        Load(Text(DensitySettings{}) + "density=" + value + "\r\n", read);
        EXPECT_EQ(read.mode, ColouringMode::kClassic) << value;
    }
    EXPECT_FALSE(ModeNamed("dense"));
}

}  // namespace
}  // namespace zephyrin
