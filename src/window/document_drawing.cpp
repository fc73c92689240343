// A drawing of the document: on the engine in this thread when the colouring
// paints each hit, on the pool's threads otherwise, with the counts handed
// over when the colouring changes under a running drawing.
#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <new>
#include <random>

#include "engine/core/pixel_index.h"
#include "engine/core/plot_colour.h"
#include "engine/core/view_coords.h"
#include "imaging/picture.h"
#include "services/event_pump.h"
#include "services/messages.h"
#include "window/picture_document.h"

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

PictureDocument::PictureDocument(Engine& engine, EventPump& pump, ThreadPool* pool, PictureDisplay& display,
                                 QObject* parent)
    : QObject(parent), engine_(engine), pump_(pump), pool_(pool), display_(display) {
    v.stop = kFalse;
    v.randomStart = kTrue;
    v.white = kFalse;
    density_ = rememberedDensityDefaults();
    if (!PaintsWhilePlotting(colouringMode())) useGradient();
    // A drawing on the threads may lie beneath a newer one, whose loop alone
    // looks at its own record: this looks at this document's.
    stopWatch_ = new QTimer(this);
    stopWatch_->setInterval(20);
    connect(stopWatch_, &QTimer::timeout, this, &PictureDocument::watchThreadsDrawing);
    clock_.start();
}

PictureDocument::~PictureDocument() {
    if (drawing_) drawing_->Stop();
    cancelSearch();
    if (search_.joinable()) search_.join();
}

PictureDocument::DrawingState PictureDocument::state() const {
    if (drawingsRunning_ == 0) return DrawingState::kIdle;
    return v.stop ? DrawingState::kStopped : DrawingState::kDrawing;
}

bool PictureDocument::waitsForRoom() {
    if (engine_.Depth() < kMaxNesting) return false;
    // Every start nests inside the running drawing; so that endless restarts
    // cannot exhaust the stack, the running drawings end first.
    engine_.StopCurrent();
    return true;
}

void PictureDocument::beginDrawing() {
    ++drawingsRunning_;
    meter_.Restart(clock_.elapsed() / 1000.0);
    emit progressChanged();
}

void PictureDocument::endDrawing() {
    --drawingsRunning_;
    takeProgress();
}

void PictureDocument::freshPicture() {
    reductionBlock_ = 1;
    showPicture(std::make_unique<Picture>(v.listWidth, v.listHeight));
    display_.shownPicture()->Changed();
}

PixelScale PictureDocument::freezeView() {
    FreezeView(v);
    return ScaleOfPicture(v, v.width, v.height);
}

