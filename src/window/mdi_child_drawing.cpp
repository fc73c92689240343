// The window's side of a drawing: a fresh picture, the frozen view, the
// engine run, the live refresh every 500 ms and the tidy-up at the end.
#include <QCoreApplication>
#include <QScopeGuard>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <new>
#include <random>

#include "engine/core/pixel_index.h"
#include "engine/core/plot_colour.h"
#include "engine/core/view_coords.h"
#include "engine/core/zoom.h"
#include "imaging/picture.h"
#include "services/event_pump.h"
#include "services/locale_format.h"
#include "services/messages.h"
#include "util/number_format.h"
#include "view/picture_view.h"
#include "window/tmdi_child.h"

namespace zephyrin {

namespace {

// While the drawing threads draw, the interface thread only waits for events.
class WaitingHost final : public EngineHost {
public:
    void ProcessMessages() override { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents); }
};

std::uint64_t drawingSeed() {
    std::random_device device;
    return std::uint64_t{device()} << 32 | device();
}

}  // namespace

void TMDIChild::showPicture(std::unique_ptr<Picture> newPicture) {
    PGImage1->setPicture(std::move(newPicture));
    // In density colouring the engine only counts; the picture shown comes
    // from the counts.
    picture = density_.enabled ? nullptr : PGImage1->currentPicture();
}

void TMDIChild::refreshPicture() {
    if (density_.enabled)
        recolour();
    else if (Picture* shown = PGImage1->currentPicture())
        shown->Changed();
}

void TMDIChild::UpdateGrafX() {
    Engine& engine = *parts_.engine;
    if (engine.Depth() >= kMaxNesting) {
        // Every start nests inside the running drawing; so that endless
        // restarts cannot exhaust the stack, let the running drawings end
        // and start again once they have unwound.
        engine.StopCurrent();
        QTimer::singleShot(10, this, &TMDIChild::UpdateGrafX);
        return;
    }
    if (closed_) return;
    // While one of this window's drawings is on the stack (even a stopped one
    // that waits for a newer drawing to end) the caption may be a busy
    // caption, which must never become the window's name.
    if (drawingsRunning_ == 0) pictureName = windowTitle();
    ++drawingsRunning_;
    const auto unwind = qScopeGuard([this] {
        --drawingsRunning_;
        Timer2->stop();
        setWindowTitle(pictureName);
        takeProgress();
    });
    meter_.Restart(clock_.elapsed() / 1000.0);
    try {
        reductionBlock_ = 1;
        showPicture(std::make_unique<Picture>(v.listWidth, v.listHeight));
        PGImage1->currentPicture()->Changed();
        UpdateMenuItems();
        enableTimer2();
        v.ticks = 0;
        TypeFractal();
    } catch (const std::bad_alloc&) {
        v.stop = kTrue;
        showError(QStringLiteral("There is not enough memory to draw a picture of %1 by %2 pixels.")
                      .arg(v.listWidth)
                      .arg(v.listHeight));
    }
}

void TMDIChild::TypeFractal() {
    FreezeView(v);
    const PixelScale scale = ScaleOfPicture(v, v.width, v.height);
    xPerPixel = scale.xPerPixel;
    yPerPixel = scale.yPerPixel;
    enableTimer2();
    v.stop = kFalse;
    handOver_ = false;
    bool goingOn = false;
    for (;;) {
        if (density_.enabled && parts_.pool)
            drawOnThreads(goingOn);
        else
            drawOnEngine(goingOn);
        // Switched from one colouring to the other while it drew: the drawing
        // goes on from its counts the other way.
        if (!handOver_ || closed_) break;
        handOver_ = false;
        v.stop = kFalse;
        goingOn = true;
    }
    handOver_ = false;
    refreshPicture();
    Timer2->stop();
}

void TMDIChild::drawOnEngine(bool goingOn) {
    Engine& engine = *parts_.engine;
    if (!goingOn) {
        countsByRow_ = false;
        engine.RunEngine(v, *this);
        return;
    }
    if (countsByRow_) {
        hitList = counts_.ToHitList(std::max(v.listWidth, v.listHeight));
        counts_ = CountGrid();
        countsByRow_ = false;
    }
    engine.ResumeEngine(v, *this);
}

