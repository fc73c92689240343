#pragma once

#include <QImage>
#include <QObject>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/animate/animation_loading.h"
#include "imaging/picture.h"

class QTimer;

namespace zephyrin {

class FramePreview;
class PoolTask;
class ThreadPool;

// Plays an animation small and live: each frame drawn on the program's
// drawing pool by a FramePreview, one at a time, and the frames shown in
// turn, as fast as they come on the first round and then at kInterval.
class PreviewPlayer : public QObject {
    Q_OBJECT

public:
    static constexpr int kWidth = 160;
    static constexpr std::int64_t kIterations = 150'000;
    static constexpr int kIntervalMilliseconds = 1000 / 15;

    explicit PreviewPlayer(ThreadPool& pool, QObject* parent = nullptr);
    ~PreviewPlayer() override;

    // `loaded` laid out at previewSize(); forgets the frames drawn before.
    void setAnimation(LoadedAnimation loaded, std::uint64_t seed);
    // None: nothing is shown until an animation is set again.
    void clear();
    // The size of the preview's frames for an animation of width x height.
    static QSize previewSize(int width, int height);

    void play();
    void stop();
    bool playing() const;
    // Shows `frame` once it is drawn (at once when it was drawn before).
    void show(std::int64_t frame);
    std::int64_t frames() const { return static_cast<std::int64_t>(drawn_.size()); }

signals:
    void shown(std::int64_t frame, const QImage& picture);

private:
    void tick();
    void startDrawing(std::int64_t frame);

    ThreadPool& pool_;
    std::shared_ptr<FramePreview> preview_;
    std::vector<QImage> drawn_;
    std::unique_ptr<PoolTask> task_;
    std::shared_ptr<Picture> result_;
    std::int64_t drawing_ = -1;
    std::int64_t next_ = 0;
    bool playing_ = false;
    QTimer* tick_;
};

}  // namespace zephyrin
