// The document's counts and their colouring: recoloured at every refresh
// when the mode colours counts, at once when a setting changes, and anew in
// the other mode without a new drawing.
#include <algorithm>

#include "engine/colouring/density_gradient.h"
#include "imaging/area_averaging.h"
#include "imaging/picture.h"
#include "services/messages.h"
#include "services/settings.h"
#include "window/picture_document.h"

namespace zephyrin {

void PictureDocument::showPicture(std::unique_ptr<Picture> newPicture) {
    display_.setShownPicture(std::move(newPicture));
    // A colouring of the counts leaves the engine to count only.
    picture = PaintsWhilePlotting(colouringMode()) ? display_.shownPicture() : nullptr;
}

void PictureDocument::clearCounts() {
    newHitList();
    if (Picture* shown = display_.shownPicture()) shown->Fill(0);
}

void PictureDocument::newHitList() {
    const std::size_t side = static_cast<std::size_t>(std::max({v.listWidth, v.listHeight, 0}));
    // A fresh list, so that a smaller size gives the old list's memory back.
    hitList = std::vector<std::int32_t>(side * side, 0);
    countsHistory_ = {};
}

const CountGrid& PictureDocument::shownCounts(CountGrid& scratch) const {
    if (countsByRow_) return counts_;
    scratch = CountGrid::FromHitList(hitList, std::max(v.listWidth, v.listHeight), v.width, v.height);
    return scratch;
}

CountGrid PictureDocument::counts() const {
    CountGrid scratch;
    return shownCounts(scratch);
}

bool PictureDocument::hasCounts() const {
    return countsByRow_ ? !counts_.Empty() : !hitList.empty();
}

void PictureDocument::recolour() {
    Picture* shown = display_.shownPicture();
    if (!shown || !hasCounts()) return;
    CountGrid scratch;
    const int width = shown->Width(), height = shown->Height();
    ColourCounts({shownCounts(scratch), reductionBlock_}, v, colouring(), *shown);
    if (shown->Width() == width && shown->Height() == height) {
        shown->Changed();
        return;
    }
    // A picture of another size is a new picture to the view, which fits itself to it.
    showPicture(std::make_unique<Picture>(std::move(*shown)));
}

void PictureDocument::refreshPicture() {
    if (!PaintsWhilePlotting(colouringMode()))
        recolour();
    else if (Picture* shown = display_.shownPicture())
        shown->Changed();
}

std::optional<Picture16> PictureDocument::sixteenBitPicture() const {
    CountGrid scratch;
    return ColourCounts16({shownCounts(scratch), reductionBlock_}, v, colouring());
}

void PictureDocument::reduce(int factor) {
    // A drawing going on would keep plotting the large picture's positions
    // into the small one.
    stopDrawing();
    const Picture* source = display_.shownPicture();
    if (!source) return;
    if (PaintsWhilePlotting(colouringMode())) {
        showPicture(std::make_unique<Picture>(ReduceByAreaAveraging(*source, factor)));
        // So that switching the colouring keeps the reduction.
        reductionBlock_ *= factor;
        return;
    }
    // Counts are summed over each block before the colouring, rather than
    // the colours averaged after it.
    reductionBlock_ *= factor;
    recolour();
}

bool PictureDocument::useGradient() {
    Result<Gradient> gradient = TakeGradient(density_);
    if (gradient) {
        gradient_ = std::move(*gradient);
        return true;
    }
    showError(QString::fromStdString(gradient.error()) +
              QStringLiteral("\nThe grey gradient is used instead."));
    gradient_ = Gradient();
    ChooseGradient(density_, gradient_.Name());
    return false;
}

void PictureDocument::setColouringMode(ColouringMode mode) {
    switchColouring(mode);
    recordHistory();
}

// A drawing going on goes on the other way, from its counts, once its loop
// has seen the stop: on the engine, which paints each hit, in the classic
// colouring, on the threads in the others.
void PictureDocument::switchColouring(ColouringMode mode) {
    density_.mode = mode;
    const bool paints = PaintsWhilePlotting(mode);
    if (!paints) useGradient();
    rememberDensityDefaults(density_);
    picture = paints ? display_.shownPicture() : nullptr;
    if (!paints) {
        recolour();
        if (drawingsRunning_ > 0 && !drawing_ && !v.stop && pool_) {
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
        recolour();
    }
    emit colouringModeChanged();
}

void PictureDocument::applyColouring(const DensitySettings& chosen) {
    density_.brightness = chosen.brightness;
    density_.gamma = chosen.gamma;
    density_.vibrancy = chosen.vibrancy;
    ChooseGradient(density_, chosen.gradient);
    useGradient();
    rememberDensityDefaults(density_);
    if (!PaintsWhilePlotting(colouringMode())) recolour();
    recordHistory();
}

void PictureDocument::restoreColouring(const DensitySettings& colouring) {
    const ColouringMode current = colouringMode();
    density_ = colouring;
    density_.mode = current;
    useGradient();
    emit colouringRestored();
    if (colouring.mode != current)
        switchColouring(colouring.mode);
    else if (!PaintsWhilePlotting(current))
        recolour();
    rememberDensityDefaults(density_);
}

namespace {

// A settings file can hold anything: a remembered value is taken within the
// range a parameter file may hold, so that a document saves what it reads back.
double rememberedSetting(const QString& key, SettingRange range, double fallback) {
    bool number = false;
    const double value = rememberedValue(key, fallback).toDouble(&number);
    return number ? range.Clamp(value, fallback) : fallback;
}

}  // namespace

DensitySettings rememberedDensityDefaults() {
    DensitySettings defaults;
    // Stored as the parameter file's value; earlier versions stored "true" for density.
    const QString mode = rememberedValue(kDensityOnKey).toString();
    defaults.mode = ModeOfFileValue(mode == QStringLiteral("true") ? InfoOf(ColouringMode::kDensity).fileValue
                                                                   : mode.toStdString());
    defaults.brightness = rememberedSetting(kBrightnessKey, kBrightnessRange, defaults.brightness);
    defaults.gamma = rememberedSetting(kGammaKey, kGammaRange, defaults.gamma);
    defaults.vibrancy = rememberedSetting(kVibrancyKey, kVibrancyRange, defaults.vibrancy);
    defaults.gradient =
        rememberedValue(kGradientKey, QString::fromStdString(defaults.gradient)).toString().toStdString();
    return defaults;
}

void rememberDensityDefaults(const DensitySettings& density) {
    remember(kDensityOnKey, QString::fromUtf8(InfoOf(density.mode).fileValue));
    remember(kBrightnessKey, density.brightness);
    remember(kGammaKey, density.gamma);
    remember(kVibrancyKey, density.vibrancy);
    remember(kGradientKey, QString::fromStdString(density.gradient));
}

}  // namespace zephyrin
