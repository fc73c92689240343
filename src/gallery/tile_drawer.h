#pragma once

#include <QImage>
#include <QObject>
#include <deque>
#include <memory>
#include <utility>
#include <vector>

#include "engine/batch/counts_drawing.h"
#include "engine/colouring/density_settings.h"
#include "gallery/gallery_entry.h"
#include "imaging/gradient.h"

class QTimer;

namespace zephyrin {

// Draws gallery tiles on the program's drawing pool, a few at a time beside
// the pool's other drawings, and colours each by density as it is done.
class TileDrawer : public QObject {
    Q_OBJECT

public:
    // Enough for an attractor the search keeps to light most of what it
    // will ever light of a tile.
    static constexpr std::int64_t kTileIterations = 1'000'000;

    explicit TileDrawer(ThreadPool& pool, QObject* parent = nullptr);
    ~TileDrawer() override;

    void setColouring(const DensitySettings& density, const Gradient& gradient);
    // Queues the drawing of `entry`, known by `id` when it is drawn.
    void draw(int id, const GalleryEntry& entry);
    // Forgets the queue and ends the drawings at once: none is reported after.
    void stop();
    // Drawings running or queued.
    int pending() const { return static_cast<int>(queue_.size() + running_.size()); }

signals:
    void drawn(int id, const QImage& picture);

private:
    struct Running {
        int id;
        TFractalRec record;
        std::unique_ptr<CountsDrawing> drawing;
    };
    void startWaiting();
    void poll();
    QImage colour(const Running& done) const;

    ThreadPool& pool_;
    std::deque<std::pair<int, GalleryEntry>> queue_;
    std::vector<Running> running_;
    QTimer* poll_;
    DensitySettings density_;
    Gradient gradient_;
    unsigned stops_ = 0;
};

}  // namespace zephyrin
