// Stepping back and forward through a window's pictures.
#include "engine/file/picture_history.h"

#include <gtest/gtest.h>

namespace zephyrin {
namespace {

PictureState WithFormula(int formula) {
    PictureState state;
    state.record.formula = formula;
    return state;
}

TEST(PictureHistory, UndoAndRedoStepInOrderAndANewPictureDropsWhatLayAhead) {
    PictureHistory history;
    for (int formula : {1, 2, 3}) history.Record(WithFormula(formula));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Undo().record.formula, 2);
    EXPECT_EQ(history.Undo().record.formula, 1);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.Redo().record.formula, 2);

    history.Record(WithFormula(7));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Undo().record.formula, 2);
    EXPECT_EQ(history.Undo().record.formula, 1);
}

TEST(PictureHistory, TheRunsCountersAreNoNewPicture) {
    PictureHistory history;
    PictureState state = WithFormula(63);
    history.Record(state);
    state.record.iterations = 1'000'000;
    state.record.lastX = 0.25;
    state.record.AA = 0.5;  // each drawing loads it from AAStart
    history.Record(state);
    EXPECT_EQ(history.Size(), 1u);
    state.effects.modulas = kTrue;
    history.Record(state);
    state.record.af[120] = 1e-9;
    history.Record(state);
    EXPECT_EQ(history.Size(), 3u);
}

TEST(PictureHistory, KeepsTheLatestPictures) {
    PictureHistory history;
    for (int i = 0; i < 250; ++i) history.Record(WithFormula(i));
    EXPECT_EQ(history.Size(), PictureHistory::kMostSteps);
    while (history.CanUndo()) history.Undo();
    EXPECT_EQ(history.Redo().record.formula, 51);
}

TEST(PictureHistory, RestoreTakesTheDefiningValuesOnly) {
    PictureState saved = WithFormula(45);
    saved.record.AAStart = 0.75;
    saved.record.af[3] = -1.5;
    saved.effects.expansion = kTrue;
    TFractalRec v;
    v.iterations = 99;
    Effects effects;
    DensitySettings density;
    saved.density.gamma = 3;
    RestorePicture(saved, v, effects, density);
    EXPECT_EQ(v.formula, 45);
    EXPECT_EQ(v.AA, 0.75);
    EXPECT_EQ(v.af[3], -1.5);
    EXPECT_EQ(v.iterations, 99);
    EXPECT_EQ(effects.expansion, kTrue);
    EXPECT_EQ(density.gamma, 3);
}

}  // namespace
}  // namespace zephyrin
