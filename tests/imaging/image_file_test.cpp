#include "imaging/image_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>

#include "image_readers.h"
#include "temp_folder.h"

namespace zephyrin {
namespace {

using testing::DecodedImage;
using testing::ReadBytes;
using testing::TempFolder;

// Odd sizes, so BMP rows need padding and PBM rows end inside a byte.
constexpr int kWidth = 37;
constexpr int kHeight = 23;

Picture Gradient() {
    Picture picture(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) picture.SetPixel(x, y, Picture::Pack(x * 7, y * 11, (x + y) * 4));
    return picture;
}

void ExpectSamePixels(const Picture& picture, const DecodedImage& image) {
    ASSERT_EQ(image.error, "");
    ASSERT_EQ(image.width, picture.Width());
    ASSERT_EQ(image.height, picture.Height());
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            ASSERT_EQ(image.At(x, y), picture.Pixel(x, y)) << x << "," << y;
}

std::vector<std::filesystem::path> Entries(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> entries;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) entries.push_back(entry.path());
    return entries;
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path) << text;
}

std::string ReadText(const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

TEST(SaveImage, LosslessFormatsReadBackToTheSamePixels) {
    TempFolder folder;
    const Picture picture = Gradient();
    const struct {
        const char* name;
        DecodedImage (*read)(const std::filesystem::path&);
    } cases[] = {{"a.bmp", testing::ReadBmp},
                 {"a.png", testing::ReadPng},
                 {"a.ppm", testing::ReadNetpbm},
                 {"a.tga", testing::ReadTga},
                 {"a.tif", testing::ReadTiff}};
    for (const auto& format : cases) {
        SCOPED_TRACE(format.name);
        const Result<> result = SaveImage(picture, folder / format.name, ColourChange::kRefused);
        ASSERT_TRUE(result.has_value()) << result.error();
        ExpectSamePixels(picture, format.read(folder / format.name));
    }
    EXPECT_NE(testing::TiffCompression(folder / "a.tif"), 1) << "TIFF is stored uncompressed";
    EXPECT_EQ(Entries(folder.Path()).size(), std::size(cases));
}

TEST(SaveImage, JpegIsAJfifFileCloseToThePicture) {
    TempFolder folder;
    const Picture picture = Gradient();
    ASSERT_TRUE(SaveImage(picture, folder / "a.jpg", ColourChange::kRefused).has_value());
    const std::vector<std::uint8_t> bytes = ReadBytes(folder / "a.jpg");
    ASSERT_GT(bytes.size(), 11u);
    EXPECT_EQ(std::string(bytes.begin() + 6, bytes.begin() + 11), std::string("JFIF\0", 5));

    const DecodedImage image = testing::ReadJpeg(folder / "a.jpg");
    ASSERT_EQ(image.error, "");
    ASSERT_EQ(image.width, kWidth);
    ASSERT_EQ(image.height, kHeight);
    long difference = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (auto channel : {Picture::Red, Picture::Green, Picture::Blue})
                difference += std::abs(channel(image.At(x, y)) - channel(picture.Pixel(x, y)));
    EXPECT_LT(static_cast<double>(difference) / (3 * kWidth * kHeight), 4.0);
}

TEST(SaveImage, GraymapHoldsTheLuminanceOnceAgreed) {
    TempFolder folder;
    Picture picture(3, 2);
    picture.SetPixel(0, 0, Picture::Pack(255, 0, 0));
    picture.SetPixel(1, 0, Picture::Pack(0, 255, 0));
    picture.SetPixel(2, 0, Picture::Pack(0, 0, 255));
    picture.SetPixel(0, 1, Picture::Pack(255, 255, 255));
    picture.SetPixel(2, 1, Picture::Pack(10, 20, 30));
    const auto path = folder / "a.PGM";

    const Result<> refused = SaveImage(picture, path, ColourChange::kRefused);
    EXPECT_FALSE(refused.has_value());
    EXPECT_EQ(refused.error(),
              "The graphic cannot be saved with to a Portable Graymap file with the current color resolution "
              "(16.7 million colors)");
    EXPECT_FALSE(std::filesystem::exists(path));

    ASSERT_TRUE(SaveImage(picture, path, ColourChange::kAgreed).has_value());
    const DecodedImage image = testing::ReadNetpbm(path);
    ASSERT_EQ(image.error, "");
    EXPECT_EQ(image.colors, (std::vector<std::uint32_t>{76 * 0x010101u, 150 * 0x010101u, 29 * 0x010101u,
                                                        0xFFFFFFu, 0u, 18 * 0x010101u}));
}

TEST(SaveImage, BitmapHoldsBlackAndWhiteOnceAgreed) {
    TempFolder folder;
    Picture picture(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; x += 2) picture.SetPixel(x, y, 0xFFFFFF);
    EXPECT_FALSE(SaveImage(picture, folder / "a.pbm", ColourChange::kRefused).has_value());
    ASSERT_TRUE(SaveImage(picture, folder / "a.pbm", ColourChange::kAgreed).has_value());
    ExpectSamePixels(picture, testing::ReadNetpbm(folder / "a.pbm"));
}

TEST(SaveImage, ExtensionDecidesTheFormatWhateverItsCase) {
    TempFolder folder;
    const Picture picture = Gradient();
    ASSERT_TRUE(SaveImage(picture, folder / "FLOWER.BMP", ColourChange::kRefused).has_value());
    ExpectSamePixels(picture, testing::ReadBmp(folder / "FLOWER.BMP"));
    ASSERT_TRUE(SaveImage(picture, folder / "flower.Png", ColourChange::kRefused).has_value());
    ExpectSamePixels(picture, testing::ReadPng(folder / "flower.Png"));
}

TEST(SaveImage, RefusesUnknownExtensionsAndEmptyPictures) {
    TempFolder folder;
    const auto gif = folder / "flower.gif";
    const Result<> unknown = SaveImage(Gradient(), gif, ColourChange::kAgreed);
    EXPECT_FALSE(unknown.has_value());
    EXPECT_EQ(unknown.error(),
              "Cannot save \"" + gif.string() + "\": no image format is known for the extension \".gif\".");

    const auto png = folder / "flower.png";
    const Result<> empty = SaveImage(Picture(0, 0), png, ColourChange::kAgreed);
    EXPECT_FALSE(empty.has_value());
    EXPECT_EQ(empty.error(), "Cannot save \"" + png.string() + "\": there is no picture to save.");
    EXPECT_TRUE(Entries(folder.Path()).empty());
}

TEST(SaveImage, PicturesBeyondAFormatsLimitsAreRefused) {
    TempFolder folder;
    // Past libjpeg's 65500, libpng's default 1000000 and Targa's 65535 pixels.
    const struct {
        const char* name;
        int width;
        const char* cause;
    } cases[] = {{"wide.jpg", 65501, "65500"}, {"wide.png", 1000001, "width"}, {"wide.tga", 65536, "65535"}};
    for (const auto& format : cases) {
        SCOPED_TRACE(format.name);
        const auto path = folder / format.name;
        const Result<> result = SaveImage(Picture(format.width, 1), path, ColourChange::kRefused);
        EXPECT_FALSE(result.has_value());
        EXPECT_EQ(result.error().rfind("Cannot save \"" + path.string() + "\": ", 0), 0u) << result.error();
        EXPECT_NE(result.error().find(format.cause), std::string::npos) << result.error();
    }
    EXPECT_TRUE(Entries(folder.Path()).empty());
}

TEST(SaveImage, ReplacesAnExistingFileAndLeavesNothingElse) {
    TempFolder folder;
    const auto path = folder / "flower.png";
    WriteText(path, "old picture");
    ASSERT_TRUE(SaveImage(Gradient(), path, ColourChange::kRefused).has_value());
    ExpectSamePixels(Gradient(), testing::ReadPng(path));
    EXPECT_EQ(Entries(folder.Path()), std::vector<std::filesystem::path>{path});
}

TEST(SaveImage, FailedWriteKeepsTheExistingFile) {
    TempFolder folder;
    const auto path = folder / "flower.bmp";
    WriteText(path, "old picture");

    // A file-size limit fails the writes part-way, as a full disk would.
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 4096;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const Result<> result = SaveImage(Picture(200, 200), path, ColourChange::kRefused);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(result.has_value());
    EXPECT_EQ(result.error(), "Cannot save \"" + path.string() + "\": File too large.");
    EXPECT_EQ(ReadText(path), "old picture");
    EXPECT_EQ(Entries(folder.Path()), std::vector<std::filesystem::path>{path});
}

TEST(SaveImage, FailedRenameLeavesNoTemporaryFile) {
    TempFolder folder;
    // A folder where the file should go cannot be replaced by it.
    const auto path = folder / "flower.png";
    std::filesystem::create_directory(path);
    WriteText(path / "inside.txt", "kept");
    const Result<> result = SaveImage(Gradient(), path, ColourChange::kRefused);
    EXPECT_FALSE(result.has_value());
    EXPECT_NE(result.error().find(path.string()), std::string::npos) << result.error();
    EXPECT_EQ(ReadText(path / "inside.txt"), "kept");
    EXPECT_EQ(Entries(folder.Path()), std::vector<std::filesystem::path>{path});
}

TEST(SaveImage, MissingFolderIsReportedWithItsCause) {
    TempFolder folder;
    const auto path = folder / "missing" / "flower.tif";
    const Result<> result = SaveImage(Gradient(), path, ColourChange::kRefused);
    EXPECT_FALSE(result.has_value());
    EXPECT_EQ(result.error(), "Cannot save \"" + path.string() + "\": No such file or directory.");
    EXPECT_TRUE(Entries(folder.Path()).empty());
}

// Whether saving into the folder fails as it must, judged by a process
// without root's privileges (permissions bind everyone but root).
bool SaveIsRefused(const std::filesystem::path& path, const std::string& expected) {
    if (geteuid() != 0) {
        const Result<> result = SaveImage(Gradient(), path, ColourChange::kRefused);
        return !result.has_value() && result.error() == expected;
    }
    const pid_t child = fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(2);
        const Result<> result = SaveImage(Gradient(), path, ColourChange::kRefused);
        _exit(!result.has_value() && result.error() == expected ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(SaveImage, ReadOnlyFolderKeepsTheExistingFile) {
    TempFolder folder;
    const auto path = folder / "flower.tga";
    WriteText(path, "old picture");
    std::filesystem::permissions(folder.Path(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_TRUE(SaveIsRefused(path, "Cannot save \"" + path.string() + "\": Permission denied."));
    EXPECT_EQ(ReadText(path), "old picture");
    EXPECT_EQ(Entries(folder.Path()), std::vector<std::filesystem::path>{path});
}

}  // namespace
}  // namespace zephyrin
