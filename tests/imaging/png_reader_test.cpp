// The program's own PNG files read back: 8 bits as they are, 16 bits as
// the dithered 8-bit picture of what was written.
#include "imaging/png_reader.h"

#include <gtest/gtest.h>

#include <fstream>

#include "imaging/image_file.h"
#include "imaging/picture16.h"
#include "temp_folder.h"

namespace zephyrin {
namespace {

TEST(PngReader, EightAndSixteenBitsBack) {
    testing::TempFolder folder;
    Picture picture(5, 3);
    Picture16 wide(5, 3);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 5; ++column) {
            picture.SetPixel(column, row, Picture::Pack(50 * column, 100 * row, 7));
            // Halfway between 8-bit levels, so the dither shows.
            wide.SetPixel(column, row, static_cast<std::uint16_t>(12000 * column + 128), 65535, 0);
        }
    ASSERT_TRUE(SaveImage(picture, folder / "8.png", ColourChange::kAgreed, "Zephyrin v1.000"));
    ASSERT_TRUE(SaveImage16(wide, folder / "16.png", ColourChange::kAgreed));
    const Result<Picture> eight = ReadPngPicture(folder / "8.png");
    ASSERT_TRUE(eight) << eight.error();
    EXPECT_TRUE(*eight == picture);
    const Result<Picture> sixteen = ReadPngPicture(folder / "16.png");
    ASSERT_TRUE(sixteen) << sixteen.error();
    EXPECT_TRUE(*sixteen == ToPicture(wide));

    std::ofstream(folder / "bad.png") << "not a png";
    EXPECT_TRUE(ReadPngPicture(folder / "bad.png").error().starts_with("Cannot read \""));
    EXPECT_FALSE(ReadPngPicture(folder / "none.png"));
}

}  // namespace
}  // namespace zephyrin
