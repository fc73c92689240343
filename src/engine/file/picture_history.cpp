#include "engine/file/picture_history.h"

#include <tuple>

#include "engine/core/variation_table.h"

namespace zephyrin {

namespace {

// Every field a drawing starts from besides the variations (compared by
// VariationSameSet). AA is left out: each drawing loads it from AAStart.
template <typename Record>
auto DefiningFields(Record& v) {
    return std::tie(v.startX, v.startY, v.xCenter, v.yCenter, v.zoom, v.intensity, v.factor2, v.randomizer,
                    v.red, v.blue, v.green, v.listWidth, v.listHeight, v.width, v.height, v.formula,
                    v.transformMode, v.BB, v.AACopy, v.AAStart, v.white, v.sqrtFilter, v.af);
}

// The variation switches as they were stored, not only whether each is on.
bool SameVariationSwitches(const TFractalRec& v, const TFractalRec& w) {
    for (const VariationInfo& variation : kVariations)
        if (v.*variation.field != w.*variation.field) return false;
    return true;
}

}  // namespace

bool DrawsTheSameCounts(const PictureState& a, const PictureState& b) {
    return DefiningFields(a.record) == DefiningFields(b.record) &&
           SameVariationSwitches(a.record, b.record) && a.effects == b.effects;
}

bool DefinesSamePicture(const PictureState& a, const PictureState& b) {
    return DrawsTheSameCounts(a, b) && a.density == b.density;
}

void RestorePicture(const PictureState& saved, TFractalRec& v, Effects& effects, DensitySettings& density) {
    DefiningFields(v) = DefiningFields(saved.record);
    for (const VariationInfo& variation : kVariations) v.*variation.field = saved.record.*variation.field;
    v.AA = v.AAStart;
    effects = saved.effects;
    density = saved.density;
}

void PictureHistory::Record(const PictureState& state) {
    if (!states_.empty() && DefinesSamePicture(states_[current_], state)) return;
    if (!states_.empty())
        states_.erase(states_.begin() + static_cast<std::ptrdiff_t>(current_) + 1, states_.end());
    states_.push_back(state);
    if (states_.size() > kMostSteps) states_.pop_front();
    current_ = states_.size() - 1;
}

void PictureHistory::Amend(const PictureState& state) {
    if (states_.empty()) {
        states_.push_back(state);
        current_ = 0;
        return;
    }
    states_[current_] = state;
}

const PictureState& PictureHistory::Undo() {
    if (CanUndo()) --current_;
    return states_[current_];
}

const PictureState& PictureHistory::Redo() {
    if (CanRedo()) ++current_;
    return states_[current_];
}

}  // namespace zephyrin
