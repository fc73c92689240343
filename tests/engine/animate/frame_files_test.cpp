// The frames' names and the frames' table.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

#include "engine/animate/frame_pattern.h"
#include "engine/animate/frame_table.h"
#include "imaging/temp_folder.h"

namespace zephyrin {
namespace {

TEST(FramePattern, NamesAndRefusals) {
    const struct {
        const char* pattern;
        std::int64_t frame;
        const char* name;
    } names[] = {
        {"out/frame-%04d.png", 7, "out/frame-0007.png"},
        {"out/frame-%04d.png", 123456, "out/frame-123456.png"},
        {"f%d.png", 42, "f42.png"},
        {"%3d-%%.png", 5, "  5-%.png"},
        {"out/frame.png", 12, "out/frame-0012.png"},
    };
    for (const auto& n : names) {
        const Result<FramePattern> pattern = FramePattern::Parse(n.pattern);
        ASSERT_TRUE(pattern) << n.pattern;
        EXPECT_EQ(pattern->Name(n.frame), n.name);
    }
    EXPECT_EQ(FramePattern::Parse("out/frame-%04d.png")->Folder(), "out");
    for (const char* bad : {"f%s.png", "f%d-%d.png", "f%04x.png", "f%.png", "f%10d.png"})
        EXPECT_FALSE(FramePattern::Parse(bad)) << bad;
}

// Rows of earlier runs stay, a frame drawn again replaces its row, and
// lines that are not rows go.
TEST(FrameTable, GathersTheRowsOfEveryRun) {
    testing::TempFolder folder;
    const auto path = folder / "frames.csv";
    std::ofstream(path) << "frame,lyapunov,dimension,lit_share,mean_brightness\n"
                           "3,0.1,1.2,0.3,0.4\n"
                           "junk\n"
                           "5,,,0.5\n"
                           "1,0.2,1.1,0.2,0.3\r\n";
    FrameTable table = FrameTable::Read(path);
    EXPECT_TRUE(table.Has(1) && table.Has(3) && !table.Has(5));
    table.Set({3, 0.25, std::nan(""), 0.5, 0.125});
    table.Set({2, -0.5, 0, 1, 0});
    ASSERT_TRUE(table.Write(path));
    std::ifstream in(path);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(text,
              "frame,lyapunov,dimension,lit_share,mean_brightness\n"
              "1,0.2,1.1,0.2,0.3\n"
              "2,-0.500000,0.0000,1.000000,0.000000\n"
              "3,0.250000,,0.500000,0.125000\n");
}

}  // namespace
}  // namespace zephyrin
