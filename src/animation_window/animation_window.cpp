#include "animation_window/animation_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>

#include "animation_window/frame_renderer.h"
#include "animation_window/path_checker.h"
#include "animation_window/preview_player.h"
#include "animation_window/render_dialog.h"
#include "animation_window/thumbnail_drawer.h"
#include "animation_window/time_line.h"
#include "engine/animate/animation_loading.h"
#include "engine/file/param_file.h"
#include "imaging/embedded_parameters.h"
#include "services/file_choosers.h"
#include "services/messages.h"

namespace zephyrin {

namespace {

const QString kAnimationFilter = QStringLiteral("Animations (*.zpa)");

}  // namespace

AnimationWindow::~AnimationWindow() {
    stopAll();
}

void AnimationWindow::stopAll() {
    checker_->stop();
    preview_->stop();
    if (renderDialog_) renderDialog_->renderer()->cancel();
}

bool AnimationWindow::addKeyframeText(const std::string& text, const QString& caption) {
    const KeyframeText keyframe{text, kDefaultFrames, false};
    Result<LoadedKeyframe> loaded =
        LoadKeyframe(keyframe, caption.toStdString(), ThumbnailDrawer::kWidth, ThumbnailDrawer::kHeight);
    if (!loaded) {
        showError(QString::fromStdString(loaded.error()));
        return false;
    }
    const int at = selected() + 1;
    const int id = nextId_++;
    keyframes_.insert(keyframes_.begin() + at, Item{keyframe, caption, QImage(), id});
    thumbnails_->draw(id, loaded->keyframe, loaded->gradient);
    changed();
    select(at);
    return true;
}

void AnimationWindow::addOffered(const std::optional<OfferedParameters>& offered, const QString& none) {
    if (!offered) {
        ShowMessage(none);
        return;
    }
    addKeyframeText(offered->text, offered->caption);
}

void AnimationWindow::addCurrentPicture() {
    addOffered(currentPicture_ ? currentPicture_() : std::nullopt,
               QStringLiteral("No picture window has a picture to add as a keyframe yet."));
}

void AnimationWindow::addFromGallery() {
    addOffered(gallery_ ? gallery_() : std::nullopt,
               QStringLiteral("Select a tile in the Gallery (Drawing > Gallery) to add it as a keyframe."));
}

void AnimationWindow::addFromFile() {
    FileRequest request;
    request.caption = QStringLiteral("Add a keyframe");
    request.filters = {QStringLiteral("Parameters and pictures with parameters (*.zpr *.png *.tif *.tiff)"),
                       QStringLiteral("All files (*)")};
    const std::optional<FileChoice> chosen = chooseFile(this, request);
    if (!chosen) return;
    const std::filesystem::path file = chosen->path.toStdString();
    const Result<std::string> text =
        CarriesParameters(file) ? ReadEmbeddedParameters(file) : ReadParameterFile(file);
    if (!text) {
        showError(QString::fromStdString(text.error()));
        return;
    }
    addKeyframeText(*text, QFileInfo(chosen->path).fileName());
}

void AnimationWindow::removeSelected() {
    const int at = selected();
    if (at < 0) return;
    keyframes_.erase(keyframes_.begin() + at);
    changed();
    select(std::min(at, keyframeCount() - 1));
}

void AnimationWindow::moveSelectedUp() {
    const int at = selected();
    if (at < 1) return;
    std::swap(keyframes_[static_cast<std::size_t>(at)], keyframes_[static_cast<std::size_t>(at - 1)]);
    changed();
    select(at - 1);
}

void AnimationWindow::moveSelectedDown() {
    const int at = selected();
    if (at < 0 || at + 1 >= keyframeCount()) return;
    std::swap(keyframes_[static_cast<std::size_t>(at)], keyframes_[static_cast<std::size_t>(at + 1)]);
    changed();
    select(at + 1);
}

void AnimationWindow::setSegmentFrames(int frames) {
    const int at = selected();
    if (at < 0 || frames < 1) return;
    keyframes_[static_cast<std::size_t>(at)].text.frames = frames;
    changed();
}

void AnimationWindow::setCut(bool cut) {
    const int at = selected();
    if (at < 0) return;
    keyframes_[static_cast<std::size_t>(at)].text.cut = cut;
    changed();
}

int AnimationWindow::selected() const {
    return list_->currentRow();
}

void AnimationWindow::select(int index) {
    list_->setCurrentRow(index);
    showSelected();
}

QImage AnimationWindow::thumbnail(int index) const {
    return keyframes_.at(static_cast<std::size_t>(index)).thumbnail;
}

AnimationDocument AnimationWindow::document() const {
    AnimationDocument document;
    document.settings.loop = loop_->isChecked();
    document.settings.smooth = smooth_->isChecked();
    document.settings.width = choice_.width;
    document.settings.height = choice_.height;
    document.settings.iterations = choice_.iterations;
    document.settings.depth = choice_.depth;
    document.settings.seed = choice_.seed;
    document.settings.fps = choice_.fps;
    for (const Item& item : keyframes_) document.keyframes.push_back(item.text);
    return document;
}

// The list, the time line and the preview follow every change, and the
// path is checked anew.
void AnimationWindow::changed() {
    fillList();
    checker_->stop();
    const AnimationDocument now = document();
    Result<LoadedAnimation> loaded = LoadAnimation(now, choice_.width, choice_.height);
    if (!loaded) {
        timeLine_->setFrames(0, {});
        preview_->clear();
        previewPicture_->clear();
        checkStatus_->setText(QString::fromStdString(loaded.error()));
        return;
    }
    const Animation& animation = loaded->animation;
    std::vector<std::int64_t> keyframeFrames;
    for (std::size_t k = 0; k < animation.keyframes.size(); ++k)
        keyframeFrames.push_back(KeyframeFrame(animation, k));
    timeLine_->setFrames(FrameCount(animation), std::move(keyframeFrames));
    checkStatus_->setText(QStringLiteral("Checking the orbits of %1 frames...").arg(FrameCount(animation)));
    checker_->check(animation, choice_.seed);
    const QSize small = PreviewPlayer::previewSize(choice_.width, choice_.height);
    if (Result<LoadedAnimation> previewed = LoadAnimation(now, small.width(), small.height()))
        preview_->setAnimation(*std::move(previewed), choice_.seed);
}

void AnimationWindow::fillList() {
    const QSignalBlocker blocker(list_);
    const int at = selected();
    list_->clear();
    for (std::size_t i = 0; i < keyframes_.size(); ++i) {
        const Item& item = keyframes_[i];
        const bool last = i + 1 == keyframes_.size();
        QString text = QStringLiteral("%1. %2").arg(i + 1).arg(item.caption);
        if (!last || loop_->isChecked())
            text += QStringLiteral("\n%1 frames to the next").arg(*item.text.frames);
        if (item.text.cut) text += QStringLiteral("\ncut");
        auto* row = new QListWidgetItem(QPixmap::fromImage(item.thumbnail), text, list_);
        row->setSizeHint(QSize(ThumbnailDrawer::kWidth + 200, ThumbnailDrawer::kHeight + 8));
    }
    list_->setCurrentRow(std::min(at, keyframeCount() - 1));
    showSelected();
}

void AnimationWindow::showSelected() {
    const int at = selected();
    const bool any = at >= 0;
    const QSignalBlocker framesBlocker(frames_), cutBlocker(cut_);
    frames_->setEnabled(any);
    cut_->setEnabled(any);
    if (any) {
        const Item& item = keyframes_[static_cast<std::size_t>(at)];
        frames_->setValue(static_cast<int>(item.text.frames.value_or(kDefaultFrames)));
        cut_->setChecked(item.text.cut);
    }
    remove_->setEnabled(any);
    moveUp_->setEnabled(at > 0);
    moveDown_->setEnabled(any && at + 1 < keyframeCount());
}

void AnimationWindow::takeThumbnail(int id, const QImage& picture) {
    for (std::size_t i = 0; i < keyframes_.size(); ++i)
        if (keyframes_[i].id == id) {
            keyframes_[i].thumbnail = picture;
            if (QListWidgetItem* row = list_->item(static_cast<int>(i)))
                row->setIcon(QPixmap::fromImage(picture));
        }
}

void AnimationWindow::takeCheck(const std::vector<FrameChaos>& frames) {
    std::vector<std::int64_t> flagged;
    for (const FrameChaos& frame : frames)
        if (Flagged(frame.verdict, false)) flagged.push_back(frame.frame);
    checkStatus_->setText(
        flagged.empty()
            ? QStringLiteral("Every frame is chaotic")
            : QStringLiteral("Not chaotic: frames %1").arg(QString::fromStdString(FrameListText(flagged))));
    timeLine_->setChecked(static_cast<std::int64_t>(frames.size()), std::move(flagged));
    emit checked();
}

QString AnimationWindow::checkText() const {
    return checkStatus_->text();
}

bool AnimationWindow::checking() const {
    return checker_->busy();
}

bool AnimationWindow::saveTo(const QString& path) {
    if (const Result<> written = WriteAnimationFile(path.toStdString(), document()); !written) {
        showError(QString::fromStdString(written.error()));
        return false;
    }
    return true;
}

void AnimationWindow::save() {
    FileRequest request;
    request.kind = FileRequest::Kind::kSave;
    request.caption = QStringLiteral("Save the animation");
    request.filters = {kAnimationFilter};
    request.proposedName = QStringLiteral("animation.zpa");
    if (const std::optional<FileChoice> chosen = chooseFile(this, request)) saveTo(chosen->path);
}

void AnimationWindow::open() {
    FileRequest request;
    request.caption = QStringLiteral("Open an animation");
    request.filters = {kAnimationFilter, QStringLiteral("All files (*)")};
    if (const std::optional<FileChoice> chosen = chooseFile(this, request)) openFrom(chosen->path);
}

void AnimationWindow::closeEvent(QCloseEvent* event) {
    preview_->stop();
    QWidget::closeEvent(event);
}

}  // namespace zephyrin