void PictureDocument::drawUntilStopped(DrawingStart start) {
    v.stop = kFalse;
    handOver_ = false;
    bool goingOn = start == DrawingStart::kGoingOn;
    if (!goingOn) {
        seed_ = drawingSeed();
        countsHistory_ = {};
    }
    for (;;) {
        if (!PaintsWhilePlotting(colouringMode()) && pool_)
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
}

// The engine's stretch is a run of the seed like any other, though its
// random numbers are the engine's own: the runs after it keep to new streams.
void PictureDocument::drawOnEngine(bool goingOn) {
    if (goingOn && countsByRow_) {
        hitList = counts_.ToHitList(std::max(v.listWidth, v.listHeight));
        counts_ = CountGrid();
    }
    countsByRow_ = false;
    // The engine's reset counts from 0 as well.
    if (!goingOn) v.iterations = 0;
    const std::uint64_t stretch = beginStretch();
    if (goingOn)
        engine_.ResumeEngine(v, *this);
    else
        engine_.RunEngine(v, *this);
    endStretch(stretch);
}

// Nothing ties a drawing that colours its counts afterwards to one orbit, so
// batches of orbits draw it on every core while this thread only shows it.
// It still nests as the engine's drawings do: the engine holds it as the
// running drawing.
void PictureDocument::drawOnThreads(bool goingOn) {
    if (!goingOn) {
        engine_.RandomStartIfPending(v, *this);
        v.ticks = 0;
        v.iterations = 0;
        v.AA = v.AAStart;
    }
    iterationsBefore_ = v.iterations;
    // A drawing of this document beneath this one has had its day.
    if (drawing_) drawing_->Stop();
    drawing_ = nullptr;
    // Fresh counts, so that a smaller picture gives the old ones' memory back.
    if (!goingOn)
        counts_ = CountGrid(v.width, v.height);
    else if (!countsByRow_)
        counts_ = CountGrid::FromHitList(hitList, std::max(v.listWidth, v.listHeight), v.width, v.height);
    countsByRow_ = true;
    const auto mine = std::make_unique<CountsDrawing>(*pool_, v, effects,
                                                      RunSeed(seed_, countsHistory_.RunsOf(seed_)), counts_);
    drawing_ = mine.get();
    const std::uint64_t stretch = beginStretch();
    UpdateParameters();
    stopWatch_->start();
    WaitingHost waiting;
    engine_.HoldWhileDrawnElsewhere(v, waiting);
    mine->Stop();
    if (drawing_ == mine.get()) {
        takeCounts(*mine);
        drawing_ = nullptr;
        stopWatch_->stop();
    }
    endStretch(stretch);
}

void PictureDocument::watchThreadsDrawing() {
    if (!drawing_) return;
    if (drawing_->Failure()) {
        drawingFailed();
        return;
    }
    if (v.stop) drawing_->Stop();
}

void PictureDocument::takeCounts(const CountsDrawing& drawing) {
    drawing.CopyCounts(counts_);
    v.iterations = static_cast<std::int32_t>(static_cast<std::uint32_t>(iterationsBefore_) +
                                             static_cast<std::uint64_t>(drawing.Iterations()));
    const CountsDrawing::Status status = drawing.LastStatus();
    v.lastX = status.lastX;
    v.lastY = status.lastY;
    v.AA = status.AA;
    // The level of the drawing's count of the last plotted pixel, as the engine's is.
    const std::int32_t column = PixelIndex(status.lastX, v.plotXMin, v.plotXMax, v.width);
    const std::int32_t row = PixelIndex(status.lastY, v.plotYMin, v.plotYMax, v.height);
    if (column >= 0 && row >= 0 && column < counts_.Width() && row < counts_.Height())
        lastLevel = LevelOfCount(counts_.At(column, row), v.sqrtFilter);
}

void PictureDocument::drawingFailed() {
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

void PictureDocument::stopDrawing() {
    v.stop = kTrue;
    handOver_ = false;
    if (drawing_) drawing_->Stop();
}

void PictureDocument::setClosed(bool closed) {
    closed_ = closed;
}

void PictureDocument::refresh() {
    if (drawing_ && !drawing_->Stopped()) {
        // The dialogs' changes reach the threads at every refresh.
        drawing_->Hand(v, effects);
        takeCounts(*drawing_);
    }
    refreshPicture();
}

void PictureDocument::countTick() {
    ++v.ticks;
    takeProgress();
}

void PictureDocument::takeProgress() {
    meter_.Take(v.iterations, clock_.elapsed() / 1000.0);
    countStretch();
    emit progressChanged();
}

std::uint64_t PictureDocument::beginStretch() {
    stretchOpen_ = true;
    stretchCount_ = static_cast<std::uint32_t>(v.iterations);
    stretchDrawn_ = 0;
    return ++stretches_;
}

// Looked at at every refresh, fewer than 2^32 iterations apart, the record's
// 32-bit count adds up here in 64 bits.
void PictureDocument::countStretch() {
    if (!stretchOpen_) return;
    const auto now = static_cast<std::uint32_t>(v.iterations);
    stretchDrawn_ += now - stretchCount_;
    stretchCount_ = now;
}

void PictureDocument::endStretch(std::uint64_t stretch) {
    if (stretch != stretches_ || !stretchOpen_) return;
    countStretch();
    stretchOpen_ = false;
    countsHistory_.AddRun(seed_, stretchDrawn_);
}

QString PictureDocument::progressText() const {
    const QString iterations = QStringLiteral("%L1 iterations").arg(meter_.Iterations());
    if (drawingsRunning_ == 0 || v.stop) return iterations;
    return QStringLiteral("%1, %L2 million a second")
        .arg(iterations)
        .arg(meter_.PerSecond() / 1e6, 0, 'f', 2);
}

void PictureDocument::UpdateParameters() {
    // The engine calls this as a drawing starts, after any random start: the
    // values a picture is drawn from.
    recordHistory();
    // The background, until the first refresh.
    if (!PaintsWhilePlotting(colouringMode())) recolour();
    emit parametersInUse();
}

void PictureDocument::ProcessMessages() {
    pump_.pump();
}

}  // namespace zephyrin
