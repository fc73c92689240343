#include "frame/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <limits>
#include <new>
#include <utility>

#include "dialogs/coefficients_dialog.h"
#include "dialogs/colouring_dialog.h"
#include "dialogs/parameters_dialog.h"
#include "dialogs/xy_size_dialog.h"
#include "engine/core/engine.h"
#include "engine/core/view_coords.h"
#include "engine/file/counts_file.h"
#include "engine/file/param_file.h"
#include "frame/about_box.h"
#include "frame/tool_bar_icons.h"
#include "frame/tool_window_placer.h"
#include "imaging/ggr_file.h"
#include "imaging/image_formats.h"
#include "services/file_choosers.h"
#include "services/messages.h"
#include "services/mode_word.h"
#include "services/one_shot_timer.h"
#include "services/settings.h"
#include "util/drawing_memory.h"
#include "window/save_names.h"
#include "window/tmdi_child.h"

namespace zephyrin {

TMainForm::TMainForm(const ProgramParts& parts, QWidget* parent) : QMainWindow(parent), parts_(parts) {
    parts_.frame = this;
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Zephyrin"));
    resize(511, 348);

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("MdiArea"));
    // A picture window can be taller than the area it is fitted into.
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &TMainForm::mergeMenus);

    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    // Beside the hints, which the bar shows on its left.
    progress_ = new QLabel(statusBar());
    progress_->setObjectName(QStringLiteral("DrawingProgress"));
    statusBar()->addPermanentWidget(progress_);
    countsHeld_ = new QLabel(statusBar());
    countsHeld_->setObjectName(QStringLiteral("CountsHeld"));
    statusBar()->addPermanentWidget(countsHeld_);
    createMeasures();
    createMenus();
    createToolBar();

    timer1_ = new OneShotTimer(100, this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    connect(timer1_, &OneShotTimer::tick, this, &TMainForm::Timer1Timer);

    setModeWord(kModeNew);
    timer1_->setEnabled(true);
    UpdateMenuItems();
}

TMainForm::~TMainForm() {
    // The area outlives this part of the frame and still reports the windows it
    // hides while being destroyed.
    disconnect(mdiArea_, nullptr, this, nullptr);
}

void TMainForm::setDialogs(TXYSize* xySize, TForm4* form4, TCForm* cform) {
    parts_.xySize = xySize;
    parts_.form4 = form4;
    parts_.cform = cform;
    connect(form4, &TForm4::coloursSettled, this, &TMainForm::UpdateColors);
    connect(form4, &TForm4::stopRequested, this, &TMainForm::StopButtonClick);
    connect(form4, &TForm4::resetRequested, this, &TMainForm::ResetButtonClick);
    connect(form4, &TForm4::drawRandomRequested, this, &TMainForm::DrawRandomClick);
    connect(form4, &TForm4::applyRequested, this, &TMainForm::ApplyButtonClick);
    connect(cform, &TCForm::coefficientsSettled, this, &TMainForm::UpdateCoefficiants);
    connect(xySize, &TXYSize::applyRequested, this, &TMainForm::TP01);
}

