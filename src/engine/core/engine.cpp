#include "engine/core/engine.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "imaging/picture.h"

namespace zephyrin {

namespace {

std::uint64_t ClockSeed() {
    return static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

}  // namespace

Engine::Engine() : random_(ClockSeed()) {}

Engine::Engine(std::uint64_t seed) : seededFromClock_(false), random_(seed) {}

void Engine::Randomize() {
    // Two random starts within one clock tick must still differ.
    if (seededFromClock_) random_.Seed(ClockSeed() ^ (++clockSalt_ * 0x9e3779b97f4a7c15ULL));
}

void Engine::RunEngine(TFractalRec& rec, EngineHost& host) {
    Attach(rec, host);
    if (v->randomStart) RandomStart();
    ResetDrawing();
    IterateUntilStopped();
}

void Engine::ResumeEngine(TFractalRec& rec, EngineHost& host) {
    Attach(rec, host);
    // Color Mix's channel order goes on as if this engine had made every iteration.
    cycles = static_cast<std::int32_t>((static_cast<std::uint32_t>(v->iterations) + 999u) / 1000u);
    x = v->startX;
    y = v->startY;
    W = 0.0;
    FixPlotBounds();
    const auto side = static_cast<std::size_t>(listSide);
    // A list of another size holds no counts of this drawing.
    if (host_->hitList.size() != side * side) host_->hitList.assign(side * side, kUntouchedCount);
    IterateUntilStopped();
}

void Engine::IterateUntilStopped() {
    // `v` is read afresh on every pass: a drawing started inside
    // ProcessMessages re-points it, and this loop then ends with that one.
    struct DepthGuard {
        int& depth;
        explicit DepthGuard(int& d) : depth(d) { ++depth; }
        ~DepthGuard() { --depth; }
    } guard(depth_);
    while (!v->stop) {
        EngineStep();
        host_->ProcessMessages();
    }
}

void Engine::HoldWhileDrawnElsewhere(TFractalRec& rec, EngineHost& host) {
    Attach(rec, host);
    ++depth_;
    struct Unwind {
        int& depth;
        ~Unwind() { --depth; }
    } unwind{depth_};
    while (!v->stop) host_->ProcessMessages();
}

void Engine::RandomStartIfPending(TFractalRec& rec, EngineHost& host) {
    Attach(rec, host);
    if (v->randomStart) RandomStart();
}

void Engine::RandomStart() {
    Randomize();
    v->ticks = 0;
    const double range = v->randomizer;
    auto draw = [&] { return (Random() - 0.5) * range; };
    for (int i = 1; i <= 60; ++i) {
        v->af[i] = draw();
        v->af[i + 60] = draw();
    }
    v->randomStart = kFalse;
    const double a = draw();
    v->AACopy = a;
    v->AA = a;
    v->AAStart = a;
    W = 1.0;
    x = draw();
    y = draw();
    accX = x;
    accY = y;
    v->startX = x;
    v->startY = y;
    v->lastX = x;
    v->lastY = y;
    sign = 1.0;
}

void Engine::ResetOrbit() {
    v->ticks = 0;
    v->iterations = 0;
    cycles = 0;
    v->AA = v->AAStart;
    x = v->startX;
    y = v->startY;
    W = 0.0;
}

void Engine::FixPlotBounds() {
    listSide = std::max({v->listWidth, v->listHeight, 0});
    plotWidth_ = std::clamp(v->width, 0, listSide);
    plotHeight_ = std::clamp(v->height, 0, listSide);
}

void Engine::ResetDrawing() {
    ResetOrbit();
    FixPlotBounds();

    const std::size_t side = static_cast<std::size_t>(listSide);
    // assign would keep the capacity of the largest drawing ever made; a list
    // of the new size takes the old one's place instead, made first so that
    // a failed allocation leaves the old list whole.
    if (std::vector<std::int32_t>& list = host_->hitList; list.capacity() != side * side) {
        std::vector<std::int32_t> fresh(side * side, kUntouchedCount);
        list.swap(fresh);
    } else {
        list.assign(side * side, kUntouchedCount);
    }
    if (Picture* picture = host_->picture) {
        const std::uint32_t background = v->white ? Picture::Pack(255, 255, 255) : 0;
        const int w = std::min(picture->Width(), listSide);
        const int h = std::min(picture->Height(), listSide);
        for (int row = 0; row < h; ++row)
            for (int column = 0; column < w; ++column) picture->SetPixel(column, row, background);
    }
    host_->UpdateParameters();
}

void Engine::EngineStep() {
    ChooseTransform();
    FormulaStep();
    PlotVariations();
    CountIteration();
}

void Engine::ChooseTransform() {
    const int mode = v->transformMode;
    if (mode >= 1 && mode <= 3) {
        // Random() * mode * 20 lies in [0, 60), so the rounding cannot overflow.
        j = static_cast<std::int32_t>(std::lrint(Random() * mode * 20.0));
    }
    j = j < 19 ? 0 : j < 39 ? 19 : 39;
}

}  // namespace zephyrin
