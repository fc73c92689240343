#include "util/atomic_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "imaging/temp_folder.h"

namespace zephyrin {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

// The cause of a failure, or "" on success.
std::string Write(const fs::path& path, std::string_view text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const Result<> written = WriteFileAtomically(path, std::span(bytes, text.size()));
    return written ? "" : written.error();
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> Entries(const fs::path& folder) {
    return {fs::directory_iterator(folder), fs::directory_iterator()};
}

TEST(WriteFileAtomically, TheReplacingFileKeepsThePermissions) {
    TempFolder folder;
    const fs::path path = folder / "secret.zpr";
    // No umask gives both of these to a new file.
    for (const fs::perms mode : {fs::perms::owner_read | fs::perms::owner_write,
                                 fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                     fs::perms::group_write | fs::perms::others_read}) {
        std::ofstream(path) << "old";
        fs::permissions(path, mode);
        ASSERT_EQ(Write(path, "new"), "");
        EXPECT_EQ(ReadAll(path), "new");
        EXPECT_EQ(fs::status(path).permissions(), mode);
    }
    EXPECT_EQ(Entries(folder.Path()), std::vector<fs::path>{path});
}

TEST(WriteFileAtomically, WritesThroughLinksToTheFileTheyLeadTo) {
    TempFolder folder;
    fs::create_directory(folder / "sub");
    const fs::path target = folder / "sub" / "picture.zpr";
    std::ofstream(target) << "old";
    // relative -> absolute -> target, and a link whose file is not there yet.
    fs::create_symlink(target, folder / "absolute");
    fs::create_symlink("absolute", folder / "relative");
    fs::create_symlink(fs::path("sub") / "new.zpr", folder / "dangling");

    ASSERT_EQ(Write(folder / "relative", "through two links"), "");
    EXPECT_EQ(ReadAll(target), "through two links");
    EXPECT_TRUE(fs::is_symlink(folder / "relative"));
    EXPECT_TRUE(fs::is_symlink(folder / "absolute"));

    ASSERT_EQ(Write(folder / "dangling", "created"), "");
    EXPECT_EQ(ReadAll(folder / "sub" / "new.zpr"), "created");
    EXPECT_TRUE(fs::is_symlink(folder / "dangling"));
    EXPECT_EQ(Entries(folder / "sub").size(), 2u) << "no temporary file left";

    fs::create_symlink("loop", folder / "loop");
    EXPECT_NE(Write(folder / "loop", "x"), "");
}

}  // namespace
}  // namespace zephyrin
