#include "frame/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <limits>
#include <new>

#include "dialogs/coefficients_dialog.h"
#include "dialogs/colouring_dialog.h"
#include "dialogs/parameters_dialog.h"
#include "dialogs/xy_size_dialog.h"
#include "engine/core/engine.h"
#include "engine/core/view_coords.h"
#include "engine/file/param_file.h"
#include "frame/about_box.h"
#include "frame/tool_bar_icons.h"
#include "frame/tool_window_placer.h"
#include "imaging/gradient.h"
#include "imaging/image_formats.h"
#include "services/file_choosers.h"
#include "services/messages.h"
#include "services/mode_word.h"
#include "services/one_shot_timer.h"
#include "services/settings.h"
#include "util/drawing_memory.h"
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

void TMainForm::createMenus() {
    auto addItem = [this](QMenu* menu, const char* name, const QString& caption, const QString& hint) {
        QAction* item = menu->addAction(caption);
        item->setObjectName(QString::fromLatin1(name));
        item->setStatusTip(hint);
        return item;
    };

    fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu_->setObjectName(QStringLiteral("File1"));
    fileMenu_->menuAction()->setStatusTip(QStringLiteral("File related commands"));
    const struct {
        const char* name;  // nullptr: the separator
        const char* caption;
        const char* hint;
        void (TMainForm::*handler)();
        QKeySequence shortcut;
    } fileItems[] = {
        {"FileNewItem", "&New", "Create a new file", &TMainForm::FileNewItemClick, QKeySequence::New},
        {"FileOpenItem", "&Open", "Open an existing file", &TMainForm::FileOpenItemClick, QKeySequence::Open},
        {"FileCloseItem", "&Close", "Close current file", &TMainForm::FileCloseItemClick,
         QKeySequence(Qt::CTRL | Qt::Key_W)},
        {"FileSaveAsItem", "Save &As...", "Save current file as...", &TMainForm::FileSaveAsItemClick,
         QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"Loadfromparameterfile1",
         "Load from parameter file",
         "",
         &TMainForm::Loadfromparameterfile1Click,
         {}},
        {nullptr, "", "", nullptr, {}},
        {"FileExitItem", "E&xit", "Exit the application", &TMainForm::FileExitItemClick, QKeySequence::Quit},
    };
    for (const auto& item : fileItems) {
        if (!item.name) {
            fileMenu_->addSeparator()->setObjectName(QStringLiteral("N1"));
            continue;
        }
        QAction* action =
            addItem(fileMenu_, item.name, QString::fromLatin1(item.caption), QString::fromLatin1(item.hint));
        action->setShortcut(item.shortcut);
        connect(action, &QAction::triggered, this, item.handler);
    }

    windowMenu_ = menuBar()->addMenu(QStringLiteral("&Window"));
    windowMenu_->setObjectName(QStringLiteral("Window1"));
    windowMenu_->menuAction()->setStatusTip(
        QStringLiteral("Window related commands such as Tile and Cascade"));
    connect(addItem(windowMenu_, "WindowCascadeItem", QStringLiteral("&Cascade"),
                    QStringLiteral("Arrange windows to overlap")),
            &QAction::triggered, this, &TMainForm::WindowCascadeItemClick);
    connect(addItem(windowMenu_, "WindowTileItem", QStringLiteral("&Tile"),
                    QStringLiteral("Arrange windows without overlap")),
            &QAction::triggered, this, &TMainForm::WindowTileItemClick);
    connect(addItem(windowMenu_, "WindowArrangeItem", QStringLiteral("&Arrange Icons"),
                    QStringLiteral("Arrange window icons at bottom of main window")),
            &QAction::triggered, this, &TMainForm::WindowArrangeItemClick);
    connect(addItem(windowMenu_, "WindowMinimizeItem", QStringLiteral("&Minimize All"),
                    QStringLiteral("Minimize all windows")),
            &QAction::triggered, this, &TMainForm::WindowMinimizeItemClick);
    connect(windowMenu_, &QMenu::aboutToShow, this, &TMainForm::fillWindowList);

    helpMenu_ = menuBar()->addMenu(QStringLiteral("&Help"));
    helpMenu_->setObjectName(QStringLiteral("Help1"));
    helpMenu_->menuAction()->setStatusTip(QStringLiteral("Help topics"));
    connect(addItem(helpMenu_, "HelpAboutItem", QStringLiteral("&About"), QString()), &QAction::triggered,
            this, &TMainForm::HelpAboutItemClick);
}

