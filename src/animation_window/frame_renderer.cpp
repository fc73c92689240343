#include "animation_window/frame_renderer.h"

#include <QDir>
#include <QTimer>
#include <exception>
#include <new>
#include <utility>

#include "engine/animate/frame_colouring.h"
#include "engine/animate/path_chaos.h"
#include "engine/animate/video_pipe.h"
#include "engine/batch/counts_drawing.h"
#include "engine/core/painted_drawing.h"
#include "imaging/image_file.h"
#include "util/pool_task.h"

namespace zephyrin {

namespace {

// A frame's drawing ends within some milliseconds of its budget.
constexpr int kPollMilliseconds = 20;

std::string ErrorText(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        return "not enough memory to draw the frame";
    } catch (const std::exception& error) {
        return error.what();
    }
}

// The frame's row of frames.csv as zephyrin-render writes it, the file
// written again as it grows so that a stopped render leaves its frames' rows.
[[nodiscard]] Result<> WriteRow(const Animation& animation, std::int64_t frame, std::uint64_t seed,
                                const DrawnFrame& drawn, FrameTable& table,
                                const std::filesystem::path& path) {
    const Result<FrameChaos> chaos = CheckFrame(animation, frame, seed);
    if (!chaos) return Failure(chaos.error());
    table.Set(
        {frame, chaos->measures.lyapunov, chaos->measures.dimension, drawn.litShare, drawn.meanBrightness});
    return table.Write(path);
}

}  // namespace

FrameRenderer::FrameRenderer(ThreadPool& pool, QObject* parent)
    : QObject(parent), pool_(pool), poll_(new QTimer(this)) {
    poll_->setInterval(kPollMilliseconds);
    connect(poll_, &QTimer::timeout, this, &FrameRenderer::poll);
}

FrameRenderer::~FrameRenderer() {
    drawing_.reset();
    task_.reset();
}

Result<> FrameRenderer::prepare(const AnimationDocument& document, const RenderChoice& choice) {
    Result<LoadedAnimation> loaded = LoadAnimation(document, choice.width, choice.height);
    if (!loaded) return Failure(loaded.error());
    loaded_ = *std::move(loaded);
    settings_ = {.iterations = choice.iterations, .depth = choice.depth};
    if (choice.folder.isEmpty() || !QDir().mkpath(choice.folder))
        return Failure("cannot make the folder \"" + choice.folder.toStdString() + "\"");
    const std::filesystem::path folder = choice.folder.toStdString();
    Result<FramePattern> pattern = FramePattern::Parse(folder / "frame.png");
    if (!pattern) return Failure(pattern.error());
    pattern_ = *std::move(pattern);
    tablePath_ = folder / "frames.csv";
    table_ = std::make_shared<FrameTable>(FrameTable::Read(tablePath_));
    video_.reset();
    if (choice.video) {
        Result<VideoPipe> video =
            VideoPipe::Start(folder / kVideoName, choice.width, choice.height, choice.fps);
        if (!video) return Failure(video.error());
        video_ = std::make_shared<VideoPipe>(*std::move(video));
    }
    seed_ = choice.seed;
    tones_.emplace(loaded_.animation.keyframes.size());
    frames_ = FrameCount(loaded_.animation);
    return {};
}

Result<> FrameRenderer::start(const AnimationDocument& document, const RenderChoice& choice) {
    cancel();
    if (Result<> ready = prepare(document, choice); !ready) return ready;
    frame_ = 0;
    endingVideo_ = false;
    running_ = true;
    clock_.start();
    planFrame();
    poll_->start();
    return {};
}

void FrameRenderer::cancel() {
    if (!running_) return;
    drawing_.reset();
    // A frame whose saving had begun is saved before the task ends: it counts.
    const bool saving = task_ != nullptr && !endingVideo_;
    task_.reset();
    if (saving && *taskResult_) ++frame_;
    // An unfinished video is abandoned, its file removed.
    video_.reset();
    end(QStringLiteral("Stopped: %1 of %2 frames written").arg(frame_).arg(frames_), false);
}

void FrameRenderer::end(const QString& summary, bool completed) {
    poll_->stop();
    steps_.clear();
    step_.reset();
    running_ = false;
    emit finished(summary, completed);
}

// The drawings frame `frame_` needs, in the order the renderer makes them.
void FrameRenderer::planFrame() {
    const Animation& animation = loaded_.animation;
    const FrameState state = FrameAt(animation, static_cast<double>(frame_));
    if (!PaintsWhilePlotting(state.density.mode))
        for (const std::size_t k : tones_->Missing(animation, state.position))
            steps_.push_back({KeyframeToneRun(animation, k, seed_, settings_), k});
    if (!PaintedAsDrawn(state, settings_))
        for (CountsRun& run : FrameSampleRuns(animation, frame_, seed_, settings_))
            steps_.push_back({std::move(run), std::nullopt});
    stepsOfFrame_ = steps_.size();
    counts_ = std::make_shared<CountGrid>();
    startNext();
}

