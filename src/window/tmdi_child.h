#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QMdiSubWindow>
#include <QString>
#include <array>
#include <atomic>
#include <memory>
#include <thread>

#include "engine/batch/counts_drawing.h"
#include "engine/colouring/density_colour.h"
#include "engine/core/engine.h"
#include "engine/core/fractal_rec.h"
#include "engine/explore/attractor_search.h"
#include "engine/file/picture_history.h"
#include "util/iteration_meter.h"
#include "window/program_parts.h"

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QTimer;

namespace zephyrin {

class OneShotTimer;
class Picture;
class PictureView;

// One picture window: its record, the picture the engine paints into, the
// hit counters and effect switches (through EngineHost), the menus that
// restart the drawing, the picture view with its selection and the status
// bar. Nothing starts from the constructor: the first tick of Timer1, 500 ms
// later, sets the window up and starts its first drawing.
//
// The implementation is split by subject, one mdi_child_*.cpp file each:
// lifecycle, drawing runs, menus, zoom and mouse, picture size, reduction,
// clipboard, parameter file, saving and the dialog bridge.
class TMDIChild : public QMdiSubWindow, public EngineHost {
    Q_OBJECT

public:
    // Deeper than this, a new drawing first lets the running ones end.
    static constexpr int kMaxNesting = 64;

    TMDIChild(const ProgramParts& parts, QWidget* parent = nullptr);
    ~TMDIChild() override;

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
    // Stops the drawing: the engine's at its next iteration, one on the
    // drawing threads at once.
    void stopDrawing();
    // The iterations of the drawing, and their rate while it draws, as the
    // frame's status bar shows them for the active window.
    QString progressText() const;

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

    // Clipboard and anti-aliasing.
    void Copy1Click();
    void requestReduction(int factor);
    void carryOutReduction();
    int pendingReduction() const { return pendingReduction_; }

    // Files.
    bool LoadFromParameterFile(const QString& path);
    // Reads a parameter file into the record, showing its complaints, without
    // drawing; false when the file cannot be read at all.
    bool readParameters(const QString& path);
    // The decoded image a window opened by File > Open shows at its set-up.
    void setOpenedImage(QImage image);
    // The parameter file a new window draws at its set-up instead of a
    // random start.
    void setParameterFileToLoad(const QString& path) { parameterFileToLoad_ = path; }
    // Parameter file text (pasted, or a gallery's tile) a new window draws at
    // its set-up, its complaints captioned with `caption`.
    void setParameterTextToLoad(const QString& text, const QString& caption);
    // Edit > Copy Parameters: the parameter file's text onto the clipboard.
    void copyParameters();
    void SaveAs1Click();
    static QStringList saveFilters();
    static QString parameterFilePathFor(const QString& picturePath);
    QString proposedSaveName() const;

    // Picture size.
    void Resolution();
    void sizeItemClick(int width, int height);
    void CustomSize1Click();
    void PGImage1NewAutoSize(int pictureWidth, int pictureHeight);
    // The window's outer size that shows its whole picture.
    QSize wholePictureSize() const;

    // Back and forward through the window's pictures, and zooming out.
    void undo();
    void redo();
    bool canUndo() const { return history_.CanUndo(); }
    bool canRedo() const { return history_.CanRedo(); }
    // Zooms by 1.25 per notch about the point under the pointer; a burst of
    // notches makes one new drawing, shortly after the last.
    void wheelZoom(double notches, int x, int y);
    void zoomOut();
    static constexpr double kWheelNotchZoom = 1.25;

    // Find Attractor: random starts of the formula judged on a worker
    // thread, so the window stays responsive; the one found is framed and
    // drawn. Stop (cancelSearch) ends the search at once.
    // A window's first search draws its random start when nothing is found;
    // a search asked for says so instead.
    enum class SearchFailure { kSay, kDrawRandomStart };
    void findAttractor(SearchFailure onFailure = SearchFailure::kSay);
    void cancelSearch();
    bool searching() const { return search_.joinable(); }
    // Fit View: frames the orbit of the record as it stands and redraws.
    void fitView();

    // Density colouring: Effects > Density Colouring switches it, the
    // Colouring tool window (through applyColouring) sets it.
    void toggleDensityColouring();
    void applyColouring();
    void colouringUpdate();
    void colouringDialogClick();
    const DensitySettings& density() const { return density_; }
    // Whether the picture comes from a drawing of the threads, whose counts
    // the window keeps beside the engine's hit list.
    bool countsByRow() const { return countsByRow_; }
    // The counts the picture shows: the threads' drawing's, or the engine's
    // hit list laid out as they are.
    CountGrid counts() const;
    // The drawing on the threads, while one runs.
    const CountsDrawing* threadsDrawing() const { return drawing_; }

