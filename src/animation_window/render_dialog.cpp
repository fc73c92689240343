#include "animation_window/render_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>
#include <cstdint>

#include "animation_window/frame_renderer.h"
#include "services/file_choosers.h"
#include "services/messages.h"
#include "util/thread_pool.h"

namespace zephyrin {

namespace {

QString timeText(double seconds) {
    const auto whole = static_cast<long long>(std::ceil(seconds));
    if (whole < 60) return QStringLiteral("%1 s").arg(whole);
    return QStringLiteral("%1 min %2 s").arg(whole / 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

RenderDialog::RenderDialog(ThreadPool& pool, QWidget* parent)
    : QDialog(parent), renderer_(new FrameRenderer(pool, this)) {
    setObjectName(QStringLiteral("RenderAnimation"));
    setWindowTitle(QStringLiteral("Render Animation"));
    progress_ = new QProgressBar(this);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("RenderStatus"));
    status_->setWordWrap(true);
    status_->setText(QStringLiteral("Frames as zephyrin-render --animate draws them with --threads %1")
                         .arg(pool.Threads()));
    renderButton_ = new QPushButton(QStringLiteral("Render"), this);
    cancelButton_ = new QPushButton(QStringLiteral("Close"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(renderButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(createFields());
    layout->addWidget(progress_);
    layout->addWidget(status_);
    layout->addLayout(buttons);

    connect(renderButton_, &QPushButton::clicked, this, &RenderDialog::renderWanted);
    connect(cancelButton_, &QPushButton::clicked, this, &RenderDialog::cancelOrClose);
    connect(renderer_, &FrameRenderer::progressed, this, &RenderDialog::showProgress);
    connect(renderer_, &FrameRenderer::finished, this, &RenderDialog::showFinished);
    updateButtons();
}

QWidget* RenderDialog::createFields() {
    auto* fields = new QWidget(this);
    auto* form = new QFormLayout(fields);
    folder_ = new QLineEdit(fields);
    auto* browse = new QPushButton(QStringLiteral("Browse..."), fields);
    connect(browse, &QPushButton::clicked, this, &RenderDialog::chooseFolder);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folder_, 1);
    folderRow->addWidget(browse);
    form->addRow(QStringLiteral("Folder"), folderRow);
    width_ = new QSpinBox(fields);
    height_ = new QSpinBox(fields);
    for (QSpinBox* side : {width_, height_}) side->setRange(1, 16384);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(width_);
    sizeRow->addWidget(new QLabel(QStringLiteral("x"), fields));
    sizeRow->addWidget(height_);
    form->addRow(QStringLiteral("Size"), sizeRow);
    // Budgets beyond what a spin box of int holds.
    iterations_ = new QDoubleSpinBox(fields);
    iterations_->setDecimals(0);
    iterations_->setRange(1, 1e12);
    iterations_->setSingleStep(100'000);
    form->addRow(QStringLiteral("Iterations per frame"), iterations_);
    depth_ = new QComboBox(fields);
    depth_->addItem(QStringLiteral("8 bits"), 8);
    depth_->addItem(QStringLiteral("16 bits"), 16);
    form->addRow(QStringLiteral("Depth"), depth_);
    // Any seed an animation file holds, up to 2^64 - 1.
    seed_ = new QLineEdit(fields);
    seed_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,20}")), seed_));
    seed_->setToolTip(QStringLiteral("Frame k is drawn with this seed + k"));
    form->addRow(QStringLiteral("Seed"), seed_);
    video_ = new QCheckBox(QStringLiteral("Video (%1, by ffmpeg)").arg(QLatin1String(kVideoName)), fields);
    fps_ = new QDoubleSpinBox(fields);
    fps_->setRange(1, 1000);
    fps_->setSuffix(QStringLiteral(" frames a second"));
    auto* videoRow = new QHBoxLayout;
    videoRow->addWidget(video_);
    videoRow->addWidget(fps_);
    form->addRow(QString(), videoRow);
    return fields;
}

void RenderDialog::setChoice(const RenderChoice& choice) {
    folder_->setText(choice.folder);
    width_->setValue(choice.width);
    height_->setValue(choice.height);
    iterations_->setValue(static_cast<double>(choice.iterations));
    depth_->setCurrentIndex(choice.depth == 16 ? 1 : 0);
    seed_->setText(QString::number(choice.seed));
    video_->setChecked(choice.video);
    fps_->setValue(choice.fps);
}

RenderChoice RenderDialog::choice() const {
    return {.folder = folder_->text(),
            .width = width_->value(),
            .height = height_->value(),
            .iterations = static_cast<std::int64_t>(iterations_->value()),
            .depth = depth_->currentData().toInt(),
            .seed = seed_->text().toULongLong(),
            .video = video_->isChecked(),
            .fps = fps_->value()};
}

void RenderDialog::chooseFolder() {
    FileRequest request;
    request.kind = FileRequest::Kind::kFolder;
    request.caption = QStringLiteral("Folder for the frames");
    if (const std::optional<FileChoice> chosen = chooseFile(this, request)) folder_->setText(chosen->path);
}

void RenderDialog::render(const AnimationDocument& document) {
    bool seedRead = false;
    seed_->text().toULongLong(&seedRead);
    if (!seedRead) {
        status_->setText(QStringLiteral("The seed must be a whole number from 0 to %1").arg(UINT64_MAX));
        return;
    }
    if (QFileInfo::exists(QDir(folder_->text()).filePath(QStringLiteral("frame-0000.png"))) &&
        !askOkCancel(
            QStringLiteral("The folder %1 holds frames already. Replace them?").arg(folder_->text())))
        return;
    emit choiceChanged(choice());
    progress_->setValue(0);
    if (const Result<> started = renderer_->start(document, choice()); !started)
        status_->setText(QString::fromStdString(started.error()));
    else if (renderer_->running())
        status_->setText(QStringLiteral("Rendering %1 frames...").arg(renderer_->frames()));
    updateButtons();
}

void RenderDialog::cancelOrClose() {
    if (renderer_->running())
        renderer_->cancel();
    else
        hide();
}

void RenderDialog::reject() {
    // Closing the dialog stops its render, so that nothing draws unseen.
    if (renderer_->running() && !askOkCancel(QStringLiteral("Stop the render?"))) return;
    renderer_->cancel();
    QDialog::reject();
}

QString RenderDialog::status() const {
    return status_->text();
}

void RenderDialog::showProgress(std::int64_t done, std::int64_t frames, double secondsLeft) {
    progress_->setRange(0, static_cast<int>(frames));
    progress_->setValue(static_cast<int>(done));
    status_->setText(
        QStringLiteral("%1 of %2 frames, about %3 left").arg(done).arg(frames).arg(timeText(secondsLeft)));
}

void RenderDialog::showFinished(const QString& summary, bool completed) {
    if (completed) progress_->setValue(progress_->maximum());
    status_->setText(summary);
    updateButtons();
}

void RenderDialog::updateButtons() {
    const bool running = renderer_->running();
    renderButton_->setEnabled(!running);
    cancelButton_->setText(running ? QStringLiteral("Cancel") : QStringLiteral("Close"));
    for (QWidget* field :
         std::initializer_list<QWidget*>{folder_, width_, height_, iterations_, depth_, seed_, video_, fps_})
        field->setEnabled(!running);
}

}  // namespace zephyrin
