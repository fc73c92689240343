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

    WriteGgr(file, "0 0 1");
    ChooseGradient(density, file.string());
    EXPECT_EQ(TakeGradient(density)->At(0.5f), (GradientColour{1, 0, 0})) << "the same choice keeps it";
    ChooseGradient(density, "grey");
    EXPECT_FALSE(density.carried);
    ChooseGradient(density, file.string());
    EXPECT_EQ(TakeGradient(density)->At(0.5f), (GradientColour{0, 0, 1})) << "chosen again: read again";
}

}  // namespace
}  // namespace zephyrin