void FrameRenderer::startNext() {
    if (steps_.empty()) {
        startSave();
        return;
    }
    step_ = std::move(steps_.front());
    steps_.pop_front();
    try {
        drawing_ = std::make_unique<CountsDrawing>(pool_, step_->run.record, step_->run.effects,
                                                   step_->run.seed, CountGrid{}, step_->run.iterations);
    } catch (const std::bad_alloc&) {
        end(QStringLiteral("Not enough memory to draw frame %1").arg(frame_), false);
    }
}

void FrameRenderer::takeDrawing() {
    const std::unique_ptr<CountsDrawing> done = std::move(drawing_);
    if (const std::exception_ptr failure = done->Failure()) {
        end(QString::fromStdString("Frame " + std::to_string(frame_) + ": " + ErrorText(failure)), false);
        return;
    }
    CountGrid counts = std::move(*done).TakeCounts();
    if (step_->toneOf)
        tones_->Measure(*step_->toneOf, counts, settings_.supersample);
    else if (counts_->Width() == 0)
        *counts_ = std::move(counts);
    else
        counts_->Add(counts);
    startNext();
}

// Coloured (or painted), saved and added to the video off the interface thread.
void FrameRenderer::startSave() {
    const Animation& animation = loaded_.animation;
    const FrameState state = FrameAt(animation, static_cast<double>(frame_));
    std::optional<ToneReferences> tone;
    if (!PaintsWhilePlotting(state.density.mode)) tone = tones_->At(animation, state.position);
    // Stays a failure unless the frame is saved, so that a cancel knows.
    taskResult_ = std::make_shared<Result<>>(Failure("the frame was not saved"));
    task_ = std::make_unique<PoolTask>(pool_, [this, state, tone, counts = counts_, result = taskResult_,
                                               frame = frame_, name = pattern_->Name(frame_), video = video_,
                                               table = table_](const PoolTask& task) {
        DrawnFrame out;
        if (PaintedAsDrawn(state, settings_)) {
            // As zephyrin-render paints it: the engine's own run on one thread.
            PaintedDrawing painted =
                PaintAsItGoes(state.record, state.effects, FrameSeed(seed_, frame), settings_.iterations,
                              [&task](std::int64_t) { return !task.Stopping(); });
            if (task.Stopping()) return;
            TakePaintedFrame(state, std::move(painted.picture), settings_, out);
        } else {
            ColourFrame(state, *counts, tone, loaded_.gradients, settings_, out);
        }
        FinishFrame(state, frame, seed_, settings_, out);
        *result = settings_.depth == 16 ? SaveImage16(out.wide, name, ColourChange::kAgreed, out.parameters)
                                        : SaveImage(out.picture, name, ColourChange::kAgreed, out.parameters);
        if (*result && video) *result = video->Add(out.picture);
        if (*result) *result = WriteRow(loaded_.animation, frame, seed_, out, *table, tablePath_);
    });
    task_->Start();
}

void FrameRenderer::startVideoEnd() {
    endingVideo_ = true;
    taskResult_ = std::make_shared<Result<>>();
    task_ = std::make_unique<PoolTask>(
        pool_, [video = video_, result = taskResult_](const PoolTask&) { *result = video->Finish(); });
    task_->Start();
}

double FrameRenderer::fractionOfFrame() const {
    if (stepsOfFrame_ == 0) return 0;
    double done = static_cast<double>(stepsOfFrame_ - steps_.size() - (drawing_ ? 1 : 0));
    if (drawing_ && step_->run.iterations > 0)
        done += static_cast<double>(drawing_->Iterations()) / static_cast<double>(step_->run.iterations);
    return done / static_cast<double>(stepsOfFrame_ + 1);
}

void FrameRenderer::poll() {
    if (drawing_ && drawing_->Finished()) takeDrawing();
    if (!running_) return;
    if (task_ && task_->Finished()) {
        const std::exception_ptr failure = task_->Failure();
        task_.reset();
        if (failure || !*taskResult_) {
            video_.reset();
            end(QString::fromStdString(failure ? ErrorText(failure) : taskResult_->error()), false);
            return;
        }
        if (endingVideo_) {
            video_.reset();
            end(QStringLiteral("%1 frames written, and the video").arg(frames_), true);
            return;
        }
        if (++frame_ == frames_) {
            if (video_)
                startVideoEnd();
            else
                end(QStringLiteral("%1 frames written").arg(frames_), true);
            return;
        }
        planFrame();
    }
    const double done = static_cast<double>(frame_) + (task_ ? 0.99 : fractionOfFrame());
    const double seconds = static_cast<double>(clock_.elapsed()) / 1000;
    const double left = done > 0 ? seconds / done * (static_cast<double>(frames_) - done) : 0;
    emit progressed(frame_, frames_, left);
}

}  // namespace zephyrin