// A density drawing: nothing ties it to one orbit, so batches of orbits draw
// it on every core while this thread only shows it. It still nests as the
// engine's drawings do: the engine holds it as the running drawing.
void TMDIChild::drawOnThreads(bool goingOn) {
    Engine& engine = *parts_.engine;
    if (!goingOn) {
        engine.RandomStartIfPending(v, *this);
        v.ticks = 0;
        v.iterations = 0;
        v.AA = v.AAStart;
    }
    iterationsBefore_ = v.iterations;
    // A drawing of this window beneath this one has had its day.
    if (drawing_) drawing_->Stop();
    drawing_ = nullptr;
    // Fresh counts, so that a smaller picture gives the old ones' memory back.
    if (!goingOn)
        counts_ = CountGrid(v.width, v.height);
    else if (!countsByRow_)
        counts_ = CountGrid::FromHitList(hitList, std::max(v.listWidth, v.listHeight), v.width, v.height);
    countsByRow_ = true;
    const auto mine = std::make_unique<CountsDrawing>(*parts_.pool, v, effects, drawingSeed(), counts_);
    drawing_ = mine.get();
    UpdateParameters();
    stopWatch_->start();
    WaitingHost waiting;
    engine.HoldWhileDrawnElsewhere(v, waiting);
    mine->Stop();
    if (drawing_ == mine.get()) {
        takeCounts(*mine);
        drawing_ = nullptr;
        stopWatch_->stop();
    }
}

void TMDIChild::takeCounts(const CountsDrawing& drawing) {
    drawing.SumCounts(counts_);
    v.iterations = static_cast<std::int32_t>(static_cast<std::uint32_t>(iterationsBefore_) +
                                             static_cast<std::uint64_t>(drawing.Iterations()));
    const CountsDrawing::Status status = drawing.LastStatus();
    v.lastX = status.lastX;
    v.lastY = status.lastY;
    v.AA = status.AA;
    // The level of the drawing's count of the last plotted pixel, as the
    // engine's is: a thread's own count of it is only its share.
    const std::int32_t column = PixelIndex(status.lastX, v.plotXMin, v.plotXMax, v.width);
    const std::int32_t row = PixelIndex(status.lastY, v.plotYMin, v.plotYMax, v.height);
    if (column >= 0 && row >= 0 && column < counts_.Width() && row < counts_.Height())
        lastLevel = LevelOfCount(counts_.At(column, row), v.sqrtFilter);
}

void TMDIChild::drawingFailed() {
    const std::exception_ptr failure = drawing_->Failure();
    stopDrawing();
    QString why;
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        why = QStringLiteral("There is not enough memory to go on drawing.");
    } catch (const std::exception& error) {
        why = QStringLiteral("The drawing stopped: %1").arg(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        why = QStringLiteral("The drawing stopped on an unknown error.");
    }
    showError(why);
}

void TMDIChild::stopDrawing() {
    v.stop = kTrue;
    handOver_ = false;
    if (drawing_) drawing_->Stop();
}

void TMDIChild::enableTimer2() {
    // Enabling a running timer must keep its period, which QTimer::start would restart.
    if (!Timer2->isActive()) Timer2->start();
}

void TMDIChild::CreateTList() {
    newHitList();
    if (Picture* shown = PGImage1->currentPicture()) shown->Fill(0);
}

void TMDIChild::newHitList() {
    const std::size_t side = static_cast<std::size_t>(std::max({v.listWidth, v.listHeight, 0}));
    // A fresh list, so that a smaller size gives the old list's memory back.
    hitList = std::vector<std::int32_t>(side * side, 0);
}

void TMDIChild::Timer2Timer() {
    if (drawing_ && !drawing_->Stopped()) {
        // The dialogs' changes reach the threads at every refresh.
        drawing_->Hand(v, effects);
        takeCounts(*drawing_);
    }
    refreshPicture();
    setWindowTitle(busyCaption());
    ++v.ticks;
    takeProgress();
    update();
}

void TMDIChild::takeProgress() {
    meter_.Take(v.iterations, clock_.elapsed() / 1000.0);
    emit progressChanged();
}

QString TMDIChild::progressText() const {
    const QString iterations = QStringLiteral("%L1 iterations").arg(meter_.Iterations());
    if (drawingsRunning_ == 0 || v.stop) return iterations;
    return QStringLiteral("%1, %L2 million a second")
        .arg(iterations)
        .arg(meter_.PerSecond() / 1e6, 0, 'f', 2);
}

QString TMDIChild::busyCaption() const {
    const char separator = localeDecimalSeparator();
    auto fixed = [separator](double value) {
        return QString::fromStdString(FormatFixed(value, 2, separator));
    };
    return QStringLiteral("Busy... %1   %2   %3   %4   %5")
        .arg(v.ticks)
        .arg(lastLevel)
        .arg(fixed(v.AA), fixed(v.lastX), fixed(v.lastY));
}

void TMDIChild::UpdateParameters() {
    // The engine calls this as a drawing starts, after any random start: the
    // values a picture is drawn from.
    recordHistory();
    if (density_.enabled) recolour();  // the background, until the first refresh
    if (parts_.frame) parts_.frame->UpdateParameters();
}

void TMDIChild::ProcessMessages() {
    parts_.pump->pump();
}

}  // namespace zephyrin
