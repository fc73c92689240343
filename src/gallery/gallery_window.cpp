#include "gallery/gallery_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <random>

#include "engine/colouring/density_gradient.h"
#include "gallery/favourites.h"
#include "gallery/gallery_finder.h"
#include "gallery/gallery_jobs.h"
#include "gallery/tile_drawer.h"
#include "gallery/tile_view.h"
#include "imaging/embedded_parameters.h"
#include "services/file_choosers.h"
#include "services/settings.h"

namespace zephyrin {

namespace {

// Back goes this many grids back; older ones are forgotten.
constexpr std::size_t kMostPages = 20;

std::uint64_t freshSeed() {
    std::random_device device;
    return std::uint64_t{device()} << 32 | device();
}

}  // namespace

GalleryWindow::GalleryWindow(ThreadPool& pool, QWidget* parent)
    : QWidget(parent, Qt::Window),
      finder_(new GalleryFinder(pool, this)),
      drawer_(new TileDrawer(pool, this)) {
    setObjectName(QStringLiteral("Gallery"));
    setWindowTitle(QStringLiteral("Gallery"));
    // The colouring the user chose last for density pictures.
    density_.mode = ColouringMode::kDensity;
    density_.gradient =
        rememberedValue(kGradientKey, QString::fromStdString(density_.gradient)).toString().toStdString();
    Result<Gradient> gradient = TakeGradient(density_);
    if (!gradient) {
        density_ = DensitySettings{};
        density_.mode = ColouringMode::kDensity;
        gradient = TakeGradient(density_);
    }
    drawer_->setColouring(density_, gradient ? *gradient : Gradient());

    auto* area = new QScrollArea(this);
    auto* gridHolder = new QWidget(area);
    grid_ = new QGridLayout(gridHolder);
    grid_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    area->setWidget(gridHolder);
    area->setWidgetResizable(true);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("GalleryStatus"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(createControls());
    layout->addWidget(createFilterControls());
    layout->addWidget(area, 1);
    layout->addWidget(status_);

    connect(finder_, &GalleryFinder::found, this, &GalleryWindow::takeFound);
    connect(finder_, &GalleryFinder::finished, this, &GalleryWindow::searchFinished);
    connect(drawer_, &TileDrawer::drawn, this, &GalleryWindow::takeDrawn);
    pages_.emplace_back();
    layOut();
    resize(4 * (kTileWidth + 16) + 40, 4 * (kTileHeight + 48) + 120);
}

GalleryWindow::~GalleryWindow() {
    stop();
}

void GalleryWindow::setFormula(int formula) {
    const int index = formula_->findData(formula);
    if (index >= 0) formula_->setCurrentIndex(index);
}

const std::vector<GalleryEntry>& GalleryWindow::entries() const {
    return pages_.back().entries;
}

std::vector<int> GalleryWindow::shown() const {
    std::vector<int> order = shownEntries(entries(), filter());
    if (static_cast<int>(order.size()) > capacity()) order.resize(static_cast<std::size_t>(capacity()));
    return order;
}

bool GalleryWindow::busy() const {
    return finder_->running() || drawer_->pending() > 0;
}

int GalleryWindow::capacity() const {
    return rows_->value() * columns_->value();
}

GalleryFilter GalleryWindow::filter() const {
    GalleryFilter chosen;
    chosen.order = static_cast<GalleryOrder>(order_->currentData().toInt());
    if (lyapunovBand_->isChecked()) chosen.lyapunov = Band{lyapunovLow_->value(), lyapunovHigh_->value()};
    if (dimensionBand_->isChecked()) chosen.dimension = Band{dimensionLow_->value(), dimensionHigh_->value()};
    return chosen;
}

GalleryOptions GalleryWindow::searchOptions() const {
    const GalleryFilter bands = filter();
    return GalleryOptions{.tiles = capacity(),
                          .keepQuasiPeriodic = quasiPeriodic_->isChecked(),
                          .lyapunovBand = bands.lyapunov,
                          .dimensionBand = bands.dimension};
}

void GalleryWindow::find() {
    const int formula = formula_->currentData().toInt();
    std::vector<std::int32_t> formulas =
        formula == 0 ? GalleryFormulas() : std::vector<std::int32_t>{formula};
    startPage();
    status_->setText(QStringLiteral("Searching..."));
    finder_->start(galleryJob(std::move(formulas), searchOptions(), freshSeed()));
    updateButtons();
}

void GalleryWindow::moreLikeThis() {
    const Page& page = pages_.back();
    if (page.selected < 0) return;
    const GalleryEntry original = page.entries[static_cast<std::size_t>(page.selected)];
    startPage();
    status_->setText(
        QStringLiteral("Searching for variations of formula %1...").arg(original.record.formula));
    finder_->start(variationsJob(original, amount_->value(), searchOptions(), freshSeed()));
    updateButtons();
}

void GalleryWindow::showFavourites() {
    const QString folder = favouritesFolder(true);
    if (folder.isEmpty()) return;
    startPage();
    status_->setText(QStringLiteral("Reading the favourites..."));
    finder_->start(favouritesJob(folder));
    updateButtons();
}

void GalleryWindow::back() {
    if (pages_.size() < 2) return;
    stop();
    pages_.pop_back();
    // Tiles the grid was still drawing when it was left.
    drawMissing();
    layOut();
}

void GalleryWindow::stop() {
    finder_->stop();
    drawer_->stop();
    updateButtons();
}

void GalleryWindow::startPage() {
    stop();
    if (pages_.back().entries.empty())
        pages_.back() = Page{};
    else
        pages_.emplace_back();
    if (pages_.size() > kMostPages) pages_.erase(pages_.begin());
    layOut();
}

void GalleryWindow::takeFound(const GalleryEntry& entry) {
    std::vector<GalleryEntry>& found = pages_.back().entries;
    found.push_back(entry);
    if (entry.picture.isNull()) drawer_->draw(static_cast<int>(found.size()) - 1, entry);
    layOut();
}

void GalleryWindow::takeDrawn(int id, const QImage& picture) {
    std::vector<GalleryEntry>& found = pages_.back().entries;
    if (id < 0 || id >= static_cast<int>(found.size())) return;
    found[static_cast<std::size_t>(id)].picture = picture;
    layOut();
    updateButtons();
}

void GalleryWindow::searchFinished(const QString& summary) {
    status_->setText(summary);
    updateButtons();
}

void GalleryWindow::drawMissing() {
    const std::vector<GalleryEntry>& found = pages_.back().entries;
    for (std::size_t i = 0; i < found.size(); ++i)
        if (found[i].picture.isNull()) drawer_->draw(static_cast<int>(i), found[i]);
}

void GalleryWindow::layOut() {
    if (!grid_) return;
    const std::size_t cells = static_cast<std::size_t>(capacity());
    while (tiles_.size() < cells) {
        auto* view = new TileView(grid_->parentWidget());
        const int position = static_cast<int>(tiles_.size());
        connect(view, &TileView::clicked, this, [this, position] { selectTile(position); });
        connect(view, &TileView::opened, this, [this, position] { openTile(position); });
        connect(view, &TileView::starClicked, this, [this, position] { starTile(position); });
        tiles_.push_back(view);
    }
    while (tiles_.size() > cells) {
        delete tiles_.back();
        tiles_.pop_back();
    }
    const std::vector<int> order = shown();
    const Page& page = pages_.back();
    for (std::size_t position = 0; position < tiles_.size(); ++position) {
        TileView* view = tiles_[position];
        grid_->removeWidget(view);
        const int column = static_cast<int>(position) % columns_->value();
        grid_->addWidget(view, static_cast<int>(position) / columns_->value(), column);
        const bool used = position < order.size();
        view->setVisible(used);
        if (!used) continue;
        const GalleryEntry& entry = page.entries[static_cast<std::size_t>(order[position])];
        view->showEntry(entry);
        view->setSelected(order[position] == page.selected);
        view->setStarred(!entry.file.isEmpty());
    }
    updateButtons();
}

void GalleryWindow::updateButtons() {
    if (!stopButton_) return;
    stopButton_->setEnabled(busy());
    moreButton_->setEnabled(pages_.back().selected >= 0);
    backButton_->setEnabled(pages_.size() > 1);
}

TileView* GalleryWindow::tile(int position) const {
    return position >= 0 && position < static_cast<int>(tiles_.size())
               ? tiles_[static_cast<std::size_t>(position)]
               : nullptr;
}

void GalleryWindow::selectTile(int position) {
    const std::vector<int> order = shown();
    if (position < 0 || position >= static_cast<int>(order.size())) return;
    pages_.back().selected = order[static_cast<std::size_t>(position)];
    layOut();
}

void GalleryWindow::openTile(int position) {
    const std::vector<int> order = shown();
    if (position < 0 || position >= static_cast<int>(order.size())) return;
    const GalleryEntry& entry =
        entries()[static_cast<std::size_t>(order[static_cast<std::size_t>(position)])];
    emit openParameters(
        QString::fromStdString(parametersOf(entry)),
        entry.file.isEmpty() ? QStringLiteral("Gallery, formula %1").arg(entry.record.formula) : entry.file);
}

std::string GalleryWindow::parametersOf(const GalleryEntry& entry) const {
    // A favourite as its file has it, in the colouring it was kept with.
    if (!entry.file.isEmpty())
        if (const Result<std::string> kept = ReadEmbeddedParameters(entry.file.toStdString())) return *kept;
    return entryParameters(entry, density_);
}

std::optional<std::string> GalleryWindow::selectedParameters() const {
    const Page& page = pages_.back();
    if (page.selected < 0) return std::nullopt;
    return parametersOf(page.entries[static_cast<std::size_t>(page.selected)]);
}

void GalleryWindow::starTile(int position) {
    const std::vector<int> order = shown();
    if (position < 0 || position >= static_cast<int>(order.size())) return;
    GalleryEntry& entry =
        pages_.back().entries[static_cast<std::size_t>(order[static_cast<std::size_t>(position)])];
    if (entry.file.isEmpty()) {
        const QString folder = favouritesFolder(true);
        if (!folder.isEmpty()) {
            const Result<QString> kept = saveFavourite(folder, entry, density_);
            if (kept) entry.file = *kept;
            status_->setText(kept ? QStringLiteral("Kept as %1").arg(*kept)
                                  : QString::fromStdString(kept.error()));
        }
    }
    layOut();
}

QString GalleryWindow::favouritesFolder(bool ask) {
    const QString remembered = rememberedValue(kFavouritesFolderKey, QString()).toString();
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir()) return remembered;
    if (!ask) return {};
    FileRequest request;
    request.kind = FileRequest::Kind::kFolder;
    request.caption = QStringLiteral("Folder for the favourites");
    const std::optional<FileChoice> choice = chooseFile(this, request);
    if (!choice) return {};
    remember(kFavouritesFolderKey, choice->path);
    return choice->path;
}

void GalleryWindow::closeEvent(QCloseEvent* event) {
    stop();
    QWidget::closeEvent(event);
}

}  // namespace zephyrin
