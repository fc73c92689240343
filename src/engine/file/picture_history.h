#pragma once

#include <cstddef>
#include <deque>

#include "engine/colouring/density_settings.h"
#include "engine/core/effects.h"
#include "engine/core/fractal_rec.h"

namespace zephyrin {

// What defines a picture: the record's values a drawing starts from (not the
// run's counters, nor the view edges it derives), the effect switches and
// the density colouring.
struct PictureState {
    TFractalRec record;
    Effects effects;
    DensitySettings density;
};

bool DefinesSamePicture(const PictureState& a, const PictureState& b);
// Whether the two are one drawing, coloured alike or not: the one's counts
// give the other's picture.
bool DrawsTheSameCounts(const PictureState& a, const PictureState& b);

// Puts a saved picture's defining values into a window's record, switches
// and colouring, leaving the run's own values alone.
void RestorePicture(const PictureState& saved, TFractalRec& v, Effects& effects, DensitySettings& density);

// A window's pictures, to step back and forward through. A new picture
// after stepping back drops the pictures ahead of it.
class PictureHistory {
public:
    static constexpr std::size_t kMostSteps = 200;

    // Adds `state` after the current picture unless it defines the same
    // picture; the oldest picture goes when there are too many.
    void Record(const PictureState& state);
    // Replaces the current picture (or records the first).
    void Amend(const PictureState& state);

    bool CanUndo() const { return current_ > 0; }
    bool CanRedo() const { return current_ + 1 < states_.size(); }
    // The picture before or after the current one, which becomes current.
    const PictureState& Undo();
    const PictureState& Redo();

    std::size_t Size() const { return states_.size(); }

private:
    std::deque<PictureState> states_;
    std::size_t current_ = 0;
};

}  // namespace zephyrin