void TMainForm::createToolBar() {
    toolBar_ = new QToolBar(QStringLiteral("Tools"), this);
    toolBar_->setObjectName(QStringLiteral("Toolbar971"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setIconSize(QSize(32, 32));
    addToolBar(Qt::RightToolBarArea, toolBar_);

    const struct {
        const char* name;
        const char* hint;
        FrameTool icon;
        void (TMainForm::*handler)();
        QKeySequence shortcut;
    } buttons[] = {
        {"ParmatersButton", "Parameters", FrameTool::kParameters, &TMainForm::ParmatersButtonClick, {}},
        {"StopButton", "Stop", FrameTool::kStop, &TMainForm::StopButtonClick, QKeySequence(Qt::Key_Escape)},
        {"ResetButton", "Reset", FrameTool::kReset, &TMainForm::ResetButtonClick, {}},
        {"DrawRandom", "Draw Random", FrameTool::kDrawRandom, &TMainForm::DrawRandomClick,
         QKeySequence(Qt::CTRL | Qt::Key_R)},
        {"ApplyButton", "Apply (Start over)", FrameTool::kApply, &TMainForm::ApplyButtonClick,
         QKeySequence(Qt::Key_F5)},
        {"FindAttractorButton", "Find Attractor", FrameTool::kFindAttractor, &TMainForm::findAttractorClick,
         QKeySequence(Qt::CTRL | Qt::Key_F)},
    };
    // The tool bar's commands also have a menu, which shows their keys.
    drawingMenu_ = new QMenu(QStringLiteral("&Drawing"), this);
    drawingMenu_->setObjectName(QStringLiteral("Drawing1"));
    menuBar()->insertMenu(windowMenu_->menuAction(), drawingMenu_);
    for (const auto& button : buttons) {
        QAction* action = toolBar_->addAction(frameToolIcon(button.icon), QString::fromLatin1(button.hint));
        action->setObjectName(QString::fromLatin1(button.name));
        action->setToolTip(QString::fromLatin1(button.hint));
        action->setStatusTip(QString::fromLatin1(button.hint));
        action->setShortcut(button.shortcut);
        connect(action, &QAction::triggered, this, button.handler);
        if (button.icon != FrameTool::kParameters) drawingMenu_->addAction(action);
        QWidget* widget = toolBar_->widgetForAction(action);
        widget->setObjectName(QString::fromLatin1(button.name));
        widget->setFixedSize(40, 40);
        widget->setCursor(Qt::PointingHandCursor);
    }
    QAction* fitView = drawingMenu_->addAction(QStringLiteral("Fit View"));
    fitView->setObjectName(QStringLiteral("FitView"));
    fitView->setStatusTip(QStringLiteral("Frame the attractor so that it fills the picture"));
    fitView->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(fitView, &QAction::triggered, this, &TMainForm::fitViewClick);
    drawingMenu_->addSeparator();
    QAction* findOnStart = drawingMenu_->addAction(QStringLiteral("Find Attractor in New Windows"));
    findOnStart->setObjectName(QStringLiteral("FindOnStart"));
    findOnStart->setStatusTip(
        QStringLiteral("New windows look for an attractor instead of drawing a random start"));
    findOnStart->setCheckable(true);
    findOnStart->setChecked(rememberedValue(kFindOnStartKey, true).toBool());
    connect(findOnStart, &QAction::toggled, this, [](bool on) { remember(kFindOnStartKey, on); });
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

TMDIChild* TMainForm::CreateAttractorWindow(const QString& name) {
    auto* child = new TMDIChild(parts_, mdiArea_);
    mdiArea_->addSubWindow(child);
    child->setWindowTitle(name);
    ++windowsCreated_;
    child->show();
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
    filters << TMDIChild::saveFilters();
    return filters;
}

void TMainForm::FileOpenItemClick() {
    FileRequest request;
    request.caption = QStringLiteral("Open");
    request.filters = openFilters();
    if (const std::optional<FileChoice> choice = chooseFile(this, request)) openImage(choice->path);
}

TMDIChild* TMainForm::openImage(const QString& path) {
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
    TMDIChild* child = CreateAttractorWindow(path);
    child->setOpenedImage(std::move(image));
    return child;
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
        CreateAttractorWindow(path)->setParameterFileToLoad(path);
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

void TMainForm::WindowCascadeItemClick() {
    // The area's own cascade shrinks every window to a strip; here each keeps
    // the size that shows its whole picture, as far as the area allows.
    const QSize area = mdiArea_->viewport()->size();
    const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    QPoint corner(0, 0);
    for (QMdiSubWindow* window : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (window->isMinimized() || window->isHidden()) continue;
        if (window->isMaximized()) window->showNormal();
        auto* child = qobject_cast<TMDIChild*>(window);
        QSize size = child ? child->wholePictureSize() : window->size();
        if (corner.x() > area.width() / 2 || corner.y() > area.height() / 2) corner = QPoint(0, 0);
        size = size.boundedTo(area - QSize(corner.x(), corner.y())).expandedTo(window->minimumSize());
        window->setGeometry(QRect(corner, size));
        window->raise();
        corner += QPoint(step, step);
    }
    if (QMdiSubWindow* active = mdiArea_->currentSubWindow()) active->raise();
}

void TMainForm::WindowTileItemClick() {
    mdiArea_->tileSubWindows();
}

void TMainForm::WindowArrangeItemClick() {
    // Minimised windows in a row along the bottom of the area.
    int x = 0;
    const int bottom = mdiArea_->viewport()->height();
    for (QMdiSubWindow* window : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized()) continue;
        window->move(x, bottom - window->height());
        x += window->width();
    }
}

void TMainForm::WindowMinimizeItemClick() {
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList(QMdiArea::CreationOrder);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) (*it)->showMinimized();
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
        child->stopDrawing();
        child->cancelSearch();
    }
}

void TMainForm::findAttractorClick() {
    if (TMDIChild* child = activeChild()) child->findAttractor();
}

void TMainForm::fitViewClick() {
    if (TMDIChild* child = activeChild()) child->fitView();
}

void TMainForm::ResetButtonClick() {
    if (TMDIChild* child = activeChild()) {
        ResetCoordinates(child->v);
        timer1_->setEnabled(true);
    }
}

void TMainForm::DrawRandomClick() {
    if (TMDIChild* child = activeChild()) {
        timer1_->setEnabled(true);
        child->v.randomStart = kTrue;
    }
}

void TMainForm::ApplyButtonClick() {
    if (TMDIChild* child = activeChild()) {
        timer1_->setEnabled(true);
        child->v.randomStart = kFalse;
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
}

void TMainForm::fillWindowList() {
    for (QAction* action : windowListActions_) {
        windowMenu_->removeAction(action);
        action->deleteLater();
    }
    windowListActions_.clear();
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty()) return;
    windowListActions_.append(windowMenu_->addSeparator());
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QAction* action =
            windowMenu_->addAction(QStringLiteral("&%1 %2").arg(number++).arg(window->windowTitle()));
        action->setCheckable(true);
        action->setChecked(window == mdiArea_->currentSubWindow());
        connect(action, &QAction::triggered, this, [this, window] {
            if (window->isMinimized()) window->showNormal();
            mdiArea_->setActiveSubWindow(window);
        });
        windowListActions_.append(action);
    }
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
    if (TMDIChild* child = activeChild()) child->applyColouring();
}

void TMainForm::loadGradient() {
    FileRequest request;
    request.caption = QStringLiteral("Load Gradient");
    request.subject = FileRequest::Subject::kGradients;
    request.filters = QStringList{QStringLiteral("GIMP gradients (*.ggr)")};
    const std::optional<FileChoice> choice = chooseFile(parts_.colouring, request);
    if (!choice) return;
    // Read now, so that a bad file is reported before anything uses it.
    if (const Result<Gradient> gradient = ReadGgr(choice->path.toStdString()); !gradient) {
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
}

void TMainForm::UpdateParameters() {
    if (TMDIChild* child = activeChild()) {
        child->Parameters1Update();
        child->colouringUpdate();
    }
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
        child->stopDrawing();
        child->cancelSearch();
    }
    parts_.engine->StopCurrent();
    remember(kFrameGeometryKey, saveGeometry());
    if (toolWindowPlacer_) toolWindowPlacer_->rememberPlaces();
    event->accept();
    QApplication::quit();
}

}  // namespace zephyrin
