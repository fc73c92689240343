// Float images as other programs read them: OpenEXR's and libtiff's readers.
#include "imaging/float_image_file.h"

#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfInputFile.h>
#include <gtest/gtest.h>
#include <tiffio.h>

#include <memory>
#include <vector>

#include "temp_folder.h"

namespace zephyrin {
namespace {

using testing::TempFolder;

const std::vector<float> kValues = {0, 0.25f, 1, 2.5f, 1e-7f, 0.999f};  // 3 x 2

TEST(FloatImageFile, OpenExrAndTiffHoldTheValuesExactly) {
    TempFolder folder;
    ASSERT_TRUE(SaveFloatImage(folder / "l.exr", 3, 2, kValues));
    Imf::InputFile exr((folder / "l.exr").c_str());
    const Imath::Box2i window = exr.header().dataWindow();
    ASSERT_EQ(window.max.x - window.min.x + 1, 3);
    ASSERT_EQ(window.max.y - window.min.y + 1, 2);
    std::vector<float> read(6);
    Imf::FrameBuffer frame;
    frame.insert(
        "Y", Imf::Slice(Imf::FLOAT, reinterpret_cast<char*>(read.data()), sizeof(float), 3 * sizeof(float)));
    exr.setFrameBuffer(frame);
    exr.readPixels(0, 1);
    EXPECT_EQ(read, kValues);

    ASSERT_TRUE(SaveFloatImage(folder / "l.TIF", 3, 2, kValues));
    const std::unique_ptr<TIFF, decltype(&TIFFClose)> tiff(TIFFOpen((folder / "l.TIF").c_str(), "r"),
                                                           TIFFClose);
    ASSERT_TRUE(tiff);
    std::uint16_t format = 0;
    TIFFGetField(tiff.get(), TIFFTAG_SAMPLEFORMAT, &format);
    EXPECT_EQ(format, SAMPLEFORMAT_IEEEFP);
    for (std::uint32_t row = 0; row < 2; ++row) {
        ASSERT_EQ(TIFFReadScanline(tiff.get(), read.data() + 3 * row, row, 0), 1);
    }
    EXPECT_EQ(read, kValues);
}

TEST(FloatImageFile, OtherExtensionsAndMissingFoldersFail) {
    TempFolder folder;
    const Result<> png = SaveFloatImage(folder / "l.png", 3, 2, kValues);
    ASSERT_FALSE(png);
    EXPECT_NE(png.error().find("only .exr and .tif files hold levels"), std::string::npos);
    const Result<> nowhere = SaveFloatImage(folder / "no" / "l.exr", 3, 2, kValues);
    ASSERT_FALSE(nowhere);
    EXPECT_NE(nowhere.error().find("l.exr"), std::string::npos);
}

}  // namespace
}  // namespace zephyrin
