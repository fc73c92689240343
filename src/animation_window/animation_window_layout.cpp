// The animation window's widgets and actions.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

#include "animation_window/animation_window.h"
#include "animation_window/path_checker.h"
#include "animation_window/preview_player.h"
#include "animation_window/thumbnail_drawer.h"
#include "animation_window/time_line.h"
#include "engine/animate/animation.h"

namespace zephyrin {

namespace {

QAction* newAction(QWidget* owner, const char* name, const QString& text, const QString& tip) {
    auto* action = new QAction(text, owner);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(tip);
    action->setStatusTip(tip);
    return action;
}

QToolBar* toolBarOf(QWidget* parent, std::initializer_list<QAction*> actions) {
    auto* bar = new QToolBar(parent);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (QAction* action : actions) bar->addAction(action);
    return bar;
}

}  // namespace

AnimationWindow::AnimationWindow(ThreadPool& pool, QWidget* parent)
    : QWidget(parent, Qt::Window),
      pool_(pool),
      thumbnails_(new ThumbnailDrawer(pool, this)),
      checker_(new PathChecker(pool, this)),
      preview_(new PreviewPlayer(pool, this)) {
    setObjectName(QStringLiteral("Animation"));
    setWindowTitle(QStringLiteral("Animation"));
    choice_.folder = QDir::home().filePath(QStringLiteral("animation"));
    createActions();
    timeLine_ = new TimeLine(this);
    checkStatus_ = new QLabel(this);
    checkStatus_->setObjectName(QStringLiteral("CheckStatus"));
    checkStatus_->setWordWrap(true);
    auto* panels = new QHBoxLayout;
    panels->addWidget(createKeyframePanel(), 1);
    panels->addWidget(createPreviewPanel());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panels, 1);
    layout->addWidget(timeLine_);
    layout->addWidget(checkStatus_);
    layout->addWidget(toolBarOf(this, {open_, save_, render_}));

    connect(thumbnails_, &ThumbnailDrawer::drawn, this, &AnimationWindow::takeThumbnail);
    connect(checker_, &PathChecker::checked, this, &AnimationWindow::takeCheck);
    connect(checker_, &PathChecker::failed, checkStatus_, &QLabel::setText);
    connect(preview_, &PreviewPlayer::shown, this, [this](std::int64_t frame, const QImage& picture) {
        previewPicture_->setPixmap(QPixmap::fromImage(picture));
        timeLine_->setCurrent(frame);
    });
    connect(timeLine_, &TimeLine::frameChosen, preview_, &PreviewPlayer::show);
    changed();
    showSelected();
    resize(760, 560);
}

void AnimationWindow::createActions() {
    addCurrent_ =
        newAction(this, "AddCurrentPicture", QStringLiteral("Add Current Picture"),
                  QStringLiteral("The active picture window's attractor and colouring as a keyframe"));
    addGallery_ = newAction(this, "AddFromGallery", QStringLiteral("Add from Gallery"),
                            QStringLiteral("The tile selected in the Gallery as a keyframe"));
    addFile_ = newAction(
        this, "AddFromFile", QStringLiteral("Add from File..."),
        QStringLiteral("A parameter file, or a PNG or TIFF picture with parameters, as a keyframe"));
    remove_ =
        newAction(this, "RemoveKeyframe", QStringLiteral("Remove"), QStringLiteral("Remove the keyframe"));
    moveUp_ = newAction(this, "MoveKeyframeUp", QStringLiteral("Move Up"),
                        QStringLiteral("Move the keyframe one place earlier"));
    moveDown_ = newAction(this, "MoveKeyframeDown", QStringLiteral("Move Down"),
                          QStringLiteral("Move the keyframe one place later"));
    play_ =
        newAction(this, "PlayPreview", QStringLiteral("Play"), QStringLiteral("Play the animation small"));
    stop_ = newAction(this, "StopPreview", QStringLiteral("Stop"), QStringLiteral("Stop the preview"));
    render_ = newAction(this, "RenderAnimation", QStringLiteral("Render..."),
                        QStringLiteral("Draw the frames into a folder, and a video"));
    save_ = newAction(this, "SaveAnimation", QStringLiteral("Save..."),
                      QStringLiteral("Save the animation file (.zpa)"));
    open_ = newAction(this, "OpenAnimation", QStringLiteral("Open..."),
                      QStringLiteral("Open an animation file (.zpa)"));
    connect(addCurrent_, &QAction::triggered, this, &AnimationWindow::addCurrentPicture);
    connect(addGallery_, &QAction::triggered, this, &AnimationWindow::addFromGallery);
    connect(addFile_, &QAction::triggered, this, &AnimationWindow::addFromFile);
    connect(remove_, &QAction::triggered, this, &AnimationWindow::removeSelected);
    connect(moveUp_, &QAction::triggered, this, &AnimationWindow::moveSelectedUp);
    connect(moveDown_, &QAction::triggered, this, &AnimationWindow::moveSelectedDown);
    connect(play_, &QAction::triggered, preview_, &PreviewPlayer::play);
    connect(stop_, &QAction::triggered, preview_, &PreviewPlayer::stop);
    connect(render_, &QAction::triggered, this, &AnimationWindow::showRenderDialog);
    connect(save_, &QAction::triggered, this, &AnimationWindow::save);
    connect(open_, &QAction::triggered, this, &AnimationWindow::open);
}

