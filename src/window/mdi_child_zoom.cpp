// The mouse over the picture: the coordinate read-out, the selection that
// takes the picture's proportions on release, and the zoom into it.
#include <QLabel>
#include <QTimer>
#include <cmath>

#include "imaging/picture.h"
#include "services/locale_format.h"
#include "services/messages.h"
#include "util/number_format.h"
#include "util/rounding.h"
#include "view/picture_view.h"
#include "window/tmdi_child.h"

namespace zephyrin {

void TMDIChild::ConnectView() {
    connect(PGImage1, &PictureView::picBoxMouseDown, this, &TMDIChild::PGImage1PicBoxOnMouseDown);
    connect(PGImage1, &PictureView::picBoxMouseMove, this, &TMDIChild::PGImage1PicBoxOnMouseMove);
    connect(PGImage1, &PictureView::picBoxMouseUp, this, &TMDIChild::PGImage1PicBoxOnMouseUp);
    connect(PGImage1, &PictureView::viewMouseUp, this, &TMDIChild::PGImage1PicBoxOnMouseUp);
    connect(PGImage1, &PictureView::picBoxDoubleClicked, this, &TMDIChild::PGImage1PicBoxOnDblClick);
    connect(PGImage1, &PictureView::aboutToShowPopup, this, &TMDIChild::UpdateMenuItems);
    connect(PGImage1, &PictureView::newAutoSize, this, &TMDIChild::PGImage1NewAutoSize);
    PGImage1->setPopupMenu(PopupMenu1);
}

void TMDIChild::PGImage1PicBoxOnMouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int,
                                          int) {
    lastButtons = buttons;
    lastModifiers = modifiers;
    if (PictureView::IsPlainLeftButton(buttons, modifiers))
        PGImage1->setActionMode(PictureView::ActionMode::MoveResizeCreateSelection);
}

void TMDIChild::PGImage1PicBoxOnMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x,
                                          int y) {
    const QPoint pixel = PGImage1->BoxToPixel(QPoint(x, y));
    lastButtons = buttons;
    lastModifiers = modifiers;
    if (v.listWidth == 0) return;
    // After a reduction the pixels shown are larger than the drawing's.
    const QSize shown = ShownPictureSize();
    xPerPixel = (v.plotXMax - v.plotXMin) / shown.width();
    yPerPixel = (v.plotYMax - v.plotYMin) / shown.height();
    cursorX = pixel.x() * xPerPixel + v.plotXMin;
    cursorY = pixel.y() * yPerPixel + v.plotYMin;
    ShowReadOut();
}

QSize TMDIChild::ShownPictureSize() const {
    const Picture* shown = PGImage1->CurrentPicture();
    if (!shown || shown->Empty()) return QSize(v.listWidth, v.listHeight);
    return QSize(shown->Width(), shown->Height());
}

void TMDIChild::ShowReadOut() {
    const char separator = LocaleDecimalSeparator();
    auto fixed = [separator](double value) {
        return QString::fromStdString(FormatFixed(value, 12, separator));
    };
    statusPanels[0]->setText(QStringLiteral("cx=") + fixed(cursorX));
    statusPanels[1]->setText(QStringLiteral("cy=") + fixed(cursorY));
    statusPanels[2]->setText(QStringLiteral("M=") + fixed(v.zoom));
}

void TMDIChild::PGImage1PicBoxOnMouseUp() {
    // The last press or move decides, not the release itself.
    if (!PictureView::IsPlainLeftButton(lastButtons, lastModifiers)) return;
    if (!PGImage1->hasSelection()) return;

    // Give the selection the picture's proportions, keeping its centre and
    // the mean of its sides. The selection is in the pixels of the picture
    // shown, which a reduction makes smaller than the drawing's.
    const QSize shown = ShownPictureSize();
    const double W = shown.width(), H = shown.height();
    const double cx = PGImage1->selectionWidth() * 0.5 + PGImage1->selectionLeft();
    const double cy = PGImage1->selectionHeight() * 0.5 + PGImage1->selectionTop();
    const double s = (PGImage1->selectionWidth() + PGImage1->selectionHeight()) * 0.5;
    const double t = (W + H) * 0.5;
    PGImage1->setSelectionWidth(RoundToInt32Clamped(W / t * s));
    PGImage1->setSelectionLeft(RoundToInt32Clamped(cx - W / t * s * 0.5));
    PGImage1->setSelectionHeight(RoundToInt32Clamped(H / t * s));
    PGImage1->setSelectionTop(RoundToInt32Clamped(cy - H / t * s * 0.5));

    const double left = PGImage1->selectionLeft(), top = PGImage1->selectionTop();
    const double fx1 = left / W, fx2 = (left + PGImage1->selectionWidth()) / W;
    const double fy1 = top / H, fy2 = (top + PGImage1->selectionHeight()) / H;
    const double dx = v.xMax - v.xMin, dy = v.yMax - v.yMin;
    v.zoomXMin = dx * fx1 + v.xMin;
    v.zoomXMax = dx * fx2 + v.xMin;
    v.zoomYMin = dy * fy1 + v.yMin;
    v.zoomYMax = dy * fy2 + v.yMin;
    v.prevXCenter = v.xCenter;
    v.prevYCenter = v.yCenter;
    v.zoomXCenter = (v.zoomXMax - v.zoomXMin) * 0.5 + v.zoomXMin;
    v.zoomYCenter = (v.zoomYMax - v.zoomYMin) * 0.5 + v.zoomYMin;
    const double q =
        (std::fabs(v.zoomXMax - v.zoomXMin) * 0.5 + std::fabs(v.zoomYMax - v.zoomYMin) * 0.5) * 0.5;
    v.zoomSelected = q;
    if (q != 0) v.zoomSelected = 1.0 / q * 2.0;
}

void TMDIChild::Zoom1Click() {
    if (v.listWidth == 0) return;
    if (!PGImage1->hasSelection()) {
        ShowMessage(QStringLiteral("there is nothing selected"));
        return;
    }
    if (!(v.zoomSelected > 0) || !std::isfinite(v.zoomSelected)) {
        // A rectangle without extent has no magnification to zoom to.
        ShowMessage(
            QStringLiteral("The selected rectangle has no extent: drag a larger rectangle to zoom into."));
        return;
    }
    Timer2->stop();
    v.xMin = v.zoomXMin;
    v.xMax = v.zoomXMax;
    v.yMin = v.zoomYMin;
    v.yMax = v.zoomYMax;
    v.xCenter = (v.xMax - v.xMin) * 0.5 + v.xMin;
    v.yCenter = (v.yMax - v.yMin) * 0.5 + v.yMin;
    v.zoom = v.zoomSelected;
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

}  // namespace zephyrin
