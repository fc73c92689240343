// Density colouring: the picture from the whole drawing's hit counts on a
// logarithmic scale, through a gradient, recoloured at every refresh and at
// once when a colouring setting changes.
#include <QAction>

#include "dialogs/colouring_dialog.h"
#include "engine/colouring/colour_from_counts.h"
#include "engine/colouring/density_colour.h"
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

void TMDIChild::recolour() {
    Picture* shown = PGImage1->currentPicture();
    if (!shown || (countsByRow_ ? counts_.Empty() : hitList.empty())) return;
    CountGrid scratch;
    DensityColour({shownCounts(scratch), densityBlock_}, density_, densityGradient_, v.white != kFalse,
                  densityPicture_);
    if (densityPicture_.Width() != shown->Width() || densityPicture_.Height() != shown->Height()) {
        showPicture(std::make_unique<Picture>(ToPicture(densityPicture_)));
        return;
    }
    ToPicture(densityPicture_, *shown);
    shown->Changed();
}

bool TMDIChild::useGradient() {
    Result<Gradient> gradient = FindGradient(density_.gradient);
    if (gradient) {
        densityGradient_ = std::move(*gradient);
        return true;
    }
    showError(QString::fromStdString(gradient.error()) +
              QStringLiteral("\nThe grey gradient is used instead."));
    densityGradient_ = Gradient();
    density_.gradient = densityGradient_.Name();
    return false;
}

void TMDIChild::toggleDensityColouring() {
    density_.enabled = !density_.enabled;
    if (density_.enabled) useGradient();
    remember(kDensityOnKey, density_.enabled);
    // The counts hold the whole drawing either way: no need to start over.
    Picture* shown = PGImage1->currentPicture();
    picture = density_.enabled ? nullptr : shown;
    if (density_.enabled) {
        recolour();
        // A classic drawing of this window goes on on the threads, from its
        // counts, once the engine's loop sees the stop.
        if (drawingsRunning_ > 0 && !drawing_ && !v.stop && parts_.pool) {
            handOver_ = true;
            v.stop = kTrue;
        }
    } else {
        if (handOver_) {
            // Switched back before the engine's loop saw the stop: it goes on.
            handOver_ = false;
            v.stop = kFalse;
        }
        // The threads count only: classic colours are painted as a drawing
        // hits, so the drawing ends here with the picture its counts give.
        if (drawing_) {
            stopDrawing();
            takeCounts(*drawing_);
        }
        if (shown && densityBlock_ == 1 && !hitList.empty()) {
            CountGrid scratch;
            *shown = ColourFromCounts(shownCounts(scratch), v);
            shown->Changed();
        }
    }
    UpdateMenuItems();
    recordHistory();
}

void TMDIChild::applyColouring() {
    if (!parts_.colouring) return;
    const DensitySettings chosen = parts_.colouring->settings();
    density_.brightness = chosen.brightness;
    density_.gamma = chosen.gamma;
    density_.vibrancy = chosen.vibrancy;
    density_.gradient = chosen.gradient;
    useGradient();
    rememberDensityDefaults(density_);
    if (density_.enabled) recolour();
    recordHistory();
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
    remember(kBrightnessKey, density.brightness);
    remember(kGammaKey, density.gamma);
    remember(kVibrancyKey, density.vibrancy);
    remember(kGradientKey, QString::fromStdString(density.gradient));
}

}  // namespace zephyrin
