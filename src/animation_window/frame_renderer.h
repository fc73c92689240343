#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>

#include "animation_window/render_choice.h"
#include "engine/animate/animation_loading.h"
#include "engine/animate/frame_counts.h"
#include "engine/animate/frame_pattern.h"
#include "engine/animate/frame_table.h"
#include "util/result.h"

class QTimer;

namespace zephyrin {

class CountsDrawing;
class PoolTask;
class ThreadPool;
class VideoPipe;

// Renders an animation's frames into a folder on the program's drawing
// pool, one frame after another, without holding up the interface: each
// counts drawing a frame needs (its keyframes' tone drawings first, once
// each) runs as a CountsDrawing on the pool, and the frame is coloured,
// saved with its parameters and seed and added to the video on the pool as
// well, with its row of FOLDER/frames.csv; a frame whose counts do not
// tell its colours (PaintedAsDrawn) is painted by the engine on one of the
// pool's threads. The frames are those zephyrin-render --animate draws from the same
// animation file with --threads as many as the pool has.
class FrameRenderer : public QObject {
    Q_OBJECT

public:
    explicit FrameRenderer(ThreadPool& pool, QObject* parent = nullptr);
    // Cancels a render still running.
    ~FrameRenderer() override;

    // Fails, saying why, when the animation cannot be drawn as asked, the
    // folder cannot be made or ffmpeg cannot be started for the video.
    [[nodiscard]] Result<> start(const AnimationDocument& document, const RenderChoice& choice);
    // Ends the render at once: the frames written stay, an unfinished video is removed.
    void cancel();
    bool running() const { return running_; }
    std::int64_t frames() const { return frames_; }
    std::int64_t framesDone() const { return frame_; }

signals:
    // Frames written, of all, and the seconds left as the pace so far says.
    void progressed(std::int64_t done, std::int64_t frames, double secondsLeft);
    void finished(const QString& summary, bool completed);

private:
    struct Step {
        CountsRun run;
        std::optional<std::size_t> toneOf;  // the keyframe whose tone it measures; else a sample
    };
    [[nodiscard]] Result<> prepare(const AnimationDocument& document, const RenderChoice& choice);
    void planFrame();
    void startNext();
    void startSave();
    void startVideoEnd();
    void poll();
    void takeDrawing();
    void end(const QString& summary, bool completed);
    double fractionOfFrame() const;

    ThreadPool& pool_;
    QTimer* poll_;
    LoadedAnimation loaded_;
    FrameSettings settings_;
    std::uint64_t seed_ = 0;
    std::optional<FramePattern> pattern_;
    std::filesystem::path tablePath_;
    std::shared_ptr<FrameTable> table_;  // written by the save tasks, one at a time
    std::shared_ptr<VideoPipe> video_;
    std::optional<KeyframeTones> tones_;
    std::int64_t frames_ = 0;
    std::int64_t frame_ = 0;  // the frame being drawn; the frames before it are written
    std::deque<Step> steps_;
    std::size_t stepsOfFrame_ = 0;
    std::optional<Step> step_;
    std::unique_ptr<CountsDrawing> drawing_;
    std::shared_ptr<CountGrid> counts_;
    std::unique_ptr<PoolTask> task_;
    std::shared_ptr<Result<>> taskResult_;
    bool endingVideo_ = false;
    bool running_ = false;
    QElapsedTimer clock_;
};

}  // namespace zephyrin
