// Density colouring: the picture from the whole drawing's hit counts on a
// logarithmic scale, through a gradient, recoloured at every refresh and at
// once when a colouring setting changes.
#include <QAction>

#include "dialogs/colouring_dialog.h"
#include "engine/colouring/colour_from_counts.h"
#include "engine/colouring/density_colour.h"
#include "engine/colouring/density_gradient.h"
#include "imaging/area_averaging.h"
#include "imaging/picture.h"
#include "services/messages.h"
#include "services/settings.h"
#include "view/picture_view.h"
#include "window/tmdi_child.h"

namespace zephyrin {

const CountGrid& TMDIChild::shownCounts(CountGrid& scratch) const {
    if (countsByRow_) return counts_;
    scratch = CountGrid::FromHitList(hitList, std::max(v.listWidth, v.listHeight), v.width, v.height);
    return scratch;
}

CountGrid TMDIChild::counts() const {
    CountGrid scratch;
    return shownCounts(scratch);
}

bool TMDIChild::hasCounts() const {
    return countsByRow_ ? !counts_.Empty() : !hitList.empty();
}

void TMDIChild::recolour() {
    Picture* shown = PGImage1->currentPicture();
    if (!shown || !hasCounts()) return;
    CountGrid scratch;
    DensityColour({shownCounts(scratch), reductionBlock_}, density_, densityGradient_, v.white != kFalse,
                  densityPicture_);
    if (densityPicture_.Width() != shown->Width() || densityPicture_.Height() != shown->Height()) {
        showPicture(std::make_unique<Picture>(ToPicture(densityPicture_)));
        return;
    }
    ToPicture(densityPicture_, *shown);
    shown->Changed();
}

void TMDIChild::colourClassically() {
    Picture* shown = PGImage1->currentPicture();
    if (!shown || !hasCounts()) return;
    CountGrid scratch;
    Picture classic = ColourFromCounts(shownCounts(scratch), v);
    // A reduced picture is what reducing the classic one gives.
    if (reductionBlock_ > 1) classic = ReduceByAreaAveraging(classic, reductionBlock_);
    if (classic.Width() != shown->Width() || classic.Height() != shown->Height()) {
        showPicture(std::make_unique<Picture>(std::move(classic)));
        return;
    }
    *shown = std::move(classic);
    shown->Changed();
}

bool TMDIChild::useGradient() {
    Result<Gradient> gradient = TakeGradient(density_);
    if (gradient) {
        densityGradient_ = std::move(*gradient);
        return true;
    }
    showError(QString::fromStdString(gradient.error()) +
              QStringLiteral("\nThe grey gradient is used instead."));
    densityGradient_ = Gradient();
    ChooseGradient(density_, densityGradient_.Name());
    return false;
}

void TMDIChild::toggleDensityColouring() {
    switchDensityColouring(!density_.enabled);
    recordHistory();
}

// The counts hold the whole drawing either way: no need to start over. A
// drawing going on goes on the other way, from its counts, once its loop has
// seen the stop: on the threads in density colouring, on the engine, which
// paints each hit, in the classic one.
void TMDIChild::switchDensityColouring(bool on) {
    density_.enabled = on;
    if (on) useGradient();
    rememberDensityDefaults(density_);
    Picture* shown = PGImage1->currentPicture();
    picture = on ? nullptr : shown;
    if (on) {
        recolour();
        if (drawingsRunning_ > 0 && !drawing_ && !v.stop && parts_.pool) {
            handOver_ = true;
            v.stop = kTrue;
        }
    } else {
        if (drawing_ && !drawing_->Stopped()) {
            drawing_->Stop();
            takeCounts(*drawing_);
            handOver_ = true;
            v.stop = kTrue;
        } else if (handOver_ && !drawing_) {
            // Switched back before the engine's loop saw the stop: it goes on.
            handOver_ = false;
            v.stop = kFalse;
        }
        colourClassically();
    }
    UpdateMenuItems();
}

void TMDIChild::applyColouring() {
    if (!parts_.colouring) return;
    const DensitySettings chosen = parts_.colouring->settings();
    density_.brightness = chosen.brightness;
    density_.gamma = chosen.gamma;
    density_.vibrancy = chosen.vibrancy;
    ChooseGradient(density_, chosen.gradient);
    useGradient();
    rememberDensityDefaults(density_);
    if (density_.enabled) recolour();
    recordHistory();
}

void TMDIChild::restoreColouring(const DensitySettings& colouring) {
    const bool wasOn = density_.enabled;
    density_ = colouring;
    density_.enabled = wasOn;
    useGradient();
    colouringUpdate();
    if (colouring.enabled != wasOn)
        switchDensityColouring(colouring.enabled);
    else if (density_.enabled)
        recolour();
    rememberDensityDefaults(density_);
}

void TMDIChild::colouringUpdate() {
    if (parts_.colouring) parts_.colouring->setSettings(density_);
}

void TMDIChild::colouringDialogClick() {
    toggleToolWindow(parts_.colouring, &TMDIChild::colouringUpdate);
}

namespace {

// A settings file can hold anything: a remembered value is taken within the
// range a parameter file may hold, so that a window saves what it reads back.
double rememberedSetting(const QString& key, SettingRange range, double fallback) {
    bool number = false;
    const double value = rememberedValue(key, fallback).toDouble(&number);
    return number ? range.Clamp(value, fallback) : fallback;
}

}  // namespace

DensitySettings rememberedDensityDefaults() {
    DensitySettings defaults;
    defaults.enabled = rememberedValue(kDensityOnKey, false).toBool();
    defaults.brightness = rememberedSetting(kBrightnessKey, kBrightnessRange, defaults.brightness);
    defaults.gamma = rememberedSetting(kGammaKey, kGammaRange, defaults.gamma);
    defaults.vibrancy = rememberedSetting(kVibrancyKey, kVibrancyRange, defaults.vibrancy);
    defaults.gradient =
        rememberedValue(kGradientKey, QString::fromStdString(defaults.gradient)).toString().toStdString();
    return defaults;
}

void rememberDensityDefaults(const DensitySettings& density) {
    remember(kDensityOnKey, density.enabled);
    remember(kBrightnessKey, density.brightness);
    remember(kGammaKey, density.gamma);
    remember(kVibrancyKey, density.vibrancy);
    remember(kGradientKey, QString::fromStdString(density.gradient));
}

}  // namespace zephyrin