    // Dialog bridge.
    void ApplyParameters();
    void UpdateCoefficiants();
    void Parameters1Update();
    void Parameters1Click();
    void ConstantsDialog1Click();

    // EngineHost: the engine calls out through these.
    void UpdateParameters() override;
    void ProcessMessages() override;

    TFractalRec v;
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

    // Finds a menu item by its object name (Draw63, Modulas, Zoom1, ...).
    QAction* item(const QString& objectName) const;
    // The menu item of a formula number; nullptr for numbers without one.
    QAction* formulaItem(int number) const;

signals:
    // At every refresh of a drawing, and as it starts and ends.
    void progressChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createComponents();
    void createMenus();
    QMenu* addMenu(const char* objectName, const QString& caption);
    QAction* addItem(QMenu* menu, const char* objectName, const QString& caption);
    void addSizeItems(QMenu* menu);
    void addAntiAliasItems(QMenu* menu);
    bool writeParameterFileBeside(const QString& picturePath);
    bool takeParameterText(const std::string& text, const QString& caption, const QString& folder);
    bool setUpOpenedImage();
    void connectView();
    void setClientSize(const QSize& client);
    void showPicture(std::unique_ptr<Picture> picture);
    void newHitList();
    void enableTimer2();
    QString busyCaption() const;
    void showReadOut();
    void takeProgress();
    QSize shownPictureSize() const;
    void recordHistory();
    void showPictureOf(const PictureState& state);
    PictureState dialogValues() const;
    void noteDialogApplication();
    void finishSearch(const TFractalRec& found, const Result<SearchResult>& result);
    void refreshPicture();
    // A drawing that goes on (`goingOn`) takes up the counts of the one just
    // ended, which drew the other way.
    void drawOnEngine(bool goingOn);
    void drawOnThreads(bool goingOn);
    void takeCounts(const CountsDrawing& drawing);
    // A drawing thread failed: the drawing ends and the window says why.
    void drawingFailed();
    // Hides a visible tool window, or loads it with `load` and shows it.
    void toggleToolWindow(QWidget* tool, void (TMDIChild::*load)());
    void sizeUpdate();
    bool hasCounts() const;
    void recolour();
    // The classic picture of the counts, as the engine would have painted it.
    void colourClassically();
    void switchDensityColouring(bool on);
    // An undone or redone colouring: the counts coloured anew, the drawing going on.
    void restoreColouring(const DensitySettings& colouring);
    bool useGradient();
    const CountGrid& shownCounts(CountGrid& scratch) const;
    std::string parameterText(char separator) const;

    ProgramParts parts_;
    QList<QMenu*> menuBarMenus_;
    int pendingReduction_ = 0;  // factor of a requested reduction
    int drawingsRunning_ = 0;   // this window's UpdateGrafX calls on the stack
    bool closed_ = false;       // closed by the user and not restored since
    QSize viewSizeForPicture_;  // what the view last asked for to show its picture
    QImage openedImage_;        // until the set-up shows it
    QString parameterFileToLoad_;
    QString parameterTextToLoad_;
    QString parameterTextCaption_;
    int saveFilterIndex_ = 0;  // the save dialog's entry used last
    PictureHistory history_;
    PictureState dialogsAsLoaded_;  // what the dialogs showed after this window last loaded them
    OneShotTimer* wheelTimer_ = nullptr;
    std::atomic<bool> searchCancel_{false};
    std::thread search_;  // joined when its result is taken, or with the window
    SearchFailure searchFailure_ = SearchFailure::kSay;
    DensitySettings density_;
    Gradient densityGradient_;
    Picture16 densityPicture_;  // kept from refresh to refresh
    // Block x block pixels of the counts make one of the picture shown: the
    // reductions made since the drawing started.
    int reductionBlock_ = 1;
    bool countsByRow_ = false;
    CountGrid counts_;                  // of the threads' drawing
    CountsDrawing* drawing_ = nullptr;  // owned by drawOnThreads while it runs
    // Switched to the other colouring during a drawing: the threads take over
    // from the engine's counts, or the engine from the threads', once the
    // running loop has seen the stop.
    bool handOver_ = false;
    std::int32_t iterationsBefore_ = 0;  // the engine's, when the threads took over
    QTimer* stopWatch_ = nullptr;        // ends the threads' drawing when stop is set
    IterationMeter meter_;
    QElapsedTimer clock_;  // of the meter's readings
};

// The density settings new windows start with, and remembering them.
DensitySettings rememberedDensityDefaults();
void rememberDensityDefaults(const DensitySettings& density);

}  // namespace zephyrin
