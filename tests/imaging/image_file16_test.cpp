// 16-bit files and the parameters inside PNG and TIFF files, read back
// through libpng and libtiff.
#include <gtest/gtest.h>

#include "image_readers.h"
#include "imaging/embedded_parameters.h"
#include "imaging/image_file.h"
#include "temp_folder.h"

namespace zephyrin {
namespace {

using testing::TempFolder;

// Samples that differ everywhere and in both bytes; the first pixel's grey
// is (0.299 * 1000 + 0.587 * 2000 + 0.114 * 3000) = 1815.5, which PGM keeps
// as 1815 ((sum + 500) / 1000, truncated).
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

TEST(SaveImage16, PngTiffAndNetpbmHoldTheSamplesAndOtherFormatsAreRefused) {
    TempFolder folder;
    const Picture16 picture = Wide();
    std::vector<std::uint16_t> samples;
    for (int y = 0; y < 3; ++y) samples.insert(samples.end(), picture.Row(y), picture.Row(y) + 15);
    for (const char* name : {"a.png", "a.tif"}) {
        ASSERT_TRUE(SaveImage16(picture, folder / name, ColourChange::kRefused)) << name;
        const testing::DecodedSamples read =
            name[2] == 'p' ? testing::ReadPngSamples(folder / name) : testing::ReadTiffSamples(folder / name);
        EXPECT_EQ(read.bits, 16) << name;
        EXPECT_EQ(read.samples, samples) << name;
    }

    ASSERT_TRUE(SaveImage16(picture, folder / "a.ppm", ColourChange::kRefused));
    const std::vector<std::uint8_t> ppm = testing::ReadBytes(folder / "a.ppm");
    const std::string header = "P6\n5 3\n65535\n";
    ASSERT_EQ(ppm.size(), header.size() + 2 * samples.size());
    EXPECT_EQ(std::string(ppm.begin(), ppm.begin() + header.size()), header);
    for (std::size_t i = 0; i < samples.size(); ++i)
        ASSERT_EQ(ppm[header.size() + 2 * i] << 8 | ppm[header.size() + 2 * i + 1], samples[i]) << i;

    EXPECT_FALSE(SaveImage16(picture, folder / "a.pgm", ColourChange::kRefused));
    ASSERT_TRUE(SaveImage16(picture, folder / "a.pgm", ColourChange::kAgreed));
    const std::vector<std::uint8_t> pgm = testing::ReadBytes(folder / "a.pgm");
    const std::string grey = "P5\n5 3\n65535\n";
    ASSERT_EQ(pgm.size(), grey.size() + 2 * 15);
    EXPECT_EQ(pgm[grey.size()] << 8 | pgm[grey.size() + 1], 1815);

    for (const char* name : {"a.bmp", "a.jpg", "a.pbm", "a.tga"}) {
        const Result<> saved = SaveImage16(picture, folder / name, ColourChange::kAgreed);
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
        ASSERT_TRUE(name[0] == 'a' ? SaveImage(picture, path, ColourChange::kRefused, text)
                                   : SaveImage16(Wide(), path, ColourChange::kRefused, text));
        EXPECT_EQ(ReadEmbeddedParameters(path), text) << name;
    }
    EXPECT_EQ(testing::ReadPng(folder / "a.png").At(1, 1), Picture::Pack(10, 20, 30));

    ASSERT_TRUE(SaveImage(picture, folder / "none.png", ColourChange::kRefused));
    ASSERT_TRUE(SaveImage(picture, folder / "other.tif", ColourChange::kRefused, "Scanned at 300 dpi"));
    for (const char* name : {"none.png", "other.tif"})
        EXPECT_EQ(ReadEmbeddedParameters(folder / name).error(),
                  "\"" + (folder / name).string() + "\" holds no Zephyrin parameters");
    EXPECT_FALSE(CarriesParameters(folder / "a.bmp"));
    const Result<std::string> missing = ReadEmbeddedParameters(folder / "missing.png");
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.error().find("missing.png"), std::string::npos);
}

}  // namespace
}  // namespace zephyrin
