#include "dialogs/colouring_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "dialogs/design_layout.h"
#include "dialogs/gradient_panel.h"
#include "dialogs/number_field.h"
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

// A slider's value in three figures, finer than one step of it apart.
double threeFigures(double value) {
    return QString::number(value, 'g', 3).toDouble();
}

QIcon swatchOf(const QString& nameOrPath) {
    const Result<Gradient> gradient = FindGradient(nameOrPath.toStdString());
    if (!gradient) return {};
    QImage swatch(48, 12, QImage::Format_RGB32);
    for (int x = 0; x < swatch.width(); ++x) {
        const GradientColour c = gradient->At(static_cast<float>(x) / static_cast<float>(swatch.width() - 1));
        const QRgb rgb = qRgb(qRound(c.r * 255), qRound(c.g * 255), qRound(c.b * 255));
        for (int y = 0; y < swatch.height(); ++y) swatch.setPixel(x, y, rgb);
    }
    return QIcon(QPixmap::fromImage(swatch));
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
    // Light text on the dark panel; the controls keep their own colours, so
    // that a check box's mark shows on its box.
    QPalette light = panel->palette();
    light.setColor(QPalette::WindowText, Qt::white);
    panel->setPalette(light);
    const auto text = [panel](const QString& caption) { return new QLabel(caption, panel); };
    brightness_ = makeSetting(panel, "Brightness", kBrightnessRange, true);
    gamma_ = makeSetting(panel, "Gamma", kGammaRange, true);
    vibrancy_ = makeSetting(panel, "Vibrancy", kVibrancyRange, false);
    gradient_ = new QComboBox(panel);
    gradient_->setObjectName(QStringLiteral("Gradient"));
    gradient_->setIconSize(QSize(48, 12));
    for (std::string_view name : BuiltInGradientNames())
        addGradient(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    loadGradient_ = new QPushButton(tr("Load Gradient..."), panel);
    loadGradient_->setObjectName(QStringLiteral("LoadGradient"));
    sixteenBits_ = new QCheckBox(tr("Save 16 bits per channel"), panel);
    sixteenBits_->setObjectName(QStringLiteral("SixteenBits"));
    sixteenBits_->setToolTip(tr("PNG, TIFF, PPM and PGM pictures of a window in density colouring"));
    layOutByDesign(panel, QSize(300, 160),
                   {
                       {text(tr("Brightness")), 8, 12},
                       {brightness_.slider, 80, 12, 120},
                       {brightness_.field, 208, 12},
                       {text(tr("Gamma")), 8, 40},
                       {gamma_.slider, 80, 40, 120},
                       {gamma_.field, 208, 40},
                       {text(tr("Vibrancy")), 8, 68},
                       {vibrancy_.slider, 80, 68, 120},
                       {vibrancy_.field, 208, 68},
                       {text(tr("Gradient")), 8, 98},
                       {gradient_, 80, 98, 120},
                       {loadGradient_, 208, 98},
                       {sixteenBits_, 8, 130},
                   });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(panel);

    connect(gradient_, &QComboBox::currentIndexChanged, colouringTimer_, &SettleTimer::arm);
    connect(loadGradient_, &QPushButton::clicked, this, &ColouringDialog::loadGradientRequested);
    setSettings(DensitySettings{});
}

ColouringDialog::Setting ColouringDialog::makeSetting(QWidget* panel, const char* name, SettingRange range,
                                                      bool logarithmic) {
    Setting setting{new QSlider(Qt::Horizontal, panel), new NumberField(range.low, range.high, panel), range,
                    logarithmic};
    setting.slider->setObjectName(QLatin1String(name));
    setting.slider->setRange(0, kSteps);
    setting.field->setObjectName(QLatin1String(name) + QStringLiteral("Value"));
    // A moved slider gives its value in round figures; a typed value stays
    // as typed and the slider only follows it.
    connect(setting.slider, &QSlider::valueChanged, this, [this, setting](int position) {
        const QSignalBlocker quiet(setting.field);
        setting.field->setValue(threeFigures(valueAt(position, setting.range, setting.logarithmic)));
        colouringTimer_->arm();
    });
    connect(setting.field, &QDoubleSpinBox::valueChanged, this, [this, setting](double value) {
        const QSignalBlocker quiet(setting.slider);
        setting.slider->setValue(positionOf(value, setting.range, setting.logarithmic));
        colouringTimer_->arm();
    });
    return setting;
}

DensitySettings ColouringDialog::settings() const {
    DensitySettings settings;
    settings.brightness = brightness_.field->value();
    settings.gamma = gamma_.field->value();
    settings.vibrancy = vibrancy_.field->value();
    settings.gradient = gradient_->currentData().toString().toStdString();
    return settings;
}

void ColouringDialog::setSettings(const DensitySettings& settings) {
    showValue(brightness_, settings.brightness);
    showValue(gamma_, settings.gamma);
    showValue(vibrancy_, settings.vibrancy);
    const QSignalBlocker quiet(gradient_);
    gradient_->setCurrentIndex(addGradient(QString::fromStdString(settings.gradient)));
}

void ColouringDialog::showValue(const Setting& setting, double value) {
    const QSignalBlocker quietSlider(setting.slider), quietField(setting.field);
    setting.field->setValue(value);
    setting.slider->setValue(positionOf(setting.field->value(), setting.range, setting.logarithmic));
}

int ColouringDialog::addGradient(const QString& nameOrPath) {
    if (const int index = gradient_->findData(nameOrPath); index >= 0) return index;
    const bool builtIn = BuiltInGradient(nameOrPath.toStdString()).has_value();
    gradient_->addItem(swatchOf(nameOrPath), builtIn ? nameOrPath : QFileInfo(nameOrPath).completeBaseName(),
                       nameOrPath);
    return gradient_->count() - 1;
}

void ColouringDialog::addGradientFile(const QString& path) {
    gradient_->setCurrentIndex(addGradient(path));
    colouringTimer_->arm();
}

}  // namespace zephyrin
