#pragma once

#include <QMainWindow>
#include <QPointer>

#include "window/program_parts.h"
#include "window/window_start.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace zephyrin {

class AnimationWindow;
class GalleryWindow;
class OneShotTimer;
class OrbitMeasurer;
class TAboutBox;
class ToolWindowPlacer;
class TMDIChild;

// The main window: a multiple-document area of picture windows, the File,
// Window and Help menus with the active window's menus merged between File
// and Window, the tool bar on the right edge and the deferred restart timer.
// Every command acts on the window active at the moment it runs and does
// nothing when there is none.
class TMainForm : public QMainWindow, public FrameServices {
    Q_OBJECT

public:
    // parts.frame is set to this form; the dialogs may be added later with
    // setDialogs, as they are created after the frame.
    TMainForm(const ProgramParts& parts, QWidget* parent = nullptr);
    ~TMainForm() override;

    void setAboutBox(TAboutBox* aboutBox) { aboutBox_ = aboutBox; }
    // Told where the tool windows are when the frame closes.
    void setToolWindowPlacer(ToolWindowPlacer* placer) { toolWindowPlacer_ = placer; }
    void setDialogs(TXYSize* xySize, TForm4* form4, TCForm* cform);
    void setColouringDialog(ColouringDialog* colouring);

    TMDIChild* activeChild() const;
    QList<TMDIChild*> attractorWindows() const;
    QMdiArea* mdiArea() const { return mdiArea_; }
    OneShotTimer* Timer1() const { return timer1_; }
    QAction* item(const QString& objectName) const;
    QToolBar* toolBar() const { return toolBar_; }

    // Commands.
    void FileNewItemClick();
    void FileOpenItemClick();
    // Opens the image at `path` in a new window, or says why it cannot.
    TMDIChild* openImage(const QString& path);
    // Opens files named on the command line, each in a window of its own:
    // parameter files as Load from parameter file draws them, anything else
    // as an image. Files that cannot be read are reported and skipped. With
    // one window opened, the program makes no new window of its own.
    void openFiles(const QStringList& paths);
    // The Open dialog's filters: every format the program saves.
    static QStringList openFilters();
    void FileSaveAsItemClick();
    void Loadfromparameterfile1Click();
    void FileCloseItemClick();
    void FileExitItemClick();
    void WindowCascadeItemClick();
    void WindowTileItemClick();
    void WindowArrangeItemClick();
    void WindowMinimizeItemClick();
    void HelpAboutItemClick();
    void StopButtonClick();
    void ResetButtonClick();
    void DrawRandomClick();
    void ApplyButtonClick();
    void ParmatersButtonClick();
    void findAttractorClick();
    void fitViewClick();
    // Drawing > Gallery: shows the gallery, set to the active window's formula.
    void galleryClick();
    GalleryWindow* gallery() const { return gallery_; }
    // Drawing > Animation: shows the animation window.
    void animationClick();
    AnimationWindow* animation() const { return animation_; }
    // A new picture window that draws the parameter file `text`.
    TMDIChild* openParameterText(const QString& text, const QString& caption);

    // Services of the dialogs, each forwarded to the active window.
    void UpdateColors();
    void updateColouring();
    void loadGradient();
    void UpdateCoefficiants();
    void TP01();

    void Timer1Timer();
    void UpdateMenuItems();

    // FrameServices.
    void UpdateParameters() override;
    QSize frameClientSize() const override;
    void pasteParameters() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    // Drawing > Continue and File > Save Counts... of the active window.
    void Continue1Click();
    void SaveCounts1Click();

private:
    // A counts file in a new window, which shows its picture and can go on with it.
    TMDIChild* openCounts(const QString& path);
    // Continue and Save Counts follow what the active window's counts allow.
    void updateCountsItems();
    void createMenus();
    void createToolBar();
    TMDIChild* CreateAttractorWindow(const QString& name, WindowStart start = {});
    QPoint cascadedCorner() const;
    void mergeMenus(QMdiSubWindow* active);
    void fillWindowList();
    // The active window's iterations and rate, in the status bar.
    void showProgress();
    // The active window's L, D2 and score, measured off this thread.
    void createMeasures();
    void measureActive();

    ProgramParts parts_;
    QMdiArea* mdiArea_ = nullptr;
    OneShotTimer* timer1_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QMenu* drawingMenu_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QLabel* progress_ = nullptr;
    QLabel* countsHeld_ = nullptr;
    QAction* Continue1 = nullptr;
    QAction* SaveCounts1 = nullptr;
    QLabel* measures_ = nullptr;
    OrbitMeasurer* measurer_ = nullptr;
    GalleryWindow* gallery_ = nullptr;
    AnimationWindow* animation_ = nullptr;
    QList<QAction*> windowListActions_;
    QList<QAction*> mergedMenus_;
    QPointer<TMDIChild> mergedChild_;
    QPointer<TMDIChild> lastCreated_;
    TAboutBox* aboutBox_ = nullptr;
    ToolWindowPlacer* toolWindowPlacer_ = nullptr;
    int windowsCreated_ = 0;
};

}  // namespace zephyrin
