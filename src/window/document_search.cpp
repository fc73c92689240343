// Finding an attractor on a worker thread, and framing the orbit: both end
// in a new drawing of what they found.
#include <random>

#include "engine/explore/fit_view.h"
#include "engine/explore/orbit_probe.h"
#include "services/messages.h"
#include "window/picture_document.h"

namespace zephyrin {

namespace {
std::uint64_t freshSeed() {
    std::random_device device;
    return std::uint64_t{device()} << 32 | device();
}
}  // namespace

void PictureDocument::findAttractor(SearchFailure onFailure) {
    if (searching()) return;
    searchCancel_ = false;
    searchFailure_ = onFailure;
    emit searchStarted();
    search_ = std::thread([this, start = v, switches = effects, seed = freshSeed()]() mutable {
        Result<SearchResult> result = FindAttractor(start, switches, SearchLimits{}, seed, searchCancel_);
        QMetaObject::invokeMethod(
            this, [this, start, result] { finishSearch(start, result); }, Qt::QueuedConnection);
    });
}

void PictureDocument::cancelSearch() {
    searchCancel_ = true;
}

void PictureDocument::finishSearch(const TFractalRec& found, const Result<SearchResult>& result) {
    search_.join();
    emit searchEnded();
    if (!result) {
        showError(QString::fromStdString(result.error()));
        return;
    }
    if (result->outcome == SearchOutcome::kCancelled) return;
    // A formula picked meanwhile makes the search's answer moot.
    if (found.formula != v.formula) return;
    if (result->outcome == SearchOutcome::kNotFound) {
        if (searchFailure_ == SearchFailure::kDrawRandomStart) {
            v.randomStart = kTrue;
            emit redrawRequested();
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
    emit redrawRequested();
}

void PictureDocument::fitView() {
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
    emit redrawRequested();
}

}  // namespace zephyrin
