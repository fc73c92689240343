#include "engine/colouring/density_gradient.h"

#include <gtest/gtest.h>

#include <fstream>

#include "imaging/temp_folder.h"

namespace zephyrin {
namespace {

using testing::TempFolder;

void WriteGgr(const std::filesystem::path& path, std::string_view colour) {
    std::ofstream(path) << "GIMP Gradient\n1\n0 0.5 1 " << colour << " 1 " << colour << " 1 0 0\n";
}

// Once taken, a file's gradient is the picture's own: changing or removing
// the file changes nothing until another gradient is chosen.
TEST(TakeGradient, AFilesGradientIsCarriedFromThenOn) {
    TempFolder folder;
    const std::filesystem::path file = folder / "red.ggr";
    WriteGgr(file, "1 0 0");
    DensitySettings density;
    ChooseGradient(density, file.string());
    ASSERT_EQ(TakeGradient(density)->At(0.5f), (GradientColour{1, 0, 0}));
    ASSERT_TRUE(density.carried);
    EXPECT_EQ(density.carried->name, "red");

    WriteGgr(file, "0 0 1");
    ChooseGradient(density, file.string());
    EXPECT_EQ(TakeGradient(density)->At(0.5f), (GradientColour{1, 0, 0})) << "the same choice keeps it";
    std::filesystem::remove(file);
    EXPECT_EQ(TakeGradient(density)->At(0.5f), (GradientColour{1, 0, 0}));

    ChooseGradient(density, "grey");
    EXPECT_FALSE(density.carried);
    EXPECT_EQ(TakeGradient(density)->At(0.5f), (GradientColour{0.5f, 0.5f, 0.5f}));
    EXPECT_FALSE(density.carried) << "built-ins are the program's own";

    ChooseGradient(density, file.string());
    const Result<Gradient> missing = TakeGradient(density);
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.error().find(file.string()), std::string::npos) << missing.error();
    ChooseGradient(density, "mauve");
    EXPECT_FALSE(TakeGradient(density));
}

}  // namespace
}  // namespace zephyrin
