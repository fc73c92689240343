// 16-bit files and the parameters inside PNG and TIFF files, read back
// through libpng, libtiff and a Netpbm reader of our own.
#include <gtest/gtest.h>

#include "image_readers.h"
#include "imaging/embedded_parameters.h"
#include "imaging/image_file.h"
#include "temp_folder.h"

namespace zephyrin {
namespace {

using testing::TempFolder;

// Samples that differ everywhere and in both bytes.
Picture16 Wide() {
    Picture16 picture(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            picture.SetPixel(x, y, static_cast<std::uint16_t>(4369 * x + 17 * y + 1),
                             static_cast<std::uint16_t>(65535 - 4369 * x - 3 * y),
                             static_cast<std::uint16_t>(300 * x + 4096 * y));
    picture.SetPixel(0, 0, 1000, 2000, 3000);
    return picture;
}

std::vector<std::uint16_t> Samples(const Picture16& picture) {
    std::vector<std::uint16_t> samples;
    for (int y = 0; y < picture.Height(); ++y)
        samples.insert(samples.end(), picture.Row(y), picture.Row(y) + 3 * picture.Width());
    return samples;
}

TEST(SaveImage16, PngTiffAndPpmReadBackAsWrittenAndPgmHoldsTheLuminance) {
    TempFolder folder;
    const Picture16 picture = Wide();
    const struct {
        const char* name;
        testing::DecodedSamples (*read)(const std::filesystem::path&);
    } cases[] = {{"a.png", testing::ReadPngSamples},
                 {"a.tif", testing::ReadTiffSamples},
                 {"a.ppm", testing::ReadNetpbmSamples}};
    for (const auto& format : cases) {
        ASSERT_TRUE(SaveImage16(picture, folder / format.name, ColourChange::kRefused)) << format.name;
        const testing::DecodedSamples read = format.read(folder / format.name);
        ASSERT_EQ(read.error, "") << format.name;
        EXPECT_EQ(read.bits, 16) << format.name;
        EXPECT_EQ(read.channels, 3) << format.name;
        EXPECT_EQ(read.samples, Samples(picture)) << format.name;
    }

    EXPECT_FALSE(SaveImage16(picture, folder / "a.pgm", ColourChange::kRefused));
    ASSERT_TRUE(SaveImage16(picture, folder / "a.pgm", ColourChange::kAgreed));
    const testing::DecodedSamples grey = testing::ReadNetpbmSamples(folder / "a.pgm");
    ASSERT_EQ(grey.error, "");
    EXPECT_EQ(grey.bits, 16);
    EXPECT_EQ(grey.channels, 1);
    ASSERT_EQ(grey.samples.size(), 15u);
    // (0.299 * 1000 + 0.587 * 2000 + 0.114 * 3000), rounded: 1815.5 -> 1815 (500 / 1000 added, truncated)
    EXPECT_EQ(grey.samples[0], 1815);
}

TEST(SaveImage16, FormatsOfEightBitsAreRefusedAndNothingIsWritten) {
    TempFolder folder;
    for (const char* name : {"a.bmp", "a.jpg", "a.pbm", "a.tga"}) {
        const Result<> saved = SaveImage16(Wide(), folder / name, ColourChange::kAgreed);
        ASSERT_FALSE(saved) << name;
        EXPECT_NE(saved.error().find("cannot hold 16 bits per channel"), std::string::npos) << saved.error();
        EXPECT_FALSE(std::filesystem::exists(folder / name));
    }
}

TEST(EmbeddedParameters, PngAndTiffCarryTheTextAtEitherDepth) {
    TempFolder folder;
    const std::string text = "Zephyrin v1.000\r\n63\r\n0.5\r\ngradient=/home/zo\xC3\xA9/fire.ggr\r\n";
    Picture picture(4, 2);
    picture.SetPixel(1, 1, Picture::Pack(10, 20, 30));
    for (const char* name : {"a.png", "a.tif", "b.PNG", "b.TIF"}) {
        const std::filesystem::path path = folder / name;
        if (name[0] == 'a') {
            ASSERT_TRUE(SaveImage(picture, path, ColourChange::kRefused, text));
        } else {
            ASSERT_TRUE(SaveImage16(Wide(), path, ColourChange::kRefused, text));
        }
        EXPECT_TRUE(CarriesParameters(path));
        EXPECT_EQ(ReadEmbeddedParameters(path), text) << name;
    }
    EXPECT_EQ(testing::ReadPng(folder / "a.png").At(1, 1), Picture::Pack(10, 20, 30));

    ASSERT_TRUE(SaveImage(picture, folder / "none.png", ColourChange::kRefused));
    ASSERT_TRUE(SaveImage(picture, folder / "other.tif", ColourChange::kRefused, "Scanned at 300 dpi"));
    for (const char* name : {"none.png", "other.tif"}) {
        const Result<std::string> none = ReadEmbeddedParameters(folder / name);
        ASSERT_FALSE(none) << name;
        EXPECT_EQ(none.error(), "\"" + (folder / name).string() + "\" holds no Zephyrin parameters");
    }
    ASSERT_TRUE(SaveImage(picture, folder / "a.bmp", ColourChange::kRefused, text));
    EXPECT_FALSE(CarriesParameters(folder / "a.bmp"));
    EXPECT_FALSE(ReadEmbeddedParameters(folder / "a.bmp"));
    const Result<std::string> missing = ReadEmbeddedParameters(folder / "missing.png");
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.error().find("missing.png"), std::string::npos);
}

}  // namespace
}  // namespace zephyrin
