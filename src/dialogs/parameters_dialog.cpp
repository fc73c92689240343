#include "dialogs/parameters_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>
#include <vector>

#include "dialogs/design_layout.h"
#include "dialogs/gradient_panel.h"
#include "dialogs/settle_timer.h"
#include "dialogs/spin_edit.h"
#include "dialogs/tool_glyphs.h"

namespace zephyrin {

namespace {

const QColor kSilver(192, 192, 192);

QCheckBox* makeBox(QWidget* panel, const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption, panel);
    box->setObjectName(QLatin1String(name));
    box->setCursor(Qt::ArrowCursor);
    return box;
}

QSlider* makeBar(QWidget* panel, const char* name, int minimum, int maximum, const QColor& colour) {
    auto* bar = new QSlider(Qt::Horizontal, panel);
    bar->setObjectName(QLatin1String(name));
    bar->setRange(minimum, maximum);
    bar->setSingleStep(1);
    bar->setCursor(Qt::ArrowCursor);
    bar->setStyleSheet(
        QStringLiteral(
            "QSlider::groove:horizontal { height: 4px; background: %1; border: 1px solid #404040; }"
            "QSlider::handle:horizontal { width: 8px; margin: -6px 0; background: #f0f0f0;"
            " border: 1px solid #404040; border-radius: 2px; }")
            .arg(colour.name()));
    return bar;
}

// Shows an applied value; wide enough for the longest everyday one.
QLabel* makeValueLabel(QWidget* panel, const char* name, const QString& designText) {
    auto* label = new QLabel(designText, panel);
    label->setObjectName(QLatin1String(name));
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("-200.00")));
    return label;
}

SpinEdit* makeSpin(QWidget* panel, const char* name, double step) {
    auto* spin = new SpinEdit(9, step, panel);
    spin->setObjectName(QLatin1String(name));
    spin->setCursor(Qt::ArrowCursor);
    return spin;
}

QToolButton* addButton(QToolBar* bar, const char* name, const QString& hint, ToolGlyph glyph) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setIcon(toolGlyphIcon(glyph));
    button->setFixedSize(23, 22);
    button->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(button);
    return button;
}

// Where the design puts the variations' boxes, in its tab order: left, top
// and least width.
struct VariationCell {
    Variation id;
    int left, top, width;
};
constexpr VariationCell kVariationCells[] = {
    {Variation::kNone, 9, 216, 64},        {Variation::kLinear, 9, 240, 64},
    {Variation::kHorseshoe, 105, 240, 80}, {Variation::kSinusoidal, 9, 264, 80},
    {Variation::kSpherical, 105, 264, 80}, {Variation::kSwirl, 9, 288, 73},
    {Variation::kPolar, 105, 288, 57},     {Variation::kBent, 9, 312, 73},
    {Variation::kInversion, 105, 312, 80},
};

}  // namespace

