// The parameter file on disk: replaced whole, read back, long lines and
// failures that name the file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "engine/file/param_file.h"
#include "engine/file/param_file_windows.h"

namespace zephyrin {
namespace {

using namespace testing;

class ParameterFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("zephyrin-param-" + std::to_string(std::random_device()()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::vector<std::filesystem::path> Entries() const {
        return {std::filesystem::directory_iterator(dir_), std::filesystem::directory_iterator()};
    }

    std::filesystem::path dir_;
};

TEST_F(ParameterFileOnDisk, ReplacesAnExistingFileAndReadsItBack) {
    const std::filesystem::path path = dir_ / "flower.zpr";
    std::ofstream(path) << "old contents";
    const std::string text = SavedWindow().Text();
    ASSERT_TRUE(WriteParameterFile(path, text));
    EXPECT_EQ(ReadParameterFile(path), text);
    EXPECT_EQ(Entries(), std::vector<std::filesystem::path>{path});

    // The density lines after line 150 come along, up to kMostExtraLines.
    std::string extra;
    for (int line = 151; line <= 150 + kMostExtraLines; ++line)
        extra += "key" + std::to_string(line) + "=1\r\n";
    ASSERT_TRUE(WriteParameterFile(path, text + extra + "one too many\r\n"));
    EXPECT_EQ(ReadParameterFile(path), text + extra);
}

TEST_F(ParameterFileOnDisk, ALineTooLongIsAReadingErrorAndEndsTheReading) {
    // 256 characters make a line, the header's too; one more does not.
    const std::string longest = "0." + std::string(253, '0') + "5";
    std::vector<std::string> lines = SavedLines();
    lines[0] = std::string(256, 'Z');
    lines[3] = longest;
    lines[4] = longest + std::string(1'000'000, '0');
    const std::filesystem::path path = dir_ / "long.zpr";
    std::ofstream(path, std::ios::binary) << Join(lines);
    const Result<std::string> text = ReadParameterFile(path);
    ASSERT_TRUE(text) << text.error();
    EXPECT_LT(text->size(), 2000u);
    Window w = PresentWindow();
    EXPECT_EQ(w.Load(*text), std::vector<std::string>{ReadError(5)});
    EXPECT_EQ(w.v.xCenter, 5e-254);
    EXPECT_EQ(w.v.xMax, PresentWindow().v.xMax);
    EXPECT_EQ(w.v.zoom, 0.5);

    lines[0] += "Z";
    Window header = PresentWindow();
    EXPECT_EQ(header.Load(Join(lines)), std::vector<std::string>{ReadError(1)});
    EXPECT_EQ(header.Text(), PresentWindow().Text());
}

TEST_F(ParameterFileOnDisk, FailuresNameTheFileAndLeaveNothingBehind) {
    const std::filesystem::path missing = dir_ / "no such folder" / "flower.zpr";
    const Result<> written = WriteParameterFile(missing, "x");
    ASSERT_FALSE(written);
    EXPECT_NE(written.error().find(missing.string()), std::string::npos) << written.error();
    const Result<std::string> read = ReadParameterFile(missing);
    ASSERT_FALSE(read);
    EXPECT_NE(read.error().find(missing.string()), std::string::npos) << read.error();

    const std::filesystem::path inTheWay = dir_ / "flower.zpr";
    std::filesystem::create_directory(inTheWay);
    std::ofstream(inTheWay / "keep") << "kept";
    EXPECT_FALSE(WriteParameterFile(inTheWay, "x"));
    EXPECT_EQ(Entries(), std::vector<std::filesystem::path>{inTheWay});
    EXPECT_TRUE(std::filesystem::exists(inTheWay / "keep"));
}

}  // namespace
}  // namespace zephyrin
