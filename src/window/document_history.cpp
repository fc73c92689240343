// Back and forward through the document's pictures: a step that only
// recolours keeps the drawing, any other draws the picture stepped to.
#include "window/picture_document.h"

namespace zephyrin {

void PictureDocument::recordHistory() {
    history_.Record({v, effects, density_});
}

void PictureDocument::amendHistory() {
    history_.Amend({v, effects, density_});
}

void PictureDocument::undo() {
    if (history_.CanUndo()) showPictureOf(history_.Undo());
}

void PictureDocument::redo() {
    if (history_.CanRedo()) showPictureOf(history_.Redo());
}

void PictureDocument::showPictureOf(const PictureState& state) {
    if (DrawsTheSameCounts({v, effects, density_}, state)) {
        restoreColouring(state.density);
        return;
    }
    const bool resized = state.record.listWidth != v.listWidth || state.record.listHeight != v.listHeight;
    const ColouringMode before = colouringMode();
    RestorePicture(state, v, effects, density_);
    // New documents start from the colouring the user chose last, undone or not.
    rememberDensityDefaults(density_);
    if (!PaintsWhilePlotting(colouringMode())) useGradient();
    if (colouringMode() != before) emit colouringModeChanged();
    v.randomStart = kFalse;
    if (resized) clearCounts();
    emit redrawRequested();
}

}  // namespace zephyrin