TForm4::TForm4(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(tr("Parameters"));
    colourTimer_ = new SettleTimer(this);
    colourTimer_->setObjectName(QStringLiteral("ColorTimer"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    QToolBar* toolBar = createToolBar();
    // The design's client area of 246 by 373 pixels holds the tool bar too.
    layout->addWidget(createControls(QSize(246, 373 - toolBar->sizeHint().height())));
    layout->addWidget(toolBar);
    connectChanges();
}

QWidget* TForm4::createControls(QSize designSize) {
    auto* panel = new GradientPanel(kSilver, Qt::white, this);
    panel->setCursor(Qt::DragMoveCursor);
    const auto text = [panel](const QString& caption) { return new QLabel(caption, panel); };

    squareRoot_ = makeBox(panel, "square_root", tr("Square Root Filtering"));
    invert_ = makeBox(panel, "Invert", tr("White"));
    intensity_ = makeBar(panel, "Intensity", 0, 64, kSilver);
    factor1_ = makeValueLabel(panel, "Factor1", QStringLiteral("Itsity"));
    redBar1_ = makeBar(panel, "RedBar1", -200, 200, Qt::red);
    redLabel1_ = makeValueLabel(panel, "RedLabel1", QStringLiteral("RL1"));
    grnBar1_ = makeBar(panel, "GrnBar1", -200, 200, Qt::green);
    grnLabel1_ = makeValueLabel(panel, "GrnLabel1", QStringLiteral("GL1"));
    bluBar1_ = makeBar(panel, "BluBar1", -200, 200, Qt::blue);
    bluLabel1_ = makeValueLabel(panel, "BluLabel1", QStringLiteral("BL1"));
    randomizer_ = makeBar(panel, "Randomizer", 0, 50, kSilver);
    randomFactor_ = makeValueLabel(panel, "RandomFactor", QStringLiteral("RF"));
    constAA_ = makeSpin(panel, "constAA", 0.001);
    parameterX_ = makeSpin(panel, "parameterX", 0.001);
    constBB_ = makeSpin(panel, "constBB", 0.0001);
    parameterY_ = makeSpin(panel, "parameterY", 0.001);
    factor2Bar_ = makeBar(panel, "Factor2_bar", 0, 20, kSilver);
    factor2_ = makeValueLabel(panel, "Factor2", QStringLiteral("Factor2"));

    // Left, top and least width in pixels, row by row.
    // clang-format off
    std::vector<DesignSlot> design({
        {squareRoot_, 9, 8, 121},    {invert_, 145, 8, 57},
        {intensity_, 9, 32, 112},    {factor1_, 129, 32},       {text(tr("Intensity")), 161, 32},
        {redBar1_, 9, 56, 112},      {redLabel1_, 129, 56},     {text(tr("Red")), 161, 56},
        {grnBar1_, 9, 80, 112},      {grnLabel1_, 129, 80},     {text(tr("Green")), 161, 80},
        {bluBar1_, 9, 104, 112},     {bluLabel1_, 129, 104},    {text(tr("Blue")), 161, 104},
        {randomizer_, 9, 128, 112},  {randomFactor_, 129, 128}, {text(tr("Randomizer")), 161, 128},
        {constAA_, 8, 152, 97},      {text(tr("A")), 109, 152},
        {parameterX_, 128, 152, 97}, {text(tr("X")), 229, 152},
        {constBB_, 8, 176, 97},      {text(tr("B")), 109, 176},
        {parameterY_, 128, 176, 97}, {text(tr("Y")), 229, 176},
        {factor2Bar_, 89, 216, 97},  {factor2_, 193, 216},
        {text(tr("Scaling")), 200, 236},
    });
    // clang-format on
    createVariationBoxes(panel, design);
    setTabOrder(None(), factor2Bar_);
    layOutByDesign(panel, designSize, design);
    return panel;
}

void TForm4::createVariationBoxes(QWidget* panel, std::vector<DesignSlot>& design) {
    auto make = [&](const VariationInfo& variation) {
        QCheckBox*& box = variationBoxes_[static_cast<std::size_t>(variation.id)];
        box = makeBox(panel, variation.name, tr(variation.name));
        return box;
    };
    for (const VariationCell& cell : kVariationCells)
        design.push_back({make(InfoOf(cell.id)), cell.left, cell.top, cell.width});
    // A variation the design has no cell for goes below the designed ones, two to a row.
    int extra = 0;
    for (const VariationInfo& variation : kVariations) {
        if (variationBox(variation.id)) continue;
        design.push_back({make(variation), extra % 2 ? 105 : 9, 336 + 24 * (extra / 2), 80});
        ++extra;
    }
}

QToolBar* TForm4::createToolBar() {
    auto* bar = new QToolBar(this);
    bar->setMovable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setStyleSheet(
        QStringLiteral("QToolBar { background: black; border: none; padding: 2px; spacing: 1px; }"
                       "QToolButton { border: none; }"
                       "QToolButton:hover { background: #404040; }"
                       "QToolButton:pressed { background: #707070; }"));
    QToolButton* close = addButton(bar, "ToolbarButton971", tr("Close"), ToolGlyph::kClose);
    QToolButton* stop = addButton(bar, "ToolbarButton972", tr("Stop"), ToolGlyph::kStop);
    QToolButton* reset = addButton(bar, "ResetButton", tr("Reset"), ToolGlyph::kReset);
    QToolButton* drawRandom = addButton(bar, "DrawRandomButton", tr("Draw Random"), ToolGlyph::kDrawRandom);
    QToolButton* apply = addButton(bar, "ApplyButton", tr("Apply (Start Over)"), ToolGlyph::kApply);
    connect(close, &QToolButton::clicked, this, &TForm4::close);
    connect(stop, &QToolButton::clicked, this, &TForm4::stopRequested);
    connect(reset, &QToolButton::clicked, this, &TForm4::resetRequested);
    connect(drawRandom, &QToolButton::clicked, this, &TForm4::drawRandomRequested);
    connect(apply, &QToolButton::clicked, this, &TForm4::applyRequested);
    return bar;
}

void TForm4::connectChanges() {
    // Check boxes count only when clicked: the owner ticks them from code without a change.
    for (QCheckBox* box : {squareRoot_, invert_})
        connect(box, &QCheckBox::clicked, colourTimer_, &SettleTimer::arm);
    for (QCheckBox* box : variationBoxes_) connect(box, &QCheckBox::clicked, colourTimer_, &SettleTimer::arm);
    for (QSlider* bar : {intensity_, randomizer_, redBar1_, grnBar1_, bluBar1_, factor2Bar_}) {
        connect(bar, &QSlider::valueChanged, colourTimer_, &SettleTimer::arm);
    }
    for (SpinEdit* spin : {constAA_, parameterX_, constBB_, parameterY_}) {
        connect(spin, &SpinEdit::valueChanged, colourTimer_, &SettleTimer::arm);
    }
    connect(colourTimer_, &SettleTimer::settled, this, &TForm4::coloursSettled);
}

void TForm4::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && windowHandle() != nullptr && windowHandle()->startSystemMove()) {
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

}  // namespace zephyrin
