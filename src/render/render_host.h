#pragma once

#include <cstdint>
#include <functional>

#include "engine/core/engine.h"

namespace zephyrin {

// The host of a drawing the engine paints as it goes, on the calling thread:
// no events to handle, so the pump only counts iterations and, every few
// thousand, asks `goOn` with the count whether to draw on. The count ends
// the drawing at exactly `budget` iterations.
class RenderHost final : public EngineHost {
public:
    static constexpr std::int64_t kCheckpointInterval = 4096;

    // A budget of 0 stops the drawing before its first iteration.
    RenderHost(TFractalRec& rec, std::int64_t budget, std::function<bool(std::int64_t)> goOn);

    void ProcessMessages() override {
        if (++done_ == checkpoint_) Checkpoint();
    }

    std::int64_t Done() const { return done_; }

private:
    void Checkpoint();

    TFractalRec& rec_;
    const std::int64_t budget_;
    std::function<bool(std::int64_t)> goOn_;
    std::int64_t done_ = 0;
    std::int64_t checkpoint_;
};

}  // namespace zephyrin