QWidget* AnimationWindow::createKeyframePanel() {
    auto* panel = new QWidget(this);
    list_ = new QListWidget(panel);
    list_->setObjectName(QStringLiteral("Keyframes"));
    list_->setIconSize(QSize(ThumbnailDrawer::kWidth, ThumbnailDrawer::kHeight));
    frames_ = new QSpinBox(panel);
    frames_->setObjectName(QStringLiteral("SegmentFrames"));
    frames_->setRange(1, static_cast<int>(kMostFrames - 1));
    frames_->setToolTip(QStringLiteral("Frames from the selected keyframe to the next"));
    cut_ = new QCheckBox(QStringLiteral("Cut: jump to this keyframe (the formula may change here)"), panel);
    cut_->setObjectName(QStringLiteral("Cut"));
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Frames to the next"), frames_);
    fields->addRow(cut_);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(toolBarOf(panel, {addCurrent_, addGallery_, addFile_}));
    layout->addWidget(list_, 1);
    layout->addWidget(toolBarOf(panel, {remove_, moveUp_, moveDown_}));
    layout->addLayout(fields);
    connect(list_, &QListWidget::currentRowChanged, this, &AnimationWindow::showSelected);
    connect(frames_, &QSpinBox::valueChanged, this, &AnimationWindow::setSegmentFrames);
    connect(cut_, &QCheckBox::toggled, this, &AnimationWindow::setCut);
    return panel;
}

QWidget* AnimationWindow::createPreviewPanel() {
    auto* panel = new QWidget(this);
    previewPicture_ = new QLabel(panel);
    previewPicture_->setObjectName(QStringLiteral("Preview"));
    previewPicture_->setFixedWidth(PreviewPlayer::kWidth);
    previewPicture_->setMinimumHeight(PreviewPlayer::kWidth * 3 / 4);
    previewPicture_->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    loop_ = new QCheckBox(QStringLiteral("Loop"), panel);
    loop_->setObjectName(QStringLiteral("Loop"));
    loop_->setToolTip(QStringLiteral("The last keyframe leads back to the first"));
    smooth_ = new QCheckBox(QStringLiteral("Smooth"), panel);
    smooth_->setObjectName(QStringLiteral("Smooth"));
    smooth_->setToolTip(QStringLiteral("A smooth curve through the keyframes instead of straight lines"));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(previewPicture_);
    layout->addWidget(toolBarOf(panel, {play_, stop_}));
    layout->addWidget(loop_);
    layout->addWidget(smooth_);
    layout->addStretch();
    connect(loop_, &QCheckBox::toggled, this, &AnimationWindow::changed);
    connect(smooth_, &QCheckBox::toggled, this, &AnimationWindow::changed);
    return panel;
}

}  // namespace zephyrin
