// The gallery's controls: what to find, how to sort and keep the tiles, and
// the grid's size.
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "engine/explore/gallery_search.h"
#include "gallery/gallery_window.h"

namespace zephyrin {

namespace {

QDoubleSpinBox* measureBox(const char* name, double low, double high, double value, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setDecimals(3);
    box->setSingleStep(0.05);
    box->setValue(value);
    return box;
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* made = new QPushButton(caption, parent);
    made->setObjectName(QString::fromLatin1(name));
    return made;
}

}  // namespace

QWidget* GalleryWindow::createControls() {
    auto* controls = new QWidget(this);
    auto* line = new QHBoxLayout(controls);
    line->setContentsMargins(0, 0, 0, 0);
    formula_ = new QComboBox(controls);
    formula_->setObjectName(QStringLiteral("Formula"));
    formula_->addItem(QStringLiteral("All formulas"), 0);
    for (const std::int32_t formula : GalleryFormulas())
        formula_->addItem(QStringLiteral("Formula %1").arg(formula), formula);
    findButton_ = button("Find", QStringLiteral("&Find"), controls);
    stopButton_ = button("Stop", QStringLiteral("&Stop"), controls);
    moreButton_ = button("MoreLikeThis", QStringLiteral("&More Like This"), controls);
    amount_ = measureBox("Amount", 0.01, 1.0, 0.1, controls);
    amount_->setDecimals(2);
    amount_->setToolTip(QStringLiteral("How far the variations move the coefficients, A and B"));
    backButton_ = button("Back", QStringLiteral("&Back"), controls);
    favouritesButton_ = button("Favourites", QStringLiteral("F&avourites"), controls);
    for (QWidget* widget : {static_cast<QWidget*>(formula_), static_cast<QWidget*>(findButton_),
                            static_cast<QWidget*>(stopButton_), static_cast<QWidget*>(moreButton_),
                            static_cast<QWidget*>(amount_), static_cast<QWidget*>(backButton_),
                            static_cast<QWidget*>(favouritesButton_)})
        line->addWidget(widget);
    line->addStretch(1);
    connect(findButton_, &QPushButton::clicked, this, &GalleryWindow::find);
    connect(stopButton_, &QPushButton::clicked, this, &GalleryWindow::stop);
    connect(moreButton_, &QPushButton::clicked, this, &GalleryWindow::moreLikeThis);
    connect(backButton_, &QPushButton::clicked, this, &GalleryWindow::back);
    connect(favouritesButton_, &QPushButton::clicked, this, &GalleryWindow::showFavourites);
    return controls;
}

QWidget* GalleryWindow::createFilterControls() {
    auto* controls = new QWidget(this);
    auto* line = new QHBoxLayout(controls);
    line->setContentsMargins(0, 0, 0, 0);
    auto spin = [controls](const char* name, int value) {
        auto* box = new QSpinBox(controls);
        box->setObjectName(QString::fromLatin1(name));
        box->setRange(1, 8);
        box->setValue(value);
        return box;
    };
    rows_ = spin("Rows", 4);
    columns_ = spin("Columns", 4);
    order_ = new QComboBox(controls);
    order_->setObjectName(QStringLiteral("Order"));
    order_->addItem(QStringLiteral("Score"), static_cast<int>(GalleryOrder::kScore));
    order_->addItem(QStringLiteral("L"), static_cast<int>(GalleryOrder::kLyapunov));
    order_->addItem(QStringLiteral("D2"), static_cast<int>(GalleryOrder::kDimension));
    lyapunovBand_ = new QCheckBox(QStringLiteral("L from"), controls);
    lyapunovBand_->setObjectName(QStringLiteral("LyapunovBand"));
    lyapunovLow_ = measureBox("LyapunovLow", -5, 5, 0.0, controls);
    lyapunovHigh_ = measureBox("LyapunovHigh", -5, 5, 0.3, controls);
    dimensionBand_ = new QCheckBox(QStringLiteral("D2 from"), controls);
    dimensionBand_->setObjectName(QStringLiteral("DimensionBand"));
    dimensionLow_ = measureBox("DimensionLow", 0, 2, 1.1, controls);
    dimensionHigh_ = measureBox("DimensionHigh", 0, 2, 1.5, controls);
    quasiPeriodic_ = new QCheckBox(QStringLiteral("Quasi-periodic"), controls);
    quasiPeriodic_->setObjectName(QStringLiteral("QuasiPeriodic"));
    quasiPeriodic_->setToolTip(QStringLiteral("Keep closed curves and tori too: L near 0, D2 at least 0.9"));
    line->addWidget(new QLabel(QStringLiteral("Rows"), controls));
    line->addWidget(rows_);
    line->addWidget(new QLabel(QStringLiteral("Columns"), controls));
    line->addWidget(columns_);
    line->addWidget(new QLabel(QStringLiteral("Sort by"), controls));
    line->addWidget(order_);
    for (QWidget* widget : {static_cast<QWidget*>(lyapunovBand_), static_cast<QWidget*>(lyapunovLow_),
                            static_cast<QWidget*>(lyapunovHigh_), static_cast<QWidget*>(dimensionBand_),
                            static_cast<QWidget*>(dimensionLow_), static_cast<QWidget*>(dimensionHigh_),
                            static_cast<QWidget*>(quasiPeriodic_)})
        line->addWidget(widget);
    line->addStretch(1);
    // The grid follows its settings at once; the search asks for a full grid.
    for (QSpinBox* box : {rows_, columns_})
        connect(box, &QSpinBox::valueChanged, this, &GalleryWindow::layOut);
    connect(order_, &QComboBox::currentIndexChanged, this, &GalleryWindow::layOut);
    for (QCheckBox* box : {lyapunovBand_, dimensionBand_})
        connect(box, &QCheckBox::toggled, this, &GalleryWindow::layOut);
    for (QDoubleSpinBox* box : {lyapunovLow_, lyapunovHigh_, dimensionLow_, dimensionHigh_})
        connect(box, &QDoubleSpinBox::valueChanged, this, &GalleryWindow::layOut);
    return controls;
}

}  // namespace zephyrin
