// The frame's menus and its tool bar, whose commands the Drawing menu also
// lists with their keys.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "frame/main_form.h"
#include "frame/tool_bar_icons.h"
#include "services/settings.h"

namespace zephyrin {

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
    using Keys = QList<QKeySequence>;
    const auto standard = [](QKeySequence::StandardKey key) { return QKeySequence::keyBindings(key); };
    const struct {
        const char* name;  // nullptr: the separator
        const char* caption;
        const char* hint;
        void (TMainForm::*handler)();
        Keys keys;
    } fileItems[] = {
        {"FileNewItem", "&New", "Create a new file", &TMainForm::FileNewItemClick,
         standard(QKeySequence::New)},
        {"FileOpenItem", "&Open", "Open an existing file", &TMainForm::FileOpenItemClick,
         standard(QKeySequence::Open)},
        {"FileCloseItem", "&Close", "Close current file", &TMainForm::FileCloseItemClick,
         standard(QKeySequence::Close)},
        {"FileSaveAsItem", "Save &As...", "Save current file as...", &TMainForm::FileSaveAsItemClick,
         Keys{QKeySequence(Qt::CTRL | Qt::Key_S)}},
        {"SaveCounts1", "Save Co&unts...", "Save the drawing's counts, to recolour or continue it later",
         &TMainForm::SaveCounts1Click, Keys{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}},
        {"Loadfromparameterfile1",
         "Load from parameter file",
         "",
         &TMainForm::Loadfromparameterfile1Click,
         {}},
        {nullptr, "", "", nullptr, {}},
        {"FileExitItem", "E&xit", "Exit the application", &TMainForm::FileExitItemClick,
         standard(QKeySequence::Quit)},
    };
    for (const auto& item : fileItems) {
        if (!item.name) {
            fileMenu_->addSeparator()->setObjectName(QStringLiteral("N1"));
            continue;
        }
        QAction* action =
            addItem(fileMenu_, item.name, QString::fromLatin1(item.caption), QString::fromLatin1(item.hint));
        action->setShortcuts(item.keys);
        connect(action, &QAction::triggered, this, item.handler);
    }
    SaveCounts1 = item(QStringLiteral("SaveCounts1"));
    connect(fileMenu_, &QMenu::aboutToShow, this, &TMainForm::updateCountsItems);

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
    Continue1 = drawingMenu_->addAction(QStringLiteral("Continue"));
    Continue1->setObjectName(QStringLiteral("Continue1"));
    Continue1->setStatusTip(QStringLiteral("Go on with the stopped drawing, adding to its counts"));
    Continue1->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5));
    connect(Continue1, &QAction::triggered, this, &TMainForm::Continue1Click);
    connect(drawingMenu_, &QMenu::aboutToShow, this, &TMainForm::updateCountsItems);
    QAction* fitView = drawingMenu_->addAction(QStringLiteral("Fit View"));
    fitView->setObjectName(QStringLiteral("FitView"));
    fitView->setStatusTip(QStringLiteral("Frame the attractor so that it fills the picture"));
    fitView->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(fitView, &QAction::triggered, this, &TMainForm::fitViewClick);
    QAction* gallery = drawingMenu_->addAction(QStringLiteral("Gallery"));
    gallery->setObjectName(QStringLiteral("Gallery"));
    gallery->setStatusTip(QStringLiteral("Many attractors side by side, measured and ranked"));
    gallery->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    connect(gallery, &QAction::triggered, this, &TMainForm::galleryClick);
    QAction* animation = drawingMenu_->addAction(QStringLiteral("Animation"));
    animation->setObjectName(QStringLiteral("AnimationWindow"));
    animation->setStatusTip(
        QStringLiteral("Keyframes, a path through them, a preview and the frames rendered"));
    connect(animation, &QAction::triggered, this, &TMainForm::animationClick);
    drawingMenu_->addSeparator();
    QAction* findOnStart = drawingMenu_->addAction(QStringLiteral("Find Attractor in New Windows"));
    findOnStart->setObjectName(QStringLiteral("FindOnStart"));
    findOnStart->setStatusTip(
        QStringLiteral("New windows look for an attractor instead of drawing a random start"));
    findOnStart->setCheckable(true);
    findOnStart->setChecked(rememberedValue(kFindOnStartKey, true).toBool());
    connect(findOnStart, &QAction::toggled, this, [](bool on) { remember(kFindOnStartKey, on); });
}

}  // namespace zephyrin
