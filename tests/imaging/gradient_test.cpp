#include "imaging/gradient.h"

#include <gtest/gtest.h>

#include <fstream>

#include "temp_folder.h"

namespace zephyrin {
namespace {

using testing::TempFolder;

// Positions that are table entries (k / 1024) look up exactly.
void ExpectColour(const Gradient& gradient, float t, GradientColour wanted) {
    const GradientColour c = gradient.At(t);
    EXPECT_NEAR(c.r, wanted.r, 1e-5) << "at " << t;
    EXPECT_NEAR(c.g, wanted.g, 1e-5) << "at " << t;
    EXPECT_NEAR(c.b, wanted.b, 1e-5) << "at " << t;
}

TEST(Gradient, BuiltInsStartBlackGreyIsFirstAndNamesAreFoundWhateverTheirCase) {
    const auto names = BuiltInGradientNames();
    ASSERT_GE(names.size(), 8u);
    EXPECT_EQ(names.front(), "grey");
    for (const std::string_view name : names) {
        const std::optional<Gradient> gradient = BuiltInGradient(name);
        ASSERT_TRUE(gradient) << name;
        EXPECT_EQ(gradient->Name(), name);
        ExpectColour(*gradient, 0, {0, 0, 0});
    }
    const Gradient grey = *BuiltInGradient("GREY");
    ExpectColour(grey, 0.25f, {0.25f, 0.25f, 0.25f});
    ExpectColour(grey, 1, {1, 1, 1});
    ExpectColour(grey, 7, {1, 1, 1});
    ExpectColour(grey, -1, {0, 0, 0});

    EXPECT_FALSE(BuiltInGradient("mauve"));
    const Result<Gradient> unknown = FindGradient("mauve");
    ASSERT_FALSE(unknown);
    EXPECT_NE(unknown.error().find("grey, fire"), std::string::npos) << unknown.error();
}

// Each segment's colour by its blending function and colouring, worked out
// from GIMP's definitions at positions where they give round numbers.
TEST(ReadGgr, SegmentsBlendAsGimpDefinesThem) {
    const Result<Gradient> parsed = ParseGgr(
        "GIMP Gradient\r\n"
        "Name: Test\r\n"
        "6\r\n"
        // linear black to red, middle at a quarter of the segment
        "0 0.03125 0.125 0 0 0 1 1 0 0 1 0 0\r\n"
        // curved grey, middle at a quarter: pos^(ln 0.5 / ln 0.25) = sqrt(pos)
        "0.125 0.15625 0.25 0 0 0 1 1 1 1 1 1 0\r\n"
        // red to blue through the hues, counter-clockwise (via green)
        "0.25 0.3125 0.375 1 0 0 1 0 0 1 1 0 1\r\n"
        // and clockwise (via magenta)
        "0.375 0.4375 0.5 1 0 0 1 0 0 1 1 0 2\r\n"
        // step at the middle, white at half alpha after it
        "0.5 0.625 0.75 0 0 0 1 1 1 1 0.5 5 0\r\n"
        // GIMP 2.4's endpoint kinds: background (white) to foreground (black)
        "0.75 0.875 1 0.2 0.2 0.2 1 0.3 0.3 0.3 1 0 0 3 1\r\n",
        "test.ggr");
    ASSERT_TRUE(parsed) << parsed.error();
    const Gradient& g = *parsed;
    EXPECT_EQ(g.Name(), "Test");
    ExpectColour(g, 0.03125f, {0.5f, 0, 0});
    ExpectColour(g, 0.0625f, {0.5f + 0.5f * (0.5f - 0.25f) / 0.75f, 0, 0});
    ExpectColour(g, 0.15625f, {0.5f, 0.5f, 0.5f});
    ExpectColour(g, 0.1875f, {0.70710678f, 0.70710678f, 0.70710678f});
    ExpectColour(g, 0.28125f, {1, 1, 0});
    ExpectColour(g, 0.3125f, {0, 1, 0});
    ExpectColour(g, 0.4375f, {1, 0, 1});
    ExpectColour(g, 0.5625f, {0, 0, 0});
    ExpectColour(g, 0.6875f, {0.5f, 0.5f, 0.5f});
    ExpectColour(g, 0.875f, {0.5f, 0.5f, 0.5f});
}

TEST(ReadGgr, ToleratesOldFilesLineEndsAndBlankLines) {
    TempFolder folder;
    const std::filesystem::path path = folder / "Old.ggr";
    std::ofstream(path)
        << "GIMP Gradient\n2\n\n0 0.25 0.5 0 0 0 1 1 1 1 1 0 0 \n  0.5 0.75 1 1 1 1 1 0 0 0 1 0 0\n\n";
    const Result<Gradient> read = ReadGgr(path);
    ASSERT_TRUE(read) << read.error();
    EXPECT_EQ(read->Name(), "Old") << "no Name line: the file's";
    ExpectColour(*read, 0.25f, {0.5f, 0.5f, 0.5f});
    ExpectColour(*read, 0.75f, {0.5f, 0.5f, 0.5f});
    EXPECT_EQ(FindGradient(path.string())->Name(), "Old");
}

TEST(ReadGgr, BadFilesAreRefusedNamingTheFileAndTheLine) {
    const std::string segment = "0 0.5 1 0 0 0 1 1 1 1 1 0 0\n";
    const struct {
        std::string text;
        std::string message;
    } cases[] = {
        {"GIMP Palette\n", "line 1: not a GIMP gradient"},
        {"GIMP Gradient\nName: x\nmany\n" + segment, "line 3: expected the number of segments"},
        {"GIMP Gradient\nName: x\n1\n0 0.5 1 0 0 0 1 1 1 1\n",
         "line 4: a segment needs 13 or 15 numbers, this line has 10"},
        {"GIMP Gradient\nName: x\n1\n0 0.5 1 0 0 zero 1 1 1 1 1 0 0\n", "line 4: \"zero\" is not a number"},
        {"GIMP Gradient\nName: x\n1\n0 0.5 1 0 0 0 1 1 1 1 1 7 0\n",
         "line 4: the blending function must be 0 to 5"},
        {"GIMP Gradient\nName: x\n1\n1 0.5 0 0 0 0 1 1 1 1 1 0 0\n",
         "line 4: the segment ends before it starts"},
        {"GIMP Gradient\nName: x\n2\n0.5 0.7 1 0 0 0 1 1 1 1 1 0 0\n0 0.2 0.5 0 0 0 1 1 1 1 1 0 0\n",
         "line 5: the segment starts before the one above it"},
        {"GIMP Gradient\nName: x\n3\n" + segment + segment, "line 6: the file ends after 2 of 3 segments"},
    };
    for (const auto& c : cases) {
        const Result<Gradient> parsed = ParseGgr(c.text, "/g/bad.ggr");
        ASSERT_FALSE(parsed) << c.message;
        EXPECT_TRUE(parsed.error().starts_with("Cannot read the gradient \"/g/bad.ggr\", "))
            << parsed.error();
        EXPECT_NE(parsed.error().find(c.message), std::string::npos) << parsed.error();
    }
    const Result<Gradient> missing = ReadGgr("/no/such/folder/x.ggr");
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.error().find("\"/no/such/folder/x.ggr\""), std::string::npos) << missing.error();
}

}  // namespace
}  // namespace zephyrin
