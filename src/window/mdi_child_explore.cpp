// Going back and forward through the window's pictures, and zooming with the
// wheel and out.
#include <QAction>
#include <QMenu>
#include <cmath>

#include "engine/zoom.h"
#include "services/one_shot_timer.h"
#include "view/picture_view.h"
#include "window/tmdi_child.h"

namespace zephyrin {

void TMDIChild::recordHistory() {
    history_.Record({v, effects});
}

void TMDIChild::undo() {
    if (history_.CanUndo()) showPictureOf(history_.Undo());
}

void TMDIChild::redo() {
    if (history_.CanRedo()) showPictureOf(history_.Redo());
}

void TMDIChild::showPictureOf(const PictureState& state) {
    const bool resized = state.record.listWidth != v.listWidth || state.record.listHeight != v.listHeight;
    RestorePicture(state, v, effects);
    v.randomStart = kFalse;
    if (resized) CreateTList();
    UpdateGrafX();
}

void TMDIChild::wheelZoom(double notches, int x, int y) {
    if (v.listWidth == 0 || notches == 0) return;
    const QSize shown = shownPictureSize();
    const QPoint pixel = PGImage1->boxToPixel(QPoint(x, y));
    const OrbitPoint under =
        PointAtPixel(v, ScaleOfPicture(v, shown.width(), shown.height()), pixel.x(), pixel.y());
    // Notches turned in quick succession make one new drawing.
    if (ZoomAbout(v, under, std::pow(kWheelNotchZoom, notches))) wheelTimer_->setEnabled(true);
}

void TMDIChild::zoomOut() {
    if (v.listWidth == 0) return;
    if (ZoomAbout(v, {v.xCenter, v.yCenter}, 0.5)) UpdateGrafX();
}

}  // namespace zephyrin
