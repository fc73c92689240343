// The animation window's file and render: Open, and the Render dialog.
#include <QCheckBox>
#include <QSignalBlocker>
#include <utility>

#include "animation_window/animation_window.h"
#include "animation_window/render_dialog.h"
#include "animation_window/thumbnail_drawer.h"
#include "engine/animate/animation_loading.h"
#include "services/messages.h"

namespace zephyrin {

namespace {

RenderChoice ChoiceOf(const AnimationSettings& settings, RenderChoice choice) {
    choice.width = settings.width.value_or(choice.width);
    choice.height = settings.height.value_or(choice.height);
    choice.iterations = settings.iterations.value_or(choice.iterations);
    choice.depth = settings.depth.value_or(choice.depth);
    choice.seed = settings.seed.value_or(choice.seed);
    choice.fps = settings.fps.value_or(choice.fps);
    return choice;
}

}  // namespace

bool AnimationWindow::openFrom(const QString& path) {
    Result<AnimationDocument> read = ReadAnimationFile(path.toStdString());
    if (!read) {
        showError(QString::fromStdString(read.error()));
        return false;
    }
    Animation animation{.loop = read->settings.loop, .smooth = read->settings.smooth};
    std::vector<LoadedKeyframe> loaded;
    for (std::size_t i = 0; i < read->keyframes.size(); ++i) {
        const std::string caption = path.toStdString() + ", keyframe " + std::to_string(i + 1);
        Result<LoadedKeyframe> k =
            LoadKeyframe(read->keyframes[i], caption, ThumbnailDrawer::kWidth, ThumbnailDrawer::kHeight);
        if (!k) {
            showError(QString::fromStdString(k.error()));
            return false;
        }
        animation.keyframes.push_back(k->keyframe);
        loaded.push_back(*std::move(k));
    }
    // A file may give the frames in all only: each keyframe gets its share.
    if (const Result<> framed = TakeFrames(*read, animation); !framed)
        ShowMessage(QString::fromStdString(framed.error()) +
                    QStringLiteral("; each keyframe has %1 frames to the next").arg(kDefaultFrames));
    stopAll();
    keyframes_.clear();
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        KeyframeText text = read->keyframes[i];
        text.frames = animation.keyframes[i].frames > 0 ? animation.keyframes[i].frames : kDefaultFrames;
        const int id = nextId_++;
        keyframes_.push_back({std::move(text), QStringLiteral("keyframe %1").arg(i + 1), QImage(), id});
        thumbnails_->draw(id, loaded[i].keyframe, loaded[i].gradient);
    }
    choice_ = ChoiceOf(read->settings, choice_);
    if (renderDialog_) renderDialog_->setChoice(choice_);
    {
        const QSignalBlocker loopBlocker(loop_), smoothBlocker(smooth_);
        loop_->setChecked(read->settings.loop);
        smooth_->setChecked(read->settings.smooth);
    }
    changed();
    select(keyframes_.empty() ? -1 : 0);
    return true;
}

RenderDialog* AnimationWindow::renderDialog() {
    if (!renderDialog_) {
        renderDialog_ = new RenderDialog(pool_, this);
        renderDialog_->setChoice(choice_);
        connect(renderDialog_, &RenderDialog::renderWanted, this, &AnimationWindow::renderNow);
        connect(renderDialog_, &RenderDialog::choiceChanged, this, &AnimationWindow::setRenderChoice);
    }
    return renderDialog_;
}

void AnimationWindow::showRenderDialog() {
    RenderDialog* dialog = renderDialog();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void AnimationWindow::renderNow() {
    renderDialog()->render(document());
}

// The size and seed decide the frames the path check measures and the preview draws.
void AnimationWindow::setRenderChoice(const RenderChoice& choice) {
    const bool framesChange =
        choice.width != choice_.width || choice.height != choice_.height || choice.seed != choice_.seed;
    choice_ = choice;
    if (renderDialog_ && sender() != renderDialog_) renderDialog_->setChoice(choice_);
    if (framesChange) changed();
}

}  // namespace zephyrin
