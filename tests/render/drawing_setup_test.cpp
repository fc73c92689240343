// The record a drawing starts from: a new window's, or a parameter file's
// loaded over it, with the command line's changes and a frozen view.
#include "render/drawing_setup.h"

#include <gtest/gtest.h>

#include <fstream>

#include "engine/core/defaults.h"
#include "engine/core/view_coords.h"
#include "engine/file/param_file.h"
#include "imaging/temp_folder.h"

namespace zephyrin {
namespace {

using testing::TempFolder;

RenderOptions OptionsFor(std::int32_t width, std::int32_t height) {
    RenderOptions options;
    options.width = width;
    options.height = height;
    options.output = "out.png";
    return options;
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(DrawingSetup, ANewWindowAtTheSupersampledSizeWithTheCommandLinesChanges) {
    RenderOptions options = OptionsFor(400, 300);
    options.supersample = 2;
    const Result<PreparedDrawing> prepared = PrepareDrawing(options);
    ASSERT_TRUE(prepared) << prepared.error();
    EXPECT_TRUE(prepared->messages.empty());
    const TFractalRec& v = prepared->setup.record;
    EXPECT_EQ(v.width, 800);
    EXPECT_EQ(v.listWidth, 800);
    EXPECT_EQ(v.height, 600);
    EXPECT_EQ(v.listHeight, 600);
    EXPECT_EQ(v.formula, 70);
    EXPECT_NE(v.randomStart, kFalse);
    EXPECT_EQ(v.white, kFalse);
    // 4:3 at magnification 0.01: x spans 200 * (1 + 4/3) / 2, y 200 * (1 + 3/4) / 2.
    EXPECT_DOUBLE_EQ(v.plotXMin, -700.0 / 3);
    EXPECT_DOUBLE_EQ(v.plotXMax, 700.0 / 3);
    EXPECT_DOUBLE_EQ(v.plotYMin, -175);
    EXPECT_DOUBLE_EQ(v.plotYMax, 175);
    EXPECT_EQ(prepared->setup.effects.colorMix, kFalse);

    options.formula = 5;
    options.white = options.sqrtFilter = true;
    const TFractalRec changed = PrepareDrawing(options)->setup.record;
    EXPECT_EQ(changed.formula, 5);
    EXPECT_EQ(changed.BB, 1.005);
    EXPECT_NE(changed.randomStart, kFalse);
    EXPECT_NE(changed.white, kFalse);
    EXPECT_NE(changed.sqrtFilter, kFalse);
}

class ParameterFileSetup : public ::testing::Test {
protected:
    ParameterFileSetup() {
        saved = NewWindowRecord(100, 100);
        saved.formula = 63;
        saved.zoom = 0.5;
        saved.xCenter = 1.5;
        saved.yCenter = -2;
        saved.intensity = 33;
        saved.AAStart = 0.25;
        saved.startX = 0.125;
        saved.startY = -0.375;
        for (int i = 1; i <= 120; ++i) saved.af[i] = i / 64.0;
        saved.varSwirl = kFalse;
        saved.varBent = kTrue;
        WriteText(path, WriteParameterText(saved, Effects{kTrue, kFalse, kTrue}, '.'));
        options.parameterFile = path;
    }

    TempFolder folder;
    std::filesystem::path path = folder / "saved.zpr";
    TFractalRec saved;
    RenderOptions options = OptionsFor(40, 20);
};

TEST_F(ParameterFileSetup, DrawsTheFilesValuesAtTheRequestedSize) {
    const Result<PreparedDrawing> prepared = PrepareDrawing(options);
    ASSERT_TRUE(prepared) << prepared.error();
    EXPECT_TRUE(prepared->messages.empty());
    const TFractalRec& v = prepared->setup.record;
    EXPECT_EQ(v.formula, 63);
    EXPECT_EQ(v.randomStart, kFalse) << "the file's coefficients and start are drawn as they are";
    EXPECT_EQ(v.af, saved.af);
    EXPECT_EQ(v.AAStart, 0.25);
    EXPECT_EQ(v.startX, 0.125);
    EXPECT_EQ(v.intensity, 33);
    EXPECT_EQ(v.varSwirl, kFalse);
    EXPECT_NE(v.varBent, kFalse);
    EXPECT_EQ(v.width, 40);
    EXPECT_EQ(v.height, 20);
    // Half span 2 / 0.5 = 4; at 2:1 the aspect factors are 1.5 and 0.75.
    EXPECT_DOUBLE_EQ(v.plotXMin, 1.5 - 6);
    EXPECT_DOUBLE_EQ(v.plotXMax, 1.5 + 6);
    EXPECT_DOUBLE_EQ(v.plotYMin, -2 - 3);
    EXPECT_DOUBLE_EQ(v.plotYMax, -2 + 3);
    EXPECT_NE(prepared->setup.effects.colorMix, kFalse);
    EXPECT_EQ(prepared->setup.effects.expansion, kFalse);
    EXPECT_NE(prepared->setup.effects.modulas, kFalse);
}

TEST_F(ParameterFileSetup, RandomOrAFormulaAsksForARandomStart) {
    options.random = true;
    EXPECT_NE(PrepareDrawing(options)->setup.record.randomStart, kFalse);
    options.random = false;
    options.formula = 40;
    const TFractalRec v = PrepareDrawing(options)->setup.record;
    EXPECT_EQ(v.formula, 40);
    EXPECT_NE(v.randomStart, kFalse);
    EXPECT_EQ(v.af, saved.af);
}

TEST_F(ParameterFileSetup, AShortFileKeepsTheNewWindowsValuesAndSaysSo) {
    WriteText(path, "Zephyrin v1.000\r\n63\r\n0,5\r\n");  // a comma file: read all the same
    const Result<PreparedDrawing> prepared = PrepareDrawing(options);
    ASSERT_TRUE(prepared) << prepared.error();
    const TFractalRec& v = prepared->setup.record;
    EXPECT_EQ(v.formula, 63);
    EXPECT_EQ(v.zoom, 0.5);
    EXPECT_EQ(v.intensity, 10);
    EXPECT_EQ(v.factor2, 0.1);
    EXPECT_NE(v.varSwirl, kFalse);
    EXPECT_EQ(v.startX, 5.0);
    ASSERT_FALSE(prepared->messages.empty());
    EXPECT_EQ(prepared->messages.front(),
              "Missing variable in parameter file: " + path.string() + " using defaults");
}

}  // namespace
}  // namespace zephyrin
