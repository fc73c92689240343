#include "animation_window/thumbnail_drawer.h"

#include <QTimer>

#include "engine/animate/frame_preview.h"
#include "util/pool_task.h"
#include "view/picture_image.h"

namespace zephyrin {

namespace {
constexpr int kPollMilliseconds = 15;
}  // namespace

ThumbnailDrawer::ThumbnailDrawer(ThreadPool& pool, QObject* parent)
    : QObject(parent), pool_(pool), poll_(new QTimer(this)) {
    poll_->setInterval(kPollMilliseconds);
    connect(poll_, &QTimer::timeout, this, &ThumbnailDrawer::poll);
}

// Each task's destructor waits for its drawing: none runs once the drawer is gone.
ThumbnailDrawer::~ThumbnailDrawer() = default;

void ThumbnailDrawer::draw(int id, const Keyframe& keyframe, const Gradient& gradient) {
    auto picture = std::make_shared<Picture>();
    auto task = std::make_unique<PoolTask>(pool_, [picture, keyframe, gradient](const PoolTask&) {
        *picture = DrawStill(keyframe, gradient, kWidth, kHeight, kIterations, kSeed);
    });
    task->Start();
    running_.push_back({id, std::move(picture), std::move(task)});
    poll_->start();
}

void ThumbnailDrawer::poll() {
    std::vector<std::pair<int, QImage>> done;
    for (auto it = running_.begin(); it != running_.end();) {
        if (!it->task->Finished()) {
            ++it;
            continue;
        }
        // A thumbnail short of memory stays blank.
        if (!it->task->Failure()) done.emplace_back(it->id, imageOfPicture(*it->picture).copy());
        it = running_.erase(it);
    }
    if (running_.empty()) poll_->stop();
    for (const auto& [id, picture] : done) emit drawn(id, picture);
}

}  // namespace zephyrin
