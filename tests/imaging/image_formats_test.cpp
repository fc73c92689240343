#include "imaging/image_formats.h"

#include <gtest/gtest.h>

namespace zephyrin {
namespace {

TEST(ImageFormats, SaveDialogFilterListsEightFormatsInOrder) {
    std::string filter;
    for (const ImageFormatInfo& info : ImageFormats())
        filter += std::string(info.filterEntry) + "|" + std::string(info.pattern) + "|";
    EXPECT_EQ(filter,
              "BMP - Bitmap|*.bmp|JPG - JPEG (JFIF compliant)|*.jpg|PBM - Portable Bitmap|*.pbm|"
              "PGM - Portable Graymap|*.pgm|PNG - Portable Network Graphics|*.png|"
              "PPM - Portable Pixelmap|*.ppm|TGA - Truevision Targa|*.tga|"
              "TIF - Tagged Image File Format|*.tif|");
}

TEST(ImageFormats, ExtensionPicksTheFormatWhateverItsCase) {
    ASSERT_NE(FindImageFormat("flower.png"), nullptr);
    EXPECT_EQ(FindImageFormat("flower.png")->extension, "png");
    EXPECT_EQ(FindImageFormat("/some/dir.bmp/FLOWER.JPG")->extension, "jpg");
    EXPECT_EQ(FindImageFormat("flower.Tif")->extension, "tif");
    EXPECT_EQ(FindImageFormat("flower.tga.PbM")->extension, "pbm");
    EXPECT_EQ(FindImageFormat("flower.gif"), nullptr);
    EXPECT_EQ(FindImageFormat("flower.jpeg"), nullptr);
    EXPECT_EQ(FindImageFormat("flower"), nullptr);
    EXPECT_EQ(FindImageFormat("flower."), nullptr);
}

TEST(ImageFormats, OnlyPbmAndPgmNeedAColourResolutionChange) {
    const auto pgm = ColourResolutionChangeFor("flower.pgm");
    ASSERT_TRUE(pgm.has_value());
    EXPECT_EQ(pgm->resolution, ColourResolution::kGray256);
    EXPECT_EQ(pgm->question,
              "The graphic cannot be saved to a Portable Graymap file with the current color resolution "
              "(16.7 million colors).\n\n"
              "The graphic will be saved with a different color resolution (256 shades of gray).");
    EXPECT_EQ(pgm->refusal,
              "The graphic cannot be saved with to a Portable Graymap file with the current color resolution "
              "(16.7 million colors)");

    const auto pbm = ColourResolutionChangeFor("FLOWER.PBM");
    ASSERT_TRUE(pbm.has_value());
    EXPECT_EQ(pbm->resolution, ColourResolution::kBlackAndWhite);
    EXPECT_EQ(pbm->question,
              "The graphic cannot be saved to a Portable Bitmap file with the current color resolution "
              "(16.7 million colors).\n\n"
              "The graphic will be saved with a different color resolution (black and white).");

    for (const char* path : {"a.bmp", "a.jpg", "a.png", "a.ppm", "a.tga", "a.tif", "a.gif"})
        EXPECT_FALSE(ColourResolutionChangeFor(path).has_value()) << path;
}

}  // namespace
}  // namespace zephyrin
