#include "animation_window/preview_player.h"

#include <QTimer>
#include <algorithm>

#include "engine/animate/frame_preview.h"
#include "util/pool_task.h"
#include "view/picture_image.h"

namespace zephyrin {

namespace {
// Drawn frames are looked for this often, so that the first round plays
// about as fast as the frames are drawn.
constexpr int kPollMilliseconds = 15;
}  // namespace

PreviewPlayer::PreviewPlayer(ThreadPool& pool, QObject* parent)
    : QObject(parent), pool_(pool), tick_(new QTimer(this)) {
    tick_->setInterval(kPollMilliseconds);
    connect(tick_, &QTimer::timeout, this, &PreviewPlayer::tick);
}

PreviewPlayer::~PreviewPlayer() = default;

QSize PreviewPlayer::previewSize(int width, int height) {
    const int h = std::max(1, kWidth * std::max(height, 1) / std::max(width, 1));
    return {kWidth, std::min(h, 2 * kWidth)};
}

void PreviewPlayer::setAnimation(LoadedAnimation loaded, std::uint64_t seed) {
    task_.reset();
    const std::int64_t frames = FrameCount(loaded.animation);
    const Keyframe& first = loaded.animation.keyframes.front();
    preview_ = std::make_shared<FramePreview>(std::move(loaded.animation), std::move(loaded.gradients),
                                              first.record.width, first.record.height, kIterations, seed);
    drawn_.assign(static_cast<std::size_t>(frames), QImage());
    drawing_ = -1;
    next_ = std::min(next_, frames - 1);
    if (playing_ || next_ >= 0) tick_->start();
}

void PreviewPlayer::clear() {
    task_.reset();
    preview_.reset();
    drawn_.clear();
    drawing_ = -1;
    next_ = 0;
    tick_->stop();
}

void PreviewPlayer::play() {
    if (drawn_.empty()) return;
    playing_ = true;
    tick_->start();
}

void PreviewPlayer::stop() {
    playing_ = false;
}

bool PreviewPlayer::playing() const {
    return playing_;
}

void PreviewPlayer::show(std::int64_t frame) {
    if (frame < 0 || frame >= frames()) return;
    next_ = frame;
    tick_->start();
}

void PreviewPlayer::startDrawing(std::int64_t frame) {
    result_ = std::make_shared<Picture>();
    task_ = std::make_unique<PoolTask>(pool_, [preview = preview_, picture = result_,
                                               frame](const PoolTask&) { *picture = preview->Draw(frame); });
    drawing_ = frame;
    task_->Start();
}

void PreviewPlayer::tick() {
    if (task_ && task_->Finished()) {
        // A frame short of memory is drawn again on the next round.
        if (!task_->Failure()) drawn_[static_cast<std::size_t>(drawing_)] = imageOfPicture(*result_).copy();
        task_.reset();
    }
    if (next_ < 0 || next_ >= frames()) return;
    const QImage& next = drawn_[static_cast<std::size_t>(next_)];
    if (next.isNull()) {
        if (!task_) startDrawing(next_);
        return;
    }
    emit shown(next_, next);
    if (!playing_) {
        tick_->stop();
        return;
    }
    next_ = (next_ + 1) % frames();
    // Once every frame is drawn, they are shown at the animation's pace.
    const bool allDrawn =
        std::none_of(drawn_.begin(), drawn_.end(), [](const QImage& i) { return i.isNull(); });
    tick_->setInterval(allDrawn ? kIntervalMilliseconds : kPollMilliseconds);
}

}  // namespace zephyrin
