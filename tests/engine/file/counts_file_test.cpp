// Counts files: what their description keeps, descriptions that lie, sizes
// that cannot be, and what keeps two files from being added up.
#include "engine/file/counts_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "engine/core/defaults.h"
#include "engine/core/view_coords.h"
#include "engine/file/param_file.h"
#include "imaging/counts_tiff.h"
#include "imaging/image_encoders.h"
#include "imaging/temp_folder.h"

namespace zephyrin {
namespace {

using testing::TempFolder;

CountsDescription Flower() {
    CountsDescription description;
    description.record = NewWindowRecord(6, 4);
    TFractalRec& v = description.record;
    v.formula = 63;
    v.intensity = 30;
    v.red = 12;
    v.af[7] = 0.5;
    v.white = kTrue;
    v.randomStart = kFalse;
    FreezeView(v);  // as a drawing leaves its record
    description.effects.modulas = kTrue;
    description.density = {ColouringMode::kDensity, 1.5, 3, 0.5, "ice"};
    description.supersample = 2;
    description.history = {12345, {{7, 2}, {9, 1}}};
    return description;
}

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TEST(CountsFile, KeepsTheCountsAndEverythingThatColoursOrContinuesThem) {
    TempFolder folder;
    const CountsDescription saved = Flower();
    CountGrid counts(6, 4);
    counts.At(5, 3) = std::numeric_limits<std::int32_t>::max();
    counts.At(0, 1) = 51;
    ASSERT_TRUE(SaveCountsFile(folder / "c.tif", counts, saved));
    EXPECT_TRUE(IsCountsFile(folder / "c.tif"));

    const Result<CountsFile> loaded = LoadCountsFile(folder / "c.tif");
    ASSERT_TRUE(loaded) << loaded.error();
    EXPECT_EQ(loaded->counts, counts);
    const CountsDescription& read = loaded->description;
    EXPECT_EQ(WriteParameterText(read.record, read.effects, read.density, '.'),
              WriteParameterText(saved.record, saved.effects, saved.density, '.'));
    EXPECT_EQ(read.density, saved.density);
    EXPECT_EQ(read.supersample, 2);
    EXPECT_EQ(read.history, saved.history);
    EXPECT_EQ(read.record.white, kTrue);
    EXPECT_EQ(read.record.width, 6);
    EXPECT_LT(read.record.plotXMin, read.record.plotXMax) << "the view is frozen for drawing";

    WriteBytes(folder / "picture.tif", EncodeTiff(Picture(2, 2), "Zephyrin v1.000\r\n"));
    EXPECT_FALSE(IsCountsFile(folder / "picture.tif"));
    EXPECT_FALSE(IsCountsFile(folder / "c.png"));
}

std::string Replaced(std::string text, std::string_view from, std::string_view to) {
    const std::size_t at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(CountsFile, ADescriptionThatLiesFails) {
    const std::string text = WriteCountsDescription(Flower());
    const struct {
        std::string text;
        std::string_view say;
    } cases[] = {
        {Replaced(text, "Zephyrin counts v1", "Zephyrin counts v2"), "is not a counts file"},
        {text.substr(0, text.find("\r\n63\r\n") + 200), "Missing variable"},
        {Replaced(text, "seeds=7:2,9:1\r\n", ""), "no seeds line"},
        {Replaced(text, "seeds=7:2,9:1", "seeds=7:0"), "seeds line cannot be read"},
        {Replaced(text, "seeds=7:2,9:1", "seeds=7:2,7:1"), "seeds line cannot be read"},
        {Replaced(text, "seeds=7:2,9:1", "seeds="), "seeds line cannot be read"},
        {Replaced(text, "iterations=12345", "iterations=-1"), "iterations line cannot be read"},
        {Replaced(text, "supersample=2", "supersample=5"), "supersample line cannot be read"},
        {Replaced(text, "colouring=density", "colouring=classic"), "contradicts its parameters"},
        {Replaced(text, "white=1", "white=yes"), "white line cannot be read"},
    };
    for (const auto& c : cases) {
        const Result<CountsDescription> read = ReadCountsDescription(c.text, "c.tif", NewWindowRecord(6, 4));
        ASSERT_FALSE(read) << c.say;
        EXPECT_NE(read.error().find("\"c.tif\""), std::string::npos) << read.error();
        EXPECT_NE(read.error().find(c.say), std::string::npos) << read.error();
    }
}

// The width and height fields of a little-endian TIFF's first directory,
// made LONGs of `side`.
void SetSize(std::vector<std::uint8_t>& bytes, std::uint32_t side) {
    constexpr std::uint16_t kWidthTag = 256, kHeightTag = 257;
    ASSERT_EQ(bytes[0], 'I');
    std::uint32_t directory = 0;
    std::memcpy(&directory, &bytes[4], 4);
    std::uint16_t entries = 0;
    std::memcpy(&entries, &bytes[directory], 2);
    for (std::uint16_t i = 0; i < entries; ++i) {
        std::uint8_t* entry = &bytes[directory + 2 + 12 * i];
        std::uint16_t tag = 0;
        std::memcpy(&tag, entry, 2);
        if (tag != kWidthTag && tag != kHeightTag) continue;
        const std::uint16_t longType = 4;
        const std::uint32_t one = 1;
        std::memcpy(entry + 2, &longType, 2);
        std::memcpy(entry + 4, &one, 4);
        std::memcpy(entry + 8, &side, 4);
    }
}

TEST(CountsFile, SizesThatCannotBeFailBeforeAllocating) {
    TempFolder folder;
    const std::string description = WriteCountsDescription(Flower());
    WriteBytes(folder / "odd.tif", EncodeCountsTiff(5, 4, std::vector<std::int32_t>(20, 50), description));
    const Result<CountsFile> odd = LoadCountsFile(folder / "odd.tif");
    ASSERT_FALSE(odd);
    EXPECT_NE(odd.error().find("5 x 4 counts do not divide by its supersampling 2"), std::string::npos)
        << odd.error();

    for (const std::uint32_t side : {0xFFFFFFFFu, 1'000'001u, 400'000u}) {
        std::vector<std::uint8_t> bytes =
            EncodeCountsTiff(2, 2, std::vector<std::int32_t>(4, 50), description);
        SetSize(bytes, side);
        WriteBytes(folder / "huge.tif", bytes);
        const Result<CountsFile> huge = LoadCountsFile(folder / "huge.tif");
        ASSERT_FALSE(huge) << side;
        EXPECT_NE(huge.error().find("huge.tif"), std::string::npos) << huge.error();
    }
}

TEST(CountsFile, OnlyTheSameDrawingWithOtherSeedsAddsUp) {
    const CountsDescription a = Flower();
    const auto changed = [&](auto change) {
        CountsDescription b = a;
        b.history.seeds = {{8, 1}};
        change(b);
        return CountsDifference(a, b);
    };
    EXPECT_EQ(changed([](CountsDescription&) {}), "");
    EXPECT_EQ(changed([](CountsDescription& b) { b.density.gradient = "fire", b.record.red = 0; }), "")
        << "the colouring is not the drawing";
    EXPECT_EQ(changed([](CountsDescription& b) { b.record.width = 8; }), "the size: 6 x 4 and 8 x 4 counts");
    EXPECT_EQ(changed([](CountsDescription& b) { b.supersample = 3; }), "the supersampling: 2 and 3");
    EXPECT_EQ(changed([](CountsDescription& b) { b.record.formula = 70; }), "the formula: 63 and 70");
    EXPECT_EQ(changed([](CountsDescription& b) { b.record.af[7] = 0.25; }),
              "coefficient af[7]: 0.5 and 0.25");
    EXPECT_EQ(changed([](CountsDescription& b) { b.record.varBent = kTrue; }), "the variation Bent");
    EXPECT_EQ(changed([](CountsDescription& b) { b.effects.modulas = kFalse; }),
              "the effects (Color Mix, Expansion, Modulas)");
    EXPECT_EQ(changed([](CountsDescription& b) {
                  b.history.seeds = {{3, 1}, {9, 4}};
              }),
              "both were drawn with seed 9, whose streams would count twice");
}

}  // namespace
}  // namespace zephyrin
