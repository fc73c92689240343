// Going back and forward through the window's pictures, and zooming with the
// wheel and out.
#include <QAction>
#include <QMenu>
#include <QStatusBar>
#include <cmath>
#include <random>

#include "engine/core/zoom.h"
#include "engine/explore/fit_view.h"
#include "engine/explore/orbit_probe.h"
#include "services/messages.h"
#include "services/one_shot_timer.h"
#include "view/picture_view.h"
#include "window/tmdi_child.h"

namespace zephyrin {

void TMDIChild::recordHistory() {
    history_.Record({v, effects, density_});
}

void TMDIChild::undo() {
    if (history_.CanUndo()) showPictureOf(history_.Undo());
}

void TMDIChild::redo() {
    if (history_.CanRedo()) showPictureOf(history_.Redo());
}

void TMDIChild::showPictureOf(const PictureState& state) {
    if (DrawsTheSameCounts({v, effects, density_}, state)) {
        restoreColouring(state.density);
        return;
    }
    const bool resized = state.record.listWidth != v.listWidth || state.record.listHeight != v.listHeight;
    const bool wasDensity = density_.enabled;
    RestorePicture(state, v, effects, density_);
    // New windows start from the colouring the user chose last, undone or not.
    rememberDensityDefaults(density_);
    if (density_.enabled) useGradient();
    if (density_.enabled != wasDensity) UpdateMenuItems();
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

namespace {
std::uint64_t freshSeed() {
    std::random_device device;
    return std::uint64_t{device()} << 32 | device();
}
}  // namespace

void TMDIChild::findAttractor(SearchFailure onFailure) {
    if (searching()) return;
    searchCancel_ = false;
    searchFailure_ = onFailure;
    StatusBar1->showMessage(QStringLiteral("Finding an attractor for formula %1...").arg(v.formula));
    search_ = std::thread([this, start = v, switches = effects, seed = freshSeed()]() mutable {
        Result<SearchResult> result = FindAttractor(start, switches, SearchLimits{}, seed, searchCancel_);
        QMetaObject::invokeMethod(
            this, [this, start, result] { finishSearch(start, result); }, Qt::QueuedConnection);
    });
}

void TMDIChild::cancelSearch() {
    searchCancel_ = true;
}

void TMDIChild::finishSearch(const TFractalRec& found, const Result<SearchResult>& result) {
    search_.join();
    StatusBar1->clearMessage();
    const bool drawAnyway = searchFailure_ == SearchFailure::kDrawRandomStart;
    if (!result) {
        showError(QString::fromStdString(result.error()));
        return;
    }
    if (result->outcome == SearchOutcome::kCancelled) return;
    // A formula picked meanwhile makes the search's answer moot.
    if (found.formula != v.formula) return;
    if (result->outcome == SearchOutcome::kNotFound) {
        if (drawAnyway) {
            v.randomStart = kTrue;
            UpdateGrafX();
            return;
        }
        ShowMessage(QStringLiteral("No attractor was found for formula %1 in %2 tries. Find Attractor "
                                   "again, or pick another formula.")
                        .arg(v.formula)
                        .arg(result->tries));
        return;
    }
    TakeStartValues(v, found);
    v.xCenter = found.xCenter;
    v.yCenter = found.yCenter;
    v.zoom = found.zoom;
    UpdateGrafX();
}

void TMDIChild::fitView() {
    if (v.listWidth == 0) return;
    TFractalRec framed = v;
    const Result<bool> fitted = FitView(framed, effects, freshSeed());
    if (!fitted) {
        showError(QString::fromStdString(fitted.error()));
        return;
    }
    if (!*fitted) {
        ShowMessage(QStringLiteral("There is nothing to frame: the orbit runs away or stays on one point."));
        return;
    }
    v = framed;
    UpdateGrafX();
}

}  // namespace zephyrin
