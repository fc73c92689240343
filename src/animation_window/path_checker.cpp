#include "animation_window/path_checker.h"

#include <QTimer>

#include "engine/animate/path_check_job.h"

namespace zephyrin {

namespace {
// A frame's orbit takes some tens of milliseconds to measure.
constexpr int kPollMilliseconds = 30;
}  // namespace

PathChecker::PathChecker(ThreadPool& pool, QObject* parent)
    : QObject(parent), pool_(pool), poll_(new QTimer(this)) {
    poll_->setInterval(kPollMilliseconds);
    connect(poll_, &QTimer::timeout, this, &PathChecker::poll);
}

PathChecker::~PathChecker() = default;

void PathChecker::check(const Animation& animation, std::uint64_t seed) {
    stop();
    job_ = std::make_unique<PathCheckJob>(pool_, animation, 0, FrameCount(animation) - 1, seed);
    job_->Start();
    poll_->start();
}

void PathChecker::stop() {
    job_.reset();
    poll_->stop();
}

void PathChecker::poll() {
    if (!job_ || !job_->Finished()) return;
    const std::unique_ptr<PathCheckJob> done = std::move(job_);
    poll_->stop();
    if (done->Failure())
        emit failed(QStringLiteral("Not enough memory to check the frames' orbits"));
    else
        emit checked(done->Frames());
}

}  // namespace zephyrin
