// Counts that outlive the drawing: how many iterations they hold, going on
// with a stopped drawing from them, and the counts file that keeps them.
#include <algorithm>
#include <new>
#include <utility>

#include "engine/colouring/colour_counts.h"
#include "imaging/picture.h"
#include "window/picture_document.h"

namespace zephyrin {

namespace {

// The engine's messages are clauses for a command line; a box shows a sentence.
std::string Sentence(std::string clause) {
    if (!clause.empty() && clause.front() >= 'a' && clause.front() <= 'z')
        clause.front() = static_cast<char>(clause.front() - 'a' + 'A');
    if (!clause.ends_with('.')) clause += '.';
    return clause;
}

}  // namespace

std::int64_t PictureDocument::heldIterations() const {
    std::int64_t held = countsHistory_.iterations;
    if (stretchOpen_) held += stretchDrawn_ + (static_cast<std::uint32_t>(v.iterations) - stretchCount_);
    return held;
}

QString PictureDocument::heldIterationsText() const {
    const std::int64_t held = hasCounts() ? heldIterations() : 0;
    return held > 0 ? QStringLiteral("%L1 iterations in the counts").arg(held) : QString();
}

bool PictureDocument::countsFitTheRecord() const {
    if (countsByRow_) return counts_.Width() == v.width && counts_.Height() == v.height;
    const auto side = static_cast<std::size_t>(std::max({v.listWidth, v.listHeight, 0}));
    return !hitList.empty() && hitList.size() == side * side;
}

bool PictureDocument::canContinue() const {
    if (state() != DrawingState::kIdle || closed_ || searching()) return false;
    if (!hasCounts() || !countsFitTheRecord() || heldIterations() == 0) return false;
    if (!PaintsWhilePlotting(colouringMode())) return true;
    // The engine paints each hit on the picture as it stands, which must
    // still be the drawing's own, not a reduction of it.
    const Picture* shown = display_.shownPicture();
    return reductionBlock_ == 1 && shown && shown->Width() == v.listWidth && shown->Height() == v.listHeight;
}

void PictureDocument::continueDrawing() {
    if (canContinue()) emit continueRequested();
}

QString PictureDocument::whyNoCountsFile() const {
    if (!CountsTellTheColours(v, effects, density_))
        return QStringLiteral(
            "The picture is painted as it is drawn (with Color Mix, or an intensity of "
            "-9.5 or less), so its counts do not tell its colours and make no counts file.");
    if (!hasCounts() || !countsFitTheRecord() || heldIterations() == 0)
        return QStringLiteral("There are no counts to save: nothing has been drawn yet.");
    return {};
}

// A reduced picture is saved as supersampled counts, so that the file
// coloured gives the picture as shown, where the file's format allows it.
std::int32_t PictureDocument::countsSupersample() const {
    const std::int32_t block = reductionBlock_;
    const bool divides = v.width % block == 0 && v.height % block == 0;
    return block <= 4 && divides ? block : 1;
}

Result<> PictureDocument::saveCounts(const QString& path) {
    if (const QString why = whyNoCountsFile(); !why.isEmpty()) return Failure(why.toStdString());
    // A drawing going on is saved as far as it has come.
    if (drawing_ && !drawing_->Stopped()) takeCounts(*drawing_);
    CountsDescription description{v, effects, density_, countsSupersample(), countsHistory_};
    if (stretchOpen_) description.history.AddRun(seed_, heldIterations() - countsHistory_.iterations);
    Result<> saved;
    try {
        CountGrid scratch;
        saved = SaveCountsFile(path.toStdString(), shownCounts(scratch), description);
    } catch (const std::bad_alloc&) {
        saved = Failure("There is not enough memory to save the counts to \"" + path.toStdString() + "\"");
    }
    if (!saved) return Failure(Sentence(saved.error()));
    return {};
}

Result<CountsFile> PictureDocument::readCountsFile(const QString& path) {
    Result<CountsFile> file = LoadCountsFile(path.toStdString());
    if (!file) return Failure(Sentence(file.error()));
    const CountsDescription& description = file->description;
    if (!CountsTellTheColours(description.record, description.effects, description.density))
        return Failure("\"" + path.toStdString() +
                       "\" holds the counts of a picture painted as it was drawn, which do not tell its "
                       "colours.");
    return file;
}

void PictureDocument::setCountsToOpen(CountsFile file) {
    countsToOpen_ = std::move(file);
}

bool PictureDocument::showCountsToOpen() {
    if (!countsToOpen_) return false;
    CountsFile file = *std::exchange(countsToOpen_, std::nullopt);
    CountsDescription& description = file.description;
    const Flag stop = v.stop;
    v = description.record;
    v.stop = stop;
    effects = description.effects;
    density_ = description.density;
    if (!PaintsWhilePlotting(colouringMode())) useGradient();
    counts_ = std::move(file.counts);
    countsByRow_ = true;
    hitList = {};
    reductionBlock_ = description.supersample;
    // Going on, the renderer draws with the file's first seed too.
    seed_ = description.history.seeds.front().seed;
    countsHistory_ = std::move(description.history);
    stretchOpen_ = false;
    v.iterations = static_cast<std::int32_t>(static_cast<std::uint32_t>(countsHistory_.iterations));
    showPicture(
        std::make_unique<Picture>(counts_.Width() / reductionBlock_, counts_.Height() / reductionBlock_));
    recolour();
    recordHistory();
    emit parametersInUse();
    emit progressChanged();
    return true;
}

}  // namespace zephyrin
