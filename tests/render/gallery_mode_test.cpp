// --gallery: the sheet, its parameter files and table, and a tile drawn again.
#include "render/gallery_mode.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "imaging/image_readers.h"
#include "imaging/temp_folder.h"
#include "render/contact_sheet.h"
#include "render/digit_font.h"
#include "run_render.h"

namespace zephyrin {
namespace {

using testing::ReadAll;
using testing::RunRender;
using testing::TempFolder;

std::vector<std::vector<std::string>> CsvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> cells;
        std::istringstream fields(line);
        for (std::string cell; std::getline(fields, cell, ',');) cells.push_back(cell);
        rows.push_back(cells);
    }
    return rows;
}

TEST(Gallery, ASheetOfTilesBestFirstWithTheirFilesAndTable) {
    TempFolder folder;
    const std::filesystem::path sheet = folder / "sheet.ppm";
    const auto made = RunRender({"--gallery", "4", "--formula", "70", "--seed", "5", "--iterations", "20000",
                                 "--threads", "2", "-o", sheet.string()});
    ASSERT_EQ(made.status, 0) << made.err;
    const testing::DecodedImage picture = testing::ReadNetpbm(sheet);
    ASSERT_EQ(picture.width, 2 * 200 + 3 * kSheetGap) << picture.error;
    ASSERT_EQ(picture.height, 2 * 150 + 3 * kSheetGap);

    const auto rows = CsvRows(ReadAll(folder / "sheet.csv"));
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"tile", "formula", "seed", "lyapunov", "dimension",
                                                 "coverage", "score", "file"}));
    for (std::size_t i = 1; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), 8u);
        EXPECT_EQ(rows[i][0], std::to_string(i));
        EXPECT_EQ(rows[i][1], "70");
        EXPECT_EQ(rows[i][7], "sheet-0" + std::to_string(i) + ".zpr");
        EXPECT_TRUE(std::filesystem::exists(folder / rows[i][7]));
        if (i > 1) {
            EXPECT_GE(std::stod(rows[i - 1][6]), std::stod(rows[i][6])) << "best first";
        }
        EXPECT_GT(std::stod(rows[i][5]), 0.01) << "the tile's drawing lights some of it";
    }

    // Tile 2 drawn again from its file with its seed: the same pixels, but
    // for the label in its corner.
    const std::filesystem::path again = folder / "again.ppm";
    const auto redrawn = RunRender({(folder / rows[2][7]).string(), "--seed", rows[2][2], "--size", "200x150",
                                    "--iterations", "20000", "--threads", "2", "-o", again.string()});
    ASSERT_EQ(redrawn.status, 0) << redrawn.err;
    const testing::DecodedImage tile = testing::ReadNetpbm(again);
    ASSERT_EQ(tile.width, 200) << tile.error;
    const int labelWidth = NumberWidth(2, kLabelScale) + 2 * kLabelMargin;
    const int labelHeight = kDigitRows * kLabelScale + 2 * kLabelMargin;
    int differing = 0;
    for (int row = 0; row < 150; ++row)
        for (int column = 0; column < 200; ++column)
            if (row >= labelHeight || column >= labelWidth)
                differing +=
                    tile.At(column, row) != picture.At(2 * kSheetGap + 200 + column, kSheetGap + row);
    EXPECT_EQ(differing, 0);
}

TEST(Gallery, NothingToFindWritesNothingAndExitsWithThree) {
    TempFolder folder;
    const auto none = RunRender({"--gallery", "2", "--formula", "73", "-o", (folder / "s.png").string()});
    EXPECT_EQ(none.status, 3);
    EXPECT_NE(none.err.find("no attractor of formula 73 found"), std::string::npos) << none.err;
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
    EXPECT_EQ(TileParameterFile("out/s.png", 7, 120), std::filesystem::path("out/s-007.zpr"));
}

}  // namespace
}  // namespace zephyrin
