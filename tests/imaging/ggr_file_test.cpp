#include "imaging/ggr_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <random>

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

// Each segment's colour by its blending function and colouring, worked out
// from GIMP's definitions at positions where they give round numbers.
TEST(ReadGgr, SegmentsBlendAsGimpDefinesThem) {
    const Result<GradientDefinition> parsed = ParseGgr(
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
    const Gradient g = MakeGradient(*parsed);
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
    const Result<GradientDefinition> read = ReadGgr(path);
    ASSERT_TRUE(read) << read.error();
    EXPECT_EQ(read->name, "Old") << "no Name line: the file's";
    ExpectColour(MakeGradient(*read), 0.25f, {0.5f, 0.5f, 0.5f});
    ExpectColour(MakeGradient(*read), 0.75f, {0.5f, 0.5f, 0.5f});
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
        {"GIMP Gradient\n99999999999\n" + segment, "line 2: expected the number of segments"},
        // Finite numbers whose segment has an infinite length, or lies outside the format's domain.
        {"GIMP Gradient\n1\n-1e308 0 1e308 0 0 0 1 1 1 1 1 0 0\n",
         "line 3: a segment must lie within 0 to 1"},
        {"GIMP Gradient\n1\n0 0.5 1.5 0 0 0 1 1 1 1 1 0 0\n", "line 3: a segment must lie within 0 to 1"},
        {"GIMP Gradient\n1\n0 0.7 0.5 0 0 0 1 1 1 1 1 0 0\n", "line 3: the segment's middle is not between"},
        {"GIMP Gradient\n1\n0.5 0.2 1 0 0 0 1 1 1 1 1 0 0\n", "line 3: the segment's middle is not between"},
        {"GIMP Gradient\n1\n0 0.5 1 nan 0 0 1 1 1 1 1 0 0\n", "line 3: \"nan\" is not a number"},
        {"GIMP Gradient\n1\n0 0.5 1 0 0 0 inf 1 1 1 1 0 0\n", "line 3: \"inf\" is not a number"},
        {"GIMP Gradient\n1\n0 0.5 1 0 0 0 1 1e400 1 1 1 0 0\n", "line 3: \"1e400\" is not a number"},
        {"GIMP Gradient\n1\n0 0.5 1 0 0 0 1 1 1 1 1 0 0 0 0 0\n", "line 3: a segment has 13 or 15 numbers"},
    };
    for (const auto& c : cases) {
        const Result<GradientDefinition> parsed = ParseGgr(c.text, "/g/bad.ggr");
        ASSERT_FALSE(parsed) << c.message;
        EXPECT_TRUE(parsed.error().starts_with("Cannot read the gradient \"/g/bad.ggr\", "))
            << parsed.error();
        EXPECT_NE(parsed.error().find(c.message), std::string::npos) << parsed.error();
    }
    const Result<GradientDefinition> missing = ReadGgr("/no/such/folder/x.ggr");
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.error().find("\"/no/such/folder/x.ggr\""), std::string::npos) << missing.error();
}

TEST(GradientSegmentLine, ReadsBackAsTheSegmentItWasWrittenFrom) {
    const Result<GradientSegment> third = ParseGradientSegment(
        "0.1 0.2 0.30000000000000004 0.333333333333333314829616256247 0.2 0.3 0.4 0.5 0.6 0.7 0.8 2 1 3 0",
        nullptr);
    ASSERT_TRUE(third) << third.error();
    EXPECT_EQ(third->right, 0.3) << "kept to 15 decimals";
    EXPECT_EQ(third->leftColour, (GradientRgba{1, 1, 1, 1})) << "a background endpoint: white";
    const std::string line = GradientSegmentLine(*third);
    EXPECT_EQ(line, "0.1 0.2 0.3 1 1 1 1 0.5 0.6 0.7 0.8 2 1");
    EXPECT_EQ(ParseGradientSegment(line, nullptr), third);
}

// Every colour of every gradient the reader takes is a number within [0, 1],
// however the file was garbled.
TEST(ReadGgr, RandomAndGarbledFilesGiveAFailureOrColoursInRange) {
    const std::string good =
        "GIMP Gradient\nName: Good\n3\n0 0.1 0.3 0 0 0 1 1 0 0 1 1 0\n"
        "0.3 0.5 0.6 1 0 0 1 0 0 1 0.5 2 1\n0.6 0.9 1 0 1 0 1 1 1 1 1 3 2 1 4\n";
    const std::string alphabet = "0123456789.-+eE \t\nnaif";
    std::mt19937 random(20240619);
    const auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    int accepted = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        std::string text = good;
        if (trial % 3 == 0) {
            text = "GIMP Gradient\n" + std::to_string(pick(4)) + "\n";
            for (std::size_t i = pick(200); i > 0; --i) text += alphabet[pick(alphabet.size())];
        } else {
            for (std::size_t edits = 1 + pick(4); edits > 0; --edits) {
                const std::size_t at = 14 + pick(text.size() - 14);
                const char c = alphabet[pick(alphabet.size())];
                switch (pick(3)) {
                    case 0:
                        text[at] = c;
                        break;
                    case 1:
                        text.insert(at, 1, c);
                        break;
                    default:
                        text.erase(at, 1);
                        break;
                }
            }
        }
        const Result<GradientDefinition> parsed = ParseGgr(text, "fuzz.ggr");
        if (!parsed) continue;
        ++accepted;
        const Gradient gradient = MakeGradient(*parsed);
        for (int i = 0; i <= 4096; ++i) {
            const GradientColour c = gradient.At(static_cast<float>(i) / 4096);
            for (const float channel : {c.r, c.g, c.b})
                ASSERT_TRUE(channel >= 0 && channel <= 1) << text << "\nat " << i << ": " << channel;
        }
    }
    EXPECT_GT(accepted, 100) << "the garbling leaves enough files readable to test their colours";
}

}  // namespace
}  // namespace zephyrin