QAction* TMainForm::item(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

TMDIChild* TMainForm::activeChild() const {
    // The current window, even while a tool dialog has the focus.
    return qobject_cast<TMDIChild*>(mdiArea_->currentSubWindow());
}

QList<TMDIChild*> TMainForm::attractorWindows() const {
    QList<TMDIChild*> children;
    for (QMdiSubWindow* window : mdiArea_->subWindowList(QMdiArea::CreationOrder))
        if (auto* child = qobject_cast<TMDIChild*>(window)) children.append(child);
    return children;
}

TMDIChild* TMainForm::CreateAttractorWindow(const QString& name, WindowStart start) {
    auto* child = new TMDIChild(parts_, mdiArea_, std::move(start));
    mdiArea_->addSubWindow(child);
    child->setWindowTitle(name);
    ++windowsCreated_;
    child->show();
    // The window keeps itself in view when it takes its picture's size.
    child->move(cascadedCorner());
    lastCreated_ = child;
    connect(&child->document(), &PictureDocument::progressChanged, this, [this, child] {
        if (child == activeChild()) showProgress();
    });
    mdiArea_->setActiveSubWindow(child);
    UpdateMenuItems();
    return child;
}

void TMainForm::FileNewItemClick() {
    setModeWord(kModeNew);
    // Closed windows are minimised, not destroyed, so names never repeat.
    CreateAttractorWindow(QStringLiteral("NONAME%1").arg(windowsCreated_ + 1));
}

QStringList TMainForm::openFilters() {
    QStringList patterns;
    for (const ImageFormatInfo& format : ImageFormats())
        patterns << QStringLiteral("*.") +
                        QString::fromLatin1(format.extension.data(), format.extension.size());
    patterns << QStringLiteral("*.jpeg") << QStringLiteral("*.tiff");
    QStringList filters{QStringLiteral("Image files (%1)").arg(patterns.join(QLatin1Char(' ')))};
    filters << SaveFilters();
    return filters;
}

void TMainForm::FileOpenItemClick() {
    FileRequest request;
    request.caption = QStringLiteral("Open");
    request.filters = openFilters();
    if (const std::optional<FileChoice> choice = chooseFile(this, request)) openImage(choice->path);
}

TMDIChild* TMainForm::openImage(const QString& path) {
    if (IsCountsFile(path.toStdString())) return openCounts(path);
    QImage image;
    try {
        QImageReader reader(path);
        const QSize size = reader.size();
        if (size.isValid() && !DrawingFitsInMemory(size.width(), size.height())) {
            showError(
                QStringLiteral("Cannot open \"%1\": a picture of %2 by %3 pixels does not fit in memory.")
                    .arg(path)
                    .arg(size.width())
                    .arg(size.height()));
            return nullptr;
        }
        // Qt refuses images above a small limit of its own; the program draws
        // pictures as large as memory allows, and has just checked that.
        if (size.isValid())
            QImageReader::setAllocationLimit(static_cast<int>(std::min<qint64>(
                qint64(size.width()) * size.height() * 8 / (1 << 20) + 1, std::numeric_limits<int>::max())));
        image = reader.read();
        if (image.isNull()) {
            showError(QStringLiteral("Cannot open \"%1\": %2.").arg(path, reader.errorString()));
            return nullptr;
        }
    } catch (const std::bad_alloc&) {
        showError(QStringLiteral("There is not enough memory to open \"%1\".").arg(path));
        return nullptr;
    }
    // The new window shows the image at its size, with the parameters of its
    // parameter file when one lies beside it.
    return CreateAttractorWindow(path, {.image = std::move(image)});
}

void TMainForm::openFiles(const QStringList& paths) {
    bool opened = false;
    for (const QString& path : paths) {
        if (QFileInfo(path).suffix().compare(QStringLiteral("zpr"), Qt::CaseInsensitive) != 0) {
            opened = openImage(path) != nullptr || opened;
            continue;
        }
        if (const Result<std::string> readable = ReadParameterFile(path.toStdString()); !readable) {
            showError(QString::fromStdString(readable.error()));
            continue;
        }
        CreateAttractorWindow(path, {.parameterFile = path});
        opened = true;
    }
    if (opened) timer1_->setEnabled(false);
}

void TMainForm::FileSaveAsItemClick() {
    if (TMDIChild* child = activeChild()) child->SaveAs1Click();
}

void TMainForm::Loadfromparameterfile1Click() {
    TMDIChild* child = activeChild();
    if (!child) return;
    FileRequest request;
    request.caption = QStringLiteral("Load from parameter file");
    request.filters = QStringList{QStringLiteral("Zephyrin parameter files (*.zpr)")};
    if (const std::optional<FileChoice> choice = chooseFile(this, request))
        child->LoadFromParameterFile(choice->path);
}

void TMainForm::FileCloseItemClick() {
    if (QMdiSubWindow* window = mdiArea_->currentSubWindow()) window->close();
}

void TMainForm::FileExitItemClick() {
    close();
}

void TMainForm::HelpAboutItemClick() {
    if (!aboutBox_) return;
    aboutBox_->adjustSize();
    if (const QScreen* screen = this->screen())
        aboutBox_->move(screen->geometry().center() - aboutBox_->rect().center());
    aboutBox_->exec();
}

void TMainForm::StopButtonClick() {
    if (TMDIChild* child = activeChild()) {
        child->document().stopDrawing();
        child->document().cancelSearch();
    }
}

void TMainForm::findAttractorClick() {
    if (TMDIChild* child = activeChild()) child->document().findAttractor();
}

void TMainForm::fitViewClick() {
    if (TMDIChild* child = activeChild()) child->document().fitView();
}

void TMainForm::ResetButtonClick() {
    if (TMDIChild* child = activeChild()) {
        ResetCoordinates(child->document().v);
        timer1_->setEnabled(true);
    }
}

void TMainForm::DrawRandomClick() {
    if (TMDIChild* child = activeChild()) {
        timer1_->setEnabled(true);
        child->document().v.randomStart = kTrue;
    }
}

void TMainForm::ApplyButtonClick() {
    if (TMDIChild* child = activeChild()) {
        timer1_->setEnabled(true);
        child->document().v.randomStart = kFalse;
    }
}

void TMainForm::Timer1Timer() {
    if (modeWord() == kModeNew) {
        FileNewItemClick();
    } else if (TMDIChild* child = activeChild()) {
        child->UpdateGrafX();
    }
}

void TMainForm::UpdateMenuItems() {
    const bool any = !mdiArea_->subWindowList().isEmpty();
    for (const char* name : {"FileCloseItem", "FileSaveAsItem", "WindowCascadeItem", "WindowTileItem",
                             "WindowArrangeItem", "WindowMinimizeItem"})
        if (QAction* action = item(QString::fromLatin1(name))) action->setEnabled(any);
    updateCountsItems();
}

void TMainForm::mergeMenus(QMdiSubWindow* active) {
    auto* child = qobject_cast<TMDIChild*>(active);
    if (!child || child == mergedChild_) return;
    for (QAction* menu : mergedMenus_) menuBar()->removeAction(menu);
    mergedMenus_.clear();
    for (QMenu* menu : child->menuBarMenus()) {
        menuBar()->insertMenu(windowMenu_->menuAction(), menu);
        mergedMenus_.append(menu->menuAction());
    }
    mergedChild_ = child;
    child->UpdateMenuItems();
    UpdateMenuItems();
    showProgress();
    measureActive();
}

void TMainForm::showProgress() {
    const TMDIChild* child = activeChild();
    progress_->setText(child ? child->document().progressText() : QString());
    countsHeld_->setText(child ? child->document().heldIterationsText() : QString());
    updateCountsItems();
}

void TMainForm::ParmatersButtonClick() {
    if (TMDIChild* child = activeChild()) child->Parameters1Click();
}

void TMainForm::setColouringDialog(ColouringDialog* colouring) {
    parts_.colouring = colouring;
    connect(colouring, &ColouringDialog::colouringSettled, this, &TMainForm::updateColouring);
    connect(colouring, &ColouringDialog::loadGradientRequested, this, &TMainForm::loadGradient);
    colouring->sixteenBits()->setChecked(rememberedValue(kSixteenBitsKey, true).toBool());
    connect(colouring->sixteenBits(), &QCheckBox::toggled, this,
            [](bool on) { remember(kSixteenBitsKey, on); });
}

void TMainForm::updateColouring() {
    if (TMDIChild* child = activeChild(); child && parts_.colouring)
        child->document().applyColouring(parts_.colouring->settings());
}

void TMainForm::loadGradient() {
    FileRequest request;
    request.caption = QStringLiteral("Load Gradient");
    request.subject = FileRequest::Subject::kGradients;
    request.filters = QStringList{QStringLiteral("GIMP gradients (*.ggr)")};
    const std::optional<FileChoice> choice = chooseFile(parts_.colouring, request);
    if (!choice) return;
    // Read now, so that a bad file is reported before anything uses it.
    if (const Result<GradientDefinition> gradient = ReadGgr(choice->path.toStdString()); !gradient) {
        showError(QString::fromStdString(gradient.error()));
        return;
    }
    parts_.colouring->addGradientFile(choice->path);
}

void TMainForm::UpdateColors() {
    if (TMDIChild* child = activeChild()) child->ApplyParameters();
}

void TMainForm::UpdateCoefficiants() {
    if (TMDIChild* child = activeChild()) child->UpdateCoefficiants();
    measureActive();
}

void TMainForm::UpdateParameters() {
    if (TMDIChild* child = activeChild()) {
        child->Parameters1Update();
        if (parts_.colouring) parts_.colouring->setSettings(child->document().density());
    }
    measureActive();
}

void TMainForm::TP01() {
    if (TMDIChild* child = activeChild()) child->Resolution();
}

QSize TMainForm::frameClientSize() const {
    return mdiArea_->viewport()->size();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // Every window's drawing must end, not only the active one's, or the
    // drawing loops would never hand control back to the main loop.
    for (TMDIChild* child : attractorWindows()) {
        child->document().stopDrawing();
        child->document().cancelSearch();
    }
    parts_.engine->StopCurrent();
    remember(kFrameGeometryKey, saveGeometry());
    if (toolWindowPlacer_) toolWindowPlacer_->rememberPlaces();
    event->accept();
    QApplication::quit();
}

}  // namespace zephyrin
