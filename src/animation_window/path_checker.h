#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/animate/path_chaos.h"

class QTimer;

namespace zephyrin {

class PathCheckJob;
class ThreadPool;

// Checks every frame's orbit of an animation on the program's drawing pool
// (PathCheckJob), one check at a time: a new one replaces the one running,
// whose results are dropped.
class PathChecker : public QObject {
    Q_OBJECT

public:
    explicit PathChecker(ThreadPool& pool, QObject* parent = nullptr);
    ~PathChecker() override;

    void check(const Animation& animation, std::uint64_t seed);
    void stop();
    bool busy() const { return job_ != nullptr; }

signals:
    // Every frame's verdict, in frame order.
    void checked(const std::vector<zephyrin::FrameChaos>& frames);
    void failed(const QString& message);

private:
    void poll();

    ThreadPool& pool_;
    std::unique_ptr<PathCheckJob> job_;
    QTimer* poll_;
};

}  // namespace zephyrin
