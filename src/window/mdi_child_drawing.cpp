// The window's side of a drawing: its caption, the live refresh every 500 ms
// and the tidy-up at the end; the document draws.
#include <QScopeGuard>
#include <QTimer>
#include <new>

#include "services/locale_format.h"
#include "services/messages.h"
#include "util/number_format.h"
#include "window/tmdi_child.h"

namespace zephyrin {

void TMDIChild::UpdateGrafX() {
    runDrawing(PictureDocument::DrawingStart::kAfresh);
}

void TMDIChild::continueDrawing() {
    if (document_->canContinue()) runDrawing(PictureDocument::DrawingStart::kGoingOn);
}

// A drawing afresh, on a new picture of the record's frozen view, or one
// going on from the counts on the picture and view it stopped with.
void TMDIChild::runDrawing(PictureDocument::DrawingStart start) {
    const bool afresh = start == PictureDocument::DrawingStart::kAfresh;
    if (document_->waitsForRoom()) {
        QTimer::singleShot(10, this, afresh ? &TMDIChild::UpdateGrafX : &TMDIChild::continueDrawing);
        return;
    }
    if (document_->closed()) return;
    // While one of this window's drawings is on the stack (even a stopped one
    // that waits for a newer drawing to end) the caption may be a busy
    // caption, which must never become the window's name.
    if (document_->state() == PictureDocument::DrawingState::kIdle) pictureName = windowTitle();
    document_->beginDrawing();
    const auto unwind = qScopeGuard([this] {
        Timer2->stop();
        setWindowTitle(pictureName);
        document_->endDrawing();
    });
    TFractalRec& v = document_->v;
    try {
        if (afresh) document_->freshPicture();
        UpdateMenuItems();
        enableTimer2();
        v.ticks = 0;
        if (afresh) {
            TypeFractal();
        } else {
            document_->drawUntilStopped(start);
            Timer2->stop();
        }
    } catch (const std::bad_alloc&) {
        v.stop = kTrue;
        showError(QStringLiteral("There is not enough memory to draw a picture of %1 by %2 pixels.")
                      .arg(v.listWidth)
                      .arg(v.listHeight));
    }
}

void TMDIChild::TypeFractal() {
    const PixelScale scale = document_->freezeView();
    xPerPixel = scale.xPerPixel;
    yPerPixel = scale.yPerPixel;
    enableTimer2();
    document_->drawUntilStopped();
    Timer2->stop();
}

void TMDIChild::enableTimer2() {
    // Enabling a running timer must keep its period, which QTimer::start would restart.
    if (!Timer2->isActive()) Timer2->start();
}

void TMDIChild::CreateTList() {
    document_->clearCounts();
}

void TMDIChild::Timer2Timer() {
    document_->refresh();
    setWindowTitle(busyCaption());
    document_->countTick();
    update();
}

QString TMDIChild::busyCaption() const {
    const char separator = localeDecimalSeparator();
    auto fixed = [separator](double value) {
        return QString::fromStdString(FormatFixed(value, 2, separator));
    };
    const TFractalRec& v = document_->v;
    return QStringLiteral("Busy... %1   %2   %3   %4   %5")
        .arg(v.ticks)
        .arg(document_->lastLevel)
        .arg(fixed(v.AA), fixed(v.lastX), fixed(v.lastY));
}

}  // namespace zephyrin
