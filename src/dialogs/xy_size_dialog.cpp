#include "dialogs/xy_size_dialog.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/design_layout.h"
#include "dialogs/gradient_panel.h"
#include "dialogs/spin_edit.h"

namespace zephyrin {

namespace {

struct SizePreset {
    const char* name;
    const char* caption;
    int width;
    int height;
};

// "120 by 80" gives 90 rows, the size of the picture windows' own "120 by 90" item.
constexpr SizePreset kPresets[] = {
    {"N120by801", "120 by 80", 120, 90},       {"N160by1201", "160 by 120", 160, 120},
    {"N320by2402", "320 by 240", 320, 240},    {"N400by3001", "400 by 300", 400, 300},
    {"N640by4801", "640 by 480", 640, 480},    {"N800by6001", "800 by 600", 800, 600},
    {"N1024by7681", "1024 by 768", 1024, 768},
};

SpinEdit* makeSizeSpin(QWidget* panel, const char* name) {
    auto* spin = new SpinEdit(0, 10, panel);
    spin->setObjectName(QLatin1String(name));
    return spin;
}

}  // namespace

TXYSize::TXYSize(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(tr("XYSize"));
    auto* panel = new GradientPanel(QColor(192, 192, 192), Qt::white, this);
    panel->setCursor(Qt::PointingHandCursor);
    coolBtn1_ = new QPushButton(tr("Apply"), panel);
    coolBtn1_->setObjectName(QStringLiteral("CoolBtn1"));
    // Its title bar may offer no close box (a tool window under some window
    // managers), so the window closes from a button as the other tools do.
    auto* closeButton = new QPushButton(tr("Close"), panel);
    closeButton->setObjectName(QStringLiteral("CloseButton"));
    rxWidth_ = makeSizeSpin(panel, "RxWidth");
    rxHeight_ = makeSizeSpin(panel, "RxHeight");
    layOutByDesign(panel, QSize(208, 71),
                   {
                       {coolBtn1_, 8, 8, 75},
                       {closeButton, 8, 40, 75},
                       {new QLabel(tr("Width"), panel), 88, 16},
                       {rxWidth_, 128, 8, 57},
                       {new QLabel(tr("Height"), panel), 88, 40},
                       {rxHeight_, 128, 32, 57},
                   });
    connect(coolBtn1_, &QPushButton::clicked, this, &TXYSize::applyRequested);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::hide);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(panel);
    createSizeMenu();
}

void TXYSize::createSizeMenu() {
    auto* menuBar = new QMenuBar(this);
    // A global menu bar would leave this small window without its menu.
    menuBar->setNativeMenuBar(false);
    QMenu* size = menuBar->addMenu(tr("Size"));
    size->setObjectName(QStringLiteral("Size1"));
    for (const SizePreset& preset : kPresets) {
        QAction* action = size->addAction(tr(preset.caption));
        action->setObjectName(QLatin1String(preset.name));
        action->setData(QSize(preset.width, preset.height));
    }
    connect(size, &QMenu::triggered, this, &TXYSize::presetTriggered);
    layout()->setMenuBar(menuBar);
}

void TXYSize::presetTriggered(QAction* preset) {
    const QSize size = preset->data().toSize();
    rxWidth_->setValue(size.width());
    rxHeight_->setValue(size.height());
}

}  // namespace zephyrin
