#pragma once

#include <QImage>
#include <QMdiSubWindow>
#include <QString>
#include <array>
#include <memory>

#include "engine/file/picture_history.h"
#include "window/picture_display.h"
#include "window/picture_document.h"
#include "window/program_parts.h"
#include "window/window_start.h"

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QTimer;

namespace zephyrin {

class OneShotTimer;
class Picture;
class PictureView;

// One picture window: the frame around a picture document, with the menus
// that restart its drawing, the picture view with its selection and the
// status bar. Nothing starts from the constructor: the first tick of Timer1,
// 500 ms later, sets the window up and starts its first drawing.
//
// The implementation is split by subject, one mdi_child_*.cpp file each:
// lifecycle, drawing runs, menus, zoom and mouse, picture size, reduction,
// clipboard, parameter file, saving, colouring and the dialog bridge.
class TMDIChild : public QMdiSubWindow, private PictureDisplay {
    Q_OBJECT

public:
    TMDIChild(const ProgramParts& parts, QWidget* parent = nullptr, WindowStart start = {});
    ~TMDIChild() override;

    PictureDocument& document() { return *document_; }
    const PictureDocument& document() const { return *document_; }
    // The window's menus, in menu-bar order, for the frame to merge.
    const QList<QMenu*>& menuBarMenus() const { return menuBarMenus_; }

    // Lifecycle.
    void Timer1Timer();
    void FormPaint();

    // Drawing runs.
    void UpdateGrafX();
    void TypeFractal();
    void CreateTList();
    void Timer2Timer();

    // Menus.
    void DrawClick(int formula);
    void ModulasClick();
    void ExpansionClick();
    void ColorMixClick();
    void SqrtFilter1Click();
    void UpdateMenuItems();

    // Zoom and mouse.
    void PGImage1PicBoxOnMouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void PGImage1PicBoxOnMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void PGImage1PicBoxOnMouseUp();
    void PGImage1PicBoxOnDblClick();
    void Zoom1Click();
    void ClearRectangle1Click();
    // A notch of the wheel zooms by this about the point under the pointer.
    static constexpr double kWheelNotchZoom = 1.25;

    // Clipboard and anti-aliasing.
    void Copy1Click();

    // Files.
    bool LoadFromParameterFile(const QString& path);
    void SaveAs1Click();

    // Picture size.
    void Resolution();
    void CustomSize1Click();
    void PGImage1NewAutoSize(int pictureWidth, int pictureHeight);
    // The window's outer size that shows its whole picture.
    QSize wholePictureSize() const;

    // Dialog bridge; the Colouring tool window sets the document's colouring
    // itself.
    void ApplyParameters();
    void UpdateCoefficiants();
    void Parameters1Update();
    void Parameters1Click();
    void ConstantsDialog1Click();

    QString pictureName;
    Flag setupPending = kTrue;
    double xPerPixel = 0;
    double yPerPixel = 0;
    Qt::MouseButtons lastButtons;
    Qt::KeyboardModifiers lastModifiers;
    double cursorX = 0;
    double cursorY = 0;

    // Components, named as the window's design names them.
    PictureView* PGImage1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    std::array<QLabel*, 3> statusPanels{};
    OneShotTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QMenu* PopupMenu1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private slots:
    // Drawing > Continue, asked of the document: the stopped drawing goes on.
    void continueDrawing();

private:
    void runDrawing(PictureDocument::DrawingStart start);
    bool setUpOpenedCounts();
    Picture* shownPicture() const override;
    void setShownPicture(std::unique_ptr<Picture> picture) override;

    // A burst of wheel notches makes one new drawing, shortly after the last.
    void wheelZoom(double notches, int x, int y);
    void zoomOut();
    // Filed by the Anti-Alias items, carried out by the next Timer1 tick.
    void requestReduction(int factor);
    void carryOutReduction();
    // Edit > Copy Parameters: the parameter file's text onto the clipboard.
    void copyParameters();
    void sizeItemClick(int width, int height);

    void createComponents();
    void connectDocument();
    void createMenus();
    void createEffectsMenu();
    void createEditMenu();
    QMenu* addMenu(const char* objectName, const QString& caption);
    QAction* addItem(QMenu* menu, const char* objectName, const QString& caption);
    void addSizeItems(QMenu* menu);
    void addAntiAliasItems(QMenu* menu);
    void addColouringItems(QMenu* menu);
    // A colouring item's choice: its mode, or the classic colouring back
    // when its mode is on.
    void chooseColouring(ColouringMode mode);
    bool writeParameterFileBeside(const QString& picturePath);
    bool setUpOpenedImage();
    void takeOpenedImagesParameters();
    void connectView();
    void setClientSize(const QSize& client);
    void enableTimer2();
    QString busyCaption() const;
    void showReadOut();
    QSize shownPictureSize() const;
    PictureState dialogValues() const;
    void noteDialogApplication();
    void colouringDialogClick();
    // The document's colouring into the Colouring tool window.
    void colouringUpdate();
    // Hides a visible tool window, or loads it with `load` and shows it.
    void toggleToolWindow(QWidget* tool, void (TMDIChild::*load)());
    void sizeUpdate();

    FrameServices* frame_ = nullptr;
    TForm4* form4_ = nullptr;
    TCForm* cform_ = nullptr;
    TXYSize* xySize_ = nullptr;
    ColouringDialog* colouringDialog_ = nullptr;
    std::unique_ptr<PictureDocument> document_;  // goes before the view it shows its picture in
    QList<QMenu*> menuBarMenus_;
    int pendingReduction_ = 0;      // factor of a requested reduction
    QSize viewSizeForPicture_;      // what the view last asked for to show its picture
    WindowStart start_;             // until the set-up uses it
    int saveFilterIndex_ = 0;       // the save dialog's entry used last
    PictureState dialogsAsLoaded_;  // what the dialogs showed after this window last loaded them
    OneShotTimer* wheelTimer_ = nullptr;

    // Menu items, named as the window's design names them; formulaItems_ is
    // indexed by formula number (nullptr for numbers without a formula).
    std::array<QAction*, 76> formulaItems_{};
    QAction* Modulas = nullptr;
    QAction* Expansion = nullptr;
    QAction* ColorMix = nullptr;
    QAction* SqrtFilter1 = nullptr;
    // By mode, in kColouringModes' order; none for the classic colouring.
    std::array<QAction*, kColouringModes.size()> colouringItems_{};
    QAction* Undo = nullptr;
    QAction* Redo = nullptr;
};

}  // namespace zephyrin
