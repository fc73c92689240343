#pragma once

#include <cstdint>
#include <functional>

#include "engine/core/effects.h"
#include "engine/core/fractal_rec.h"
#include "imaging/picture.h"

namespace zephyrin {

// What a drawing painted as it goes leaves: its picture, its record after
// the drawing and the iterations it drew.
struct PaintedDrawing {
    Picture picture;
    TFractalRec record;
    std::int64_t iterations = 0;
};

// Engine(seed)'s own run of `start` on the calling thread, painting the
// picture as it goes: exactly `budget` iterations (none for a budget of 0),
// unless `goOn`, asked with the count every few thousand, says to stop.
PaintedDrawing PaintAsItGoes(const TFractalRec& start, const Effects& effects, std::uint64_t seed,
                             std::int64_t budget, const std::function<bool(std::int64_t)>& goOn);

}  // namespace zephyrin
