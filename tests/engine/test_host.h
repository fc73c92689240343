#pragma once

#include <functional>

#include "engine/core/engine.h"
#include "imaging/picture.h"

namespace zephyrin::testing {

// A window stand-in: owns a picture, counts the calls out of the engine and
// lets a test act after any iteration (stop, start another drawing, inspect).
class TestHost final : public EngineHost {
public:
    explicit TestHost(TFractalRec& rec) : rec_(rec), picture_(rec.width, rec.height) { picture = &picture_; }

    // Stops this host's record once `count` iterations have been pumped.
    void StopAfter(long count) { stopAfter_ = count; }

    void UpdateParameters() override { ++updateParametersCalls; }
    void ProcessMessages() override {
        ++pumped;
        if (onPump) onPump(pumped);
        if (stopAfter_ >= 0 && pumped >= stopAfter_) rec_.stop = kTrue;
    }

    Picture& Image() { return picture_; }

    long pumped = 0;
    int updateParametersCalls = 0;
    std::function<void(long)> onPump;

private:
    TFractalRec& rec_;
    Picture picture_;
    long stopAfter_ = -1;
};

// A record laid out for a width x height picture whose frozen view spans
// [xMin, xMax] x [yMin, yMax]; every variation off, intensity 0.
inline TFractalRec PlotRecord(int width, int height, double xMin, double xMax, double yMin, double yMax) {
    TFractalRec v;
    v.width = v.listWidth = width;
    v.height = v.listHeight = height;
    v.plotXMin = xMin;
    v.plotXMax = xMax;
    v.plotYMin = yMin;
    v.plotYMax = yMax;
    v.transformMode = 3;
    v.randomizer = 2.0;
    return v;
}

}  // namespace zephyrin::testing
