#include "engine/explore/orbit_probe.h"

#include <cmath>

#include "engine/core/variation_pass.h"

namespace zephyrin {

OrbitProbe::OrbitProbe(const TFractalRec& rec, const Effects& effects, std::uint64_t seed)
    : Engine(seed), record_(rec) {
    probeHost_.effects = effects;
    record_.stop = kFalse;
    Attach(record_, probeHost_);
    Restart();
}

// The engine's pointers must follow the copy to its own record and host.
OrbitProbe::OrbitProbe(const OrbitProbe& other)
    : Engine(other),
      record_(other.record_),
      probeHost_(other.probeHost_),
      plotted_(other.plotted_),
      plottedCount_(other.plottedCount_) {
    Attach(record_, probeHost_);
}

OrbitProbe& OrbitProbe::operator=(const OrbitProbe& other) {
    Engine::operator=(other);
    record_ = other.record_;
    probeHost_ = other.probeHost_;
    plotted_ = other.plotted_;
    plottedCount_ = other.plottedCount_;
    Attach(record_, probeHost_);
    return *this;
}

void OrbitProbe::MakeRandomStart() {
    RandomStart();
    Restart();
}

void OrbitProbe::Restart() {
    ResetOrbit();
    accX = x;
    accY = y;
    plottedCount_ = 0;
}

bool OrbitProbe::Step() {
    const std::int64_t rescuedBefore = rescues;
    ChooseTransform();
    FormulaStep();
    plottedCount_ = 0;
    PassVariations([this](double plotX, double plotY) { plotted_[plottedCount_++] = {plotX, plotY}; });
    CountIteration();
    return rescues == rescuedBefore && std::isfinite(x) && std::isfinite(y);
}

void OrbitProbe::SetState(const OrbitState& state) {
    x = state[0];
    y = state[1];
    W = state[2];
    xn = state[3];
}

void TakeStartValues(TFractalRec& into, const TFractalRec& from) {
    into.af = from.af;
    into.AA = from.AA;
    into.AACopy = from.AACopy;
    into.AAStart = from.AAStart;
    into.startX = from.startX;
    into.startY = from.startY;
    into.lastX = from.lastX;
    into.lastY = from.lastY;
    into.randomStart = from.randomStart;
}

TFractalRec WithStartMade(const TFractalRec& v, const Effects& effects, std::uint64_t seed) {
    TFractalRec record = v;
    if (record.randomStart) {
        OrbitProbe starter(record, effects, seed);
        starter.MakeRandomStart();
        TakeStartValues(record, starter.Record());
    }
    return record;
}

}  // namespace zephyrin
