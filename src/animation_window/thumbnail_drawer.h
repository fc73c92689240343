#pragma once

#include <QImage>
#include <QObject>
#include <memory>
#include <vector>

#include "engine/animate/animation.h"
#include "imaging/gradient.h"
#include "imaging/picture.h"

class QTimer;

namespace zephyrin {

class PoolTask;
class ThreadPool;

// Draws the keyframes' small pictures on the program's drawing pool, each
// in its own colouring, and hands each over once it is done.
class ThumbnailDrawer : public QObject {
    Q_OBJECT

public:
    static constexpr int kWidth = 96;
    static constexpr int kHeight = 72;
    // Enough to show the shape; a thumbnail takes some milliseconds.
    static constexpr std::int64_t kIterations = 200'000;
    // One seed for every thumbnail, so that a keyframe always looks the same.
    static constexpr std::uint64_t kSeed = 1;

    explicit ThumbnailDrawer(ThreadPool& pool, QObject* parent = nullptr);
    ~ThumbnailDrawer() override;

    // `keyframe` laid out at kWidth x kHeight; known by `id` when it is drawn.
    void draw(int id, const Keyframe& keyframe, const Gradient& gradient);
    int pending() const { return static_cast<int>(running_.size()); }

signals:
    void drawn(int id, const QImage& picture);

private:
    struct Running {
        int id;
        std::shared_ptr<Picture> picture;
        std::unique_ptr<PoolTask> task;
    };
    void poll();

    ThreadPool& pool_;
    std::vector<Running> running_;
    QTimer* poll_;
};

}  // namespace zephyrin
