#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "engine/colouring/density_settings.h"
#include "gallery/gallery_entry.h"
#include "gallery/gallery_order.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QSpinBox;

namespace zephyrin {

class GalleryFinder;
class ThreadPool;
class TileDrawer;
class TileView;

// Drawing > Gallery: a grid of attractors found for a formula, or for any,
// drawn on the program's drawing pool as they are found and measured; sorted
// and kept to bands of their measures; More Like This fills the grid with
// variations of the selected tile and Back returns to the grid before; a
// star keeps a tile as a favourite in a folder chosen once.
class GalleryWindow : public QWidget {
    Q_OBJECT

public:
    explicit GalleryWindow(ThreadPool& pool, QWidget* parent = nullptr);
    ~GalleryWindow() override;

    // The formula chosen when the gallery opens: the active window's.
    void setFormula(int formula);

    void find();
    void moreLikeThis();
    void back();
    void showFavourites();
    // Ends the search and the tiles' drawings at once.
    void stop();

    // The grid: the entries of the page shown, their order in the grid.
    const std::vector<GalleryEntry>& entries() const;
    std::vector<int> shown() const;
    int pages() const { return static_cast<int>(pages_.size()); }
    bool busy() const;
    TileView* tile(int position) const;
    void selectTile(int position);
    void openTile(int position);
    // The selected tile's parameter text, as Open draws it; none without a selected tile.
    std::optional<std::string> selectedParameters() const;
    void starTile(int position);

signals:
    // A picture window is to draw the parameter file `text`.
    void openParameters(const QString& text, const QString& caption);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Page {
        std::vector<GalleryEntry> entries;
        int selected = -1;  // an index of entries
    };
    std::string parametersOf(const GalleryEntry& entry) const;
    QWidget* createControls();
    QWidget* createFilterControls();
    GalleryFilter filter() const;
    GalleryOptions searchOptions() const;
    int capacity() const;
    void startPage();
    void takeFound(const GalleryEntry& entry);
    void takeDrawn(int id, const QImage& picture);
    void searchFinished(const QString& summary);
    void drawMissing();
    void layOut();
    void updateButtons();
    // The remembered folder; or, with `ask`, one the user chooses now.
    QString favouritesFolder(bool ask);

    std::vector<Page> pages_;
    DensitySettings density_;
    GalleryFinder* finder_;
    TileDrawer* drawer_;
    std::vector<TileView*> tiles_;
    QGridLayout* grid_ = nullptr;
    QComboBox* formula_ = nullptr;
    QSpinBox* rows_ = nullptr;
    QSpinBox* columns_ = nullptr;
    QComboBox* order_ = nullptr;
    QCheckBox* lyapunovBand_ = nullptr;
    QDoubleSpinBox* lyapunovLow_ = nullptr;
    QDoubleSpinBox* lyapunovHigh_ = nullptr;
    QCheckBox* dimensionBand_ = nullptr;
    QDoubleSpinBox* dimensionLow_ = nullptr;
    QDoubleSpinBox* dimensionHigh_ = nullptr;
    QCheckBox* quasiPeriodic_ = nullptr;
    QDoubleSpinBox* amount_ = nullptr;
    QPushButton* findButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QPushButton* moreButton_ = nullptr;
    QPushButton* backButton_ = nullptr;
    QPushButton* favouritesButton_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace zephyrin
