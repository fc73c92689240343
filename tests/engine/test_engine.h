#pragma once

#include "engine/core/engine.h"

namespace zephyrin {

// The engine with its steps and working state opened, for tests that set up
// and inspect single steps.
class TestEngine : public Engine {
public:
    using Engine::Engine;

    using Engine::Attach;
    using Engine::CheckRunaway;
    using Engine::CheckRunawayBoth;
    using Engine::EngineStep;
    using Engine::FormulaStep;
    using Engine::PlotPoint;
    using Engine::PlotVariations;
    using Engine::RandomStart;
    using Engine::ResetDrawing;

    using Engine::AA;
    using Engine::accX;
    using Engine::accY;
    using Engine::BB;
    using Engine::cycles;
    using Engine::hits;
    using Engine::j;
    using Engine::level;
    using Engine::listSide;
    using Engine::px;
    using Engine::py;
    using Engine::sign;
    using Engine::v;
    using Engine::W;
    using Engine::x;
    using Engine::xIn;
    using Engine::xn;
    using Engine::y;
    using Engine::yIn;
};

}  // namespace zephyrin
