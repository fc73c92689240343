// The mouse over the picture: the coordinate read-out, the selection that
// takes the picture's proportions on release, the zoom into it, and zooming
// with the wheel and out.
#include <QLabel>
#include <QTimer>
#include <cmath>

#include "engine/core/zoom.h"
#include "imaging/picture.h"
#include "services/locale_format.h"
#include "services/messages.h"
#include "services/one_shot_timer.h"
#include "util/number_format.h"
#include "view/picture_view.h"
#include "window/tmdi_child.h"

namespace zephyrin {

void TMDIChild::connectView() {
    connect(PGImage1, &PictureView::picBoxMouseDown, this, &TMDIChild::PGImage1PicBoxOnMouseDown);
    connect(PGImage1, &PictureView::picBoxMouseMove, this, &TMDIChild::PGImage1PicBoxOnMouseMove);
    connect(PGImage1, &PictureView::picBoxMouseUp, this, &TMDIChild::PGImage1PicBoxOnMouseUp);
    connect(PGImage1, &PictureView::viewMouseUp, this, &TMDIChild::PGImage1PicBoxOnMouseUp);
    connect(PGImage1, &PictureView::picBoxDoubleClicked, this, &TMDIChild::PGImage1PicBoxOnDblClick);
    connect(PGImage1, &PictureView::aboutToShowPopup, this, &TMDIChild::UpdateMenuItems);
    connect(PGImage1, &PictureView::newAutoSize, this, &TMDIChild::PGImage1NewAutoSize);
    connect(PGImage1, &PictureView::picBoxWheel, this, &TMDIChild::wheelZoom);
    PGImage1->setPopupMenu(PopupMenu1);
}

void TMDIChild::PGImage1PicBoxOnMouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int,
                                          int) {
    lastButtons = buttons;
    lastModifiers = modifiers;
    if (PictureView::isPlainLeftButton(buttons, modifiers))
        PGImage1->setActionMode(PictureView::ActionMode::MoveResizeCreateSelection);
}

void TMDIChild::PGImage1PicBoxOnMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x,
                                          int y) {
    const QPoint pixel = PGImage1->boxToPixel(QPoint(x, y));
    lastButtons = buttons;
    lastModifiers = modifiers;
    const TFractalRec& v = document_->v;
    if (v.listWidth == 0) return;
    // After a reduction the pixels shown are larger than the drawing's.
    const QSize shown = shownPictureSize();
    const PixelScale scale = ScaleOfPicture(v, shown.width(), shown.height());
    xPerPixel = scale.xPerPixel;
    yPerPixel = scale.yPerPixel;
    const OrbitPoint point = PointAtPixel(v, scale, pixel.x(), pixel.y());
    cursorX = point.x;
    cursorY = point.y;
    showReadOut();
}

QSize TMDIChild::shownPictureSize() const {
    const Picture* shown = PGImage1->currentPicture();
    if (!shown || shown->Empty()) return QSize(document_->v.listWidth, document_->v.listHeight);
    return QSize(shown->Width(), shown->Height());
}

void TMDIChild::showReadOut() {
    const char separator = localeDecimalSeparator();
    auto fixed = [separator](double value) {
        return QString::fromStdString(FormatFixed(value, 12, separator));
    };
    statusPanels[0]->setText(QStringLiteral("cx=") + fixed(cursorX));
    statusPanels[1]->setText(QStringLiteral("cy=") + fixed(cursorY));
    statusPanels[2]->setText(QStringLiteral("M=") + fixed(document_->v.zoom));
}

void TMDIChild::PGImage1PicBoxOnMouseUp() {
    // The last press or move decides, not the release itself.
    if (!PictureView::isPlainLeftButton(lastButtons, lastModifiers)) return;
    if (!PGImage1->hasSelection()) return;

    // The selection is in the pixels of the picture shown, which a reduction
    // makes smaller than the drawing's. The view may limit the proportioned
    // rectangle to the picture, so it is read back.
    const QSize shown = shownPictureSize();
    const PixelRect proportioned =
        ProportionedSelection({PGImage1->selectionLeft(), PGImage1->selectionTop(),
                               PGImage1->selectionWidth(), PGImage1->selectionHeight()},
                              shown.width(), shown.height());
    PGImage1->setSelectionWidth(proportioned.width);
    PGImage1->setSelectionLeft(proportioned.left);
    PGImage1->setSelectionHeight(proportioned.height);
    PGImage1->setSelectionTop(proportioned.top);
    SelectZoomRectangle(document_->v,
                        {PGImage1->selectionLeft(), PGImage1->selectionTop(), PGImage1->selectionWidth(),
                         PGImage1->selectionHeight()},
                        shown.width(), shown.height());
}

void TMDIChild::Zoom1Click() {
    TFractalRec& v = document_->v;
    if (v.listWidth == 0) return;
    if (!PGImage1->hasSelection()) {
        ShowMessage(QStringLiteral("there is nothing selected"));
        return;
    }
    if (!CanZoomIntoSelection(v)) {
        ShowMessage(
            QStringLiteral("The selected rectangle has no extent: drag a larger rectangle to zoom into."));
        return;
    }
    Timer2->stop();
    ZoomIntoSelection(v);
    PGImage1->setSelection(false);
    PGImage1->setActionMode(PictureView::ActionMode::None);
    UpdateGrafX();
}

void TMDIChild::PGImage1PicBoxOnDblClick() {
    Zoom1Click();
    PGImage1->setSelection(false);
    PGImage1->setActionMode(PictureView::ActionMode::None);
}

void TMDIChild::ClearRectangle1Click() {
    PGImage1->setSelection(false);
}

void TMDIChild::wheelZoom(double notches, int x, int y) {
    TFractalRec& v = document_->v;
    if (v.listWidth == 0 || notches == 0) return;
    const QSize shown = shownPictureSize();
    const QPoint pixel = PGImage1->boxToPixel(QPoint(x, y));
    const OrbitPoint under =
        PointAtPixel(v, ScaleOfPicture(v, shown.width(), shown.height()), pixel.x(), pixel.y());
    // Notches turned in quick succession make one new drawing.
    if (ZoomAbout(v, under, std::pow(kWheelNotchZoom, notches))) wheelTimer_->setEnabled(true);
}

void TMDIChild::zoomOut() {
    TFractalRec& v = document_->v;
    if (v.listWidth == 0) return;
    if (ZoomAbout(v, {v.xCenter, v.yCenter}, 0.5)) UpdateGrafX();
}

}  // namespace zephyrin
