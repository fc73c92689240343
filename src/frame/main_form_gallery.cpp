// The frame's side of the gallery and the animation window, of pasting
// parameters and of the measures of the active window's record.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QStatusBar>

#include "animation_window/animation_window.h"
#include "frame/main_form.h"
#include "gallery/gallery_window.h"
#include "gallery/measures_text.h"
#include "gallery/orbit_measurer.h"
#include "gallery/parameters_clipboard.h"
#include "services/messages.h"
#include "services/mode_word.h"
#include "window/tmdi_child.h"

namespace zephyrin {

void TMainForm::galleryClick() {
    if (!parts_.pool) return;
    if (!gallery_) {
        // A window of its own beside the frame, which it goes with.
        gallery_ = new GalleryWindow(*parts_.pool, this);
        connect(gallery_, &GalleryWindow::openParameters, this, &TMainForm::openParameterText);
    }
    if (const TMDIChild* child = activeChild()) gallery_->setFormula(child->document().v.formula);
    gallery_->show();
    gallery_->raise();
    gallery_->activateWindow();
}

void TMainForm::animationClick() {
    if (!parts_.pool) return;
    if (!animation_) {
        animation_ = new AnimationWindow(*parts_.pool, this);
        animation_->setCurrentPictureSource([this]() -> std::optional<OfferedParameters> {
            // A window that has not set up its first picture has nothing to offer yet.
            const TMDIChild* child = activeChild();
            if (!child || child->setupPending != kFalse) return std::nullopt;
            // Named as the window is when it is not busy drawing.
            return OfferedParameters{child->document().parameterText('.'), child->pictureName.isEmpty()
                                                                               ? child->windowTitle()
                                                                               : child->pictureName};
        });
        animation_->setGallerySource([this]() -> std::optional<OfferedParameters> {
            if (!gallery_) return std::nullopt;
            std::optional<std::string> text = gallery_->selectedParameters();
            if (!text) return std::nullopt;
            return OfferedParameters{*std::move(text), QStringLiteral("Gallery tile")};
        });
    }
    animation_->show();
    animation_->raise();
    animation_->activateWindow();
}

TMDIChild* TMainForm::openParameterText(const QString& text, const QString& caption) {
    setModeWord(kModeNew);
    return CreateAttractorWindow(QStringLiteral("NONAME%1").arg(windowsCreated_ + 1),
                                 {.parameterText = text, .textCaption = caption});
}

void TMainForm::pasteParameters() {
    const Result<PastedParameters> pasted = parametersFromClipboard(QApplication::clipboard()->mimeData());
    if (!pasted) {
        ShowMessage(QString::fromStdString(pasted.error()));
        return;
    }
    if (pasted->file.isEmpty()) {
        openParameterText(QString::fromStdString(pasted->text), QStringLiteral("Pasted parameters"));
        return;
    }
    // Named by the file, as Load from parameter file names a window.
    CreateAttractorWindow(pasted->file, {.parameterFile = pasted->file});
}

void TMainForm::createMeasures() {
    measures_ = new QLabel(statusBar());
    measures_->setObjectName(QStringLiteral("Measures"));
    measures_->setToolTip(QStringLiteral(
        "The largest Lyapunov exponent L, the correlation dimension D2 and the appeal score of the active "
        "window's attractor"));
    statusBar()->addPermanentWidget(measures_);
    // Measured where the drawings run; a frame without a pool shows no measures.
    if (!parts_.pool) return;
    measurer_ = new OrbitMeasurer(*parts_.pool, this);
    connect(measurer_, &OrbitMeasurer::measured, this,
            [this](const OrbitMeasures& measures) { measures_->setText(measuresText(measures)); });
}

void TMainForm::measureActive() {
    if (const TMDIChild* child = activeChild(); measurer_ && child && child->setupPending == kFalse)
        measurer_->measure(child->document().v, child->document().effects);
}

}  // namespace zephyrin
