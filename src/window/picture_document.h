#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>

#include "engine/batch/counts_drawing.h"
#include "engine/colouring/colour_counts.h"
#include "engine/core/engine.h"
#include "engine/core/fractal_rec.h"
#include "engine/core/zoom.h"
#include "engine/explore/attractor_search.h"
#include "engine/file/counts_file.h"
#include "engine/file/picture_history.h"
#include "imaging/gradient.h"
#include "util/iteration_meter.h"
#include "window/picture_display.h"

class QTimer;

namespace zephyrin {

class EventPump;
class ThreadPool;

// One picture apart from its window: the record, the counts (the engine's
// hit list, or the count grid of a drawing on the threads), the colouring,
// the history, the attractor search and the drawings themselves. A drawing
// runs on the engine in the calling thread when its colouring paints each
// hit, on the pool otherwise; switching the colouring mid-drawing hands the
// counts over and the drawing goes on the other way.
//
// The engine's drawings nest (a drawing started while one runs runs inside
// its message dispatch); `drawingsRunning` counts this document's on the
// stack. The implementation is split by subject, one document_*.cpp each.
class PictureDocument : public QObject, public EngineHost {
    Q_OBJECT

public:
    // Deeper than this, a new drawing first lets the running ones end.
    static constexpr int kMaxNesting = 64;

    // The engine and the pump live as long as the document; without a pool
    // every drawing runs on the engine.
    PictureDocument(Engine& engine, EventPump& pump, ThreadPool* pool, PictureDisplay& display,
                    QObject* parent = nullptr);
    ~PictureDocument() override;

    TFractalRec v;

    // Where a drawing stands: none of this document's on the stack, one
    // drawing, or stopped and waiting to unwind from a newer drawing.
    enum class DrawingState { kIdle, kDrawing, kStopped };
    DrawingState state() const;
    int drawingsRunning() const { return drawingsRunning_; }

    // A drawing: waitsForRoom (true when too deeply nested: the running
    // drawings are told to end, and the start should come again later),
    // then beginDrawing, freshPicture, freezeView, drawUntilStopped (which
    // returns when the drawing has stopped) and endDrawing. A drawing that
    // goes on from the counts skips freshPicture and freezeView.
    enum class DrawingStart { kAfresh, kGoingOn };
    bool waitsForRoom();
    void beginDrawing();
    void endDrawing();
    void freshPicture();
    PixelScale freezeView();
    void drawUntilStopped(DrawingStart start = DrawingStart::kAfresh);
    // Stops the drawing: the engine's at its next iteration, one on the
    // drawing threads at once.
    void stopDrawing();
    // A closed document starts no drawing and hands none over until reopened.
    void setClosed(bool closed);
    bool closed() const { return closed_; }

    // The live refresh: the threads' counts taken and the picture shown
    // anew; countTick then counts the tick and takes the progress.
    void refresh();
    void countTick();
    // The iterations of the drawing, and their rate while it draws.
    QString progressText() const;

    // Fresh all-zero counters for the list size, and a black picture.
    void clearCounts();
    // Fresh all-zero counters, the picture left as it is.
    void newHitList();
    // Shows `picture`; the engine paints into it when the colouring paints hits.
    void showPicture(std::unique_ptr<Picture> picture);
    // Whether the counts are the threads' drawing's, laid out by row.
    bool countsByRow() const { return countsByRow_; }
    // The counts the picture shows: the threads' drawing's, or the engine's
    // hit list laid out as they are.
    CountGrid counts() const;
    // The drawing on the threads, while one runs.
    const CountsDrawing* threadsDrawing() const { return drawing_; }
    // Reduces the picture by `factor` (stopping the drawing first). Throws
    // std::bad_alloc when the smaller picture does not fit.
    void reduce(int factor);

    // Counts that last: the iterations they hold, going on with a stopped
    // drawing from them (continueRequested asks the window to), and the
    // counts file they are saved to and opened from.
    std::int64_t heldIterations() const;
    QString heldIterationsText() const;
    bool canContinue() const;
    void continueDrawing();
    // Why the counts make no counts file (nothing drawn, or counts that do
    // not tell the picture's colours), or empty when they do: a counts file
    // of them gives the picture again.
    QString whyNoCountsFile() const;
    // Writes the counts file; fails saying why not, in a sentence.
    [[nodiscard]] Result<> saveCounts(const QString& path);
    // Reads a counts file a window can show and continue; fails saying why
    // not, in a sentence.
    [[nodiscard]] static Result<CountsFile> readCountsFile(const QString& path);
    // A new window's counts file, taken up by showCountsToOpen at its set-up:
    // the record, the colouring and the counts become the document's and the
    // picture shows them. False when there is none.
    void setCountsToOpen(CountsFile file);
    bool showCountsToOpen();

    // The colouring: its mode and the density settings.
    ColouringMode colouringMode() const { return density_.mode; }
    const DensitySettings& density() const { return density_; }
    // The counts hold the whole drawing either way: a new mode recolours
    // them, and a drawing going on goes on from them.
    void setColouringMode(ColouringMode mode);
    // The tone settings and the gradient of `chosen`, recoloured at once.
    void applyColouring(const DensitySettings& chosen);
    // The picture as shown, at 16 bits a channel where the colouring has them.
    std::optional<Picture16> sixteenBitPicture() const;

