#include "dialogs/colouring_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "dialogs/design_layout.h"
#include "dialogs/gradient_panel.h"
#include "dialogs/settle_timer.h"
#include "imaging/gradient.h"

namespace zephyrin {

namespace {

// Brightness and gamma act by ratios, so their sliders are logarithmic:
// equal steps multiply the value alike across the range.
double valueAt(int position, const SettingRange& range, bool logarithmic) {
    const double t = static_cast<double>(position) / ColouringDialog::kSteps;
    if (logarithmic) return range.low * std::pow(range.high / range.low, t);
    return range.low + (range.high - range.low) * t;
}

int positionOf(double value, const SettingRange& range, bool logarithmic) {
    value = std::clamp(value, range.low, range.high);
    const double t = logarithmic ? std::log(value / range.low) / std::log(range.high / range.low)
                                 : (value - range.low) / (range.high - range.low);
    return static_cast<int>(std::lround(t * ColouringDialog::kSteps));
}

QSlider* makeBar(QWidget* panel, const char* name) {
    auto* bar = new QSlider(Qt::Horizontal, panel);
    bar->setObjectName(QLatin1String(name));
    bar->setRange(0, ColouringDialog::kSteps);
    return bar;
}

QLabel* makeValueLabel(QWidget* panel, const char* name) {
    auto* label = new QLabel(panel);
    label->setObjectName(QLatin1String(name));
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("20.00")));
    return label;
}

QString twoDecimals(double value) {
    return QString::number(value, 'f', 2);
}

}  // namespace

ColouringDialog::ColouringDialog(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(tr("Colouring"));
    colouringTimer_ = new SettleTimer(this);
    colouringTimer_->setObjectName(QStringLiteral("ColouringTimer"));
    connect(colouringTimer_, &SettleTimer::settled, this, &ColouringDialog::colouringSettled);

    auto* panel = new GradientPanel(QColor(60, 40, 90), Qt::black, this);
    panel->setStyleSheet(QStringLiteral("QLabel, QCheckBox { color: white; }"));
    const auto text = [panel](const QString& caption) { return new QLabel(caption, panel); };
    brightness_ = makeBar(panel, "Brightness");
    gamma_ = makeBar(panel, "Gamma");
    vibrancy_ = makeBar(panel, "Vibrancy");
    brightnessValue_ = makeValueLabel(panel, "BrightnessValue");
    gammaValue_ = makeValueLabel(panel, "GammaValue");
    vibrancyValue_ = makeValueLabel(panel, "VibrancyValue");
    gradient_ = new QComboBox(panel);
    gradient_->setObjectName(QStringLiteral("Gradient"));
    for (std::string_view name : BuiltInGradientNames())
        gradient_->addItem(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())),
                           QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    loadGradient_ = new QPushButton(tr("Load Gradient..."), panel);
    loadGradient_->setObjectName(QStringLiteral("LoadGradient"));
    sixteenBits_ = new QCheckBox(tr("Save 16 bits per channel"), panel);
    sixteenBits_->setObjectName(QStringLiteral("SixteenBits"));
    sixteenBits_->setToolTip(tr("PNG, TIFF, PPM and PGM pictures of a window in density colouring"));
    layOutByDesign(panel, QSize(260, 160),
                   {
                       {text(tr("Brightness")), 8, 12},
                       {brightness_, 80, 12, 120},
                       {brightnessValue_, 208, 12},
                       {text(tr("Gamma")), 8, 40},
                       {gamma_, 80, 40, 120},
                       {gammaValue_, 208, 40},
                       {text(tr("Vibrancy")), 8, 68},
                       {vibrancy_, 80, 68, 120},
                       {vibrancyValue_, 208, 68},
                       {text(tr("Gradient")), 8, 98},
                       {gradient_, 80, 98, 90},
                       {loadGradient_, 176, 98, 76},
                       {sixteenBits_, 8, 130},
                   });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(panel);

    for (QSlider* bar : {brightness_, gamma_, vibrancy_}) {
        connect(bar, &QSlider::valueChanged, this, &ColouringDialog::showValues);
        connect(bar, &QSlider::valueChanged, colouringTimer_, &SettleTimer::arm);
    }
    connect(gradient_, &QComboBox::currentIndexChanged, colouringTimer_, &SettleTimer::arm);
    connect(loadGradient_, &QPushButton::clicked, this, &ColouringDialog::loadGradientRequested);
    setSettings(DensitySettings{});
}

DensitySettings ColouringDialog::settings() const {
    DensitySettings settings;
    settings.brightness = valueAt(brightness_->value(), kBrightnessRange, true);
    settings.gamma = valueAt(gamma_->value(), kGammaRange, true);
    settings.vibrancy = valueAt(vibrancy_->value(), kVibrancyRange, false);
    settings.gradient = gradient_->currentData().toString().toStdString();
    return settings;
}

void ColouringDialog::setSettings(const DensitySettings& settings) {
    const QSignalBlocker brightness(brightness_), gamma(gamma_), vibrancy(vibrancy_), gradient(gradient_);
    brightness_->setValue(positionOf(settings.brightness, kBrightnessRange, true));
    gamma_->setValue(positionOf(settings.gamma, kGammaRange, true));
    vibrancy_->setValue(positionOf(settings.vibrancy, kVibrancyRange, false));
    const QString name = QString::fromStdString(settings.gradient);
    int index = gradient_->findData(name);
    if (index < 0) {
        gradient_->addItem(QFileInfo(name).completeBaseName(), name);
        index = gradient_->count() - 1;
    }
    gradient_->setCurrentIndex(index);
    showValues();
}

void ColouringDialog::addGradientFile(const QString& path) {
    int index = gradient_->findData(path);
    if (index < 0) {
        gradient_->addItem(QFileInfo(path).completeBaseName(), path);
        index = gradient_->count() - 1;
    }
    gradient_->setCurrentIndex(index);
    colouringTimer_->arm();
}

void ColouringDialog::showValues() {
    const DensitySettings shown = settings();
    brightnessValue_->setText(twoDecimals(shown.brightness));
    gammaValue_->setText(twoDecimals(shown.gamma));
    vibrancyValue_->setText(twoDecimals(shown.vibrancy));
}

}  // namespace zephyrin
