#include "gallery/tile_drawer.h"

#include <QTimer>
#include <new>

#include "engine/colouring/density_colour.h"
#include "imaging/picture.h"
#include "view/picture_image.h"

namespace zephyrin {

namespace {
// How often finished drawings are looked for; a tile takes some tens of
// milliseconds.
constexpr int kPollMilliseconds = 15;
}  // namespace

TileDrawer::TileDrawer(ThreadPool& pool, QObject* parent)
    : QObject(parent), pool_(pool), poll_(new QTimer(this)) {
    poll_->setInterval(kPollMilliseconds);
    connect(poll_, &QTimer::timeout, this, &TileDrawer::poll);
}

TileDrawer::~TileDrawer() {
    stop();
}

void TileDrawer::setColouring(const DensitySettings& density, const Gradient& gradient) {
    density_ = density;
    gradient_ = gradient;
}

void TileDrawer::draw(int id, const GalleryEntry& entry) {
    queue_.emplace_back(id, entry);
    startWaiting();
}

void TileDrawer::stop() {
    ++stops_;
    queue_.clear();
    // Each drawing's destructor stops it: no thread draws it once it is gone.
    running_.clear();
    poll_->stop();
}

// As many tiles at once as the pool has threads, so that the first appear
// soon rather than all late.
void TileDrawer::startWaiting() {
    while (!queue_.empty() && static_cast<int>(running_.size()) < pool_.Threads()) {
        auto [id, entry] = std::move(queue_.front());
        queue_.pop_front();
        try {
            running_.push_back({id, entry.record,
                                std::make_unique<CountsDrawing>(pool_, entry.record, entry.effects,
                                                                entry.seed, CountGrid{}, kTileIterations)});
        } catch (const std::bad_alloc&) {
            // A tile that does not fit stays blank; the others go on.
        }
    }
    if (!running_.empty()) poll_->start();
}

void TileDrawer::poll() {
    std::vector<std::pair<int, QImage>> done;
    for (auto it = running_.begin(); it != running_.end();) {
        if (!it->drawing->Finished()) {
            ++it;
            continue;
        }
        if (!it->drawing->Failure()) done.emplace_back(it->id, colour(*it));
        it = running_.erase(it);
    }
    startWaiting();
    if (running_.empty()) poll_->stop();
    // Last: a receiver may stop the drawer or queue more.
    const unsigned stops = stops_;
    for (const auto& [id, picture] : done)
        if (stops == stops_) emit drawn(id, picture);
}

QImage TileDrawer::colour(const Running& done) const {
    try {
        CountGrid counts;
        done.drawing->CopyCounts(counts);
        Picture picture;
        DensityColour(DensityCounts{counts, 1}, density_, gradient_, done.record.white != kFalse, picture);
        // A copy: the picture goes when this returns.
        return imageOfPicture(picture).copy();
    } catch (const std::bad_alloc&) {
        return {};
    }
}

}  // namespace zephyrin