    // The history of the document's pictures.
    void recordHistory();
    void amendHistory();
    bool canUndo() const { return history_.CanUndo(); }
    bool canRedo() const { return history_.CanRedo(); }
    void undo();
    void redo();

    // Find Attractor: random starts of the formula judged on a worker
    // thread; the one found is framed and drawn. A document's first search
    // draws its random start when nothing is found; a search asked for says
    // so instead.
    enum class SearchFailure { kSay, kDrawRandomStart };
    void findAttractor(SearchFailure onFailure = SearchFailure::kSay);
    void cancelSearch();
    bool searching() const { return search_.joinable(); }
    // Frames the orbit of the record as it stands and redraws.
    void fitView();

    // Reads a parameter file (or a picture carrying one) into the record,
    // showing its complaints; false when it cannot be read at all.
    bool readParameters(const QString& path);
    // Takes parameter file text (pasted, a gallery's tile, a file's) into
    // the record, its complaints captioned with `caption`; a gradient path
    // in it is taken relative to `folder`.
    bool takeParameterText(const std::string& text, const QString& caption, const QString& folder);
    std::string parameterText(char separator) const;
    // Writes the parameter file, saying what it could not carry.
    bool writeParameterFile(const QString& path) const;

    // EngineHost: the engine calls out through these.
    void UpdateParameters() override;
    void ProcessMessages() override;

signals:
    // A drawing starts from the record: its values are the ones to show.
    void parametersInUse();
    // A new drawing of the record is wanted (after a search, a fit, an undo).
    void redrawRequested();
    void colouringModeChanged();
    // Undone or redone: the colouring's settings are the ones to show.
    void colouringRestored();
    void searchStarted();
    void searchEnded();
    // At every refresh of a drawing, and as it starts and ends.
    void progressChanged();
    // Continue: the window is to go on with the stopped drawing.
    void continueRequested();

private:
    void drawOnEngine(bool goingOn);
    void drawOnThreads(bool goingOn);
    void takeCounts(const CountsDrawing& drawing);
    // A drawing thread failed: the drawing ends and the document says why.
    void drawingFailed();
    void watchThreadsDrawing();
    void takeProgress();
    // A stretch of drawing on one side (the engine or the threads), noted as
    // a run of the drawing's seed once it ends, unless a newer drawing of
    // this document began meanwhile.
    std::uint64_t beginStretch();
    void countStretch();
    void endStretch(std::uint64_t stretch);
    bool countsFitTheRecord() const;
    std::int32_t countsSupersample() const;
    bool hasCounts() const;
    const CountGrid& shownCounts(CountGrid& scratch) const;
    CountsColouring colouring() const { return {density_, gradient_}; }
    void recolour();
    void refreshPicture();
    void switchColouring(ColouringMode mode);
    // An undone or redone colouring: the counts coloured anew, the drawing going on.
    void restoreColouring(const DensitySettings& colouring);
    void showPictureOf(const PictureState& state);
    bool useGradient();
    void finishSearch(const TFractalRec& found, const Result<SearchResult>& result);

    Engine& engine_;
    EventPump& pump_;
    ThreadPool* pool_;
    PictureDisplay& display_;
    int drawingsRunning_ = 0;
    bool closed_ = false;
    PictureHistory history_;
    DensitySettings density_;
    Gradient gradient_;
    // Block x block pixels of the counts make one of the picture shown: the
    // reductions made since the drawing started.
    int reductionBlock_ = 1;
    bool countsByRow_ = false;
    CountGrid counts_;                  // of the threads' drawing
    CountsDrawing* drawing_ = nullptr;  // owned by drawOnThreads while it runs
    // Switched to the other colouring during a drawing: the threads take over
    // from the engine's counts, or the engine from the threads', once the
    // running loop has seen the stop.
    bool handOver_ = false;
    std::int32_t iterationsBefore_ = 0;  // the engine's, when the threads took over
    // The runs in the counts, as the renderer keeps them: run n of seed_
    // draws with RunSeed(seed_, n), so that every run has streams of its own.
    std::uint64_t seed_ = 0;
    CountsHistory countsHistory_;
    std::uint64_t stretches_ = 0;  // begun so far; the running one's number
    bool stretchOpen_ = false;
    std::uint32_t stretchCount_ = 0;  // the record's 32-bit count when last looked at
    std::int64_t stretchDrawn_ = 0;
    std::optional<CountsFile> countsToOpen_;
    QTimer* stopWatch_ = nullptr;  // ends the threads' drawing when stop is set
    IterationMeter meter_;
    QElapsedTimer clock_;  // of the meter's readings
    std::atomic<bool> searchCancel_{false};
    std::thread search_;  // joined when its result is taken, or with the document
    SearchFailure searchFailure_ = SearchFailure::kSay;
};

// The colouring new documents start with, and remembering it.
DensitySettings rememberedDensityDefaults();
void rememberDensityDefaults(const DensitySettings& density);

}  // namespace zephyrin
