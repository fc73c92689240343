#pragma once

#include <atomic>
#include <cstdint>

#include "engine/core/engine.h"

namespace zephyrin {

// The host of one drawing thread: no events to handle, so the pump only
// counts iterations and, every few thousand, tells the other threads how far
// it is and looks whether it should stop. The count ends the drawing at
// exactly `budget` iterations.
class alignas(64) RenderHost final : public EngineHost {
public:
    static constexpr std::int64_t kCheckpointInterval = 4096;

    // A budget of 0 stops the drawing before its first iteration.
    RenderHost(TFractalRec& rec, std::int64_t budget, const std::atomic<bool>& stopRequested);

    void ProcessMessages() override {
        if (++done_ == checkpoint_) Checkpoint();
    }

    // Iterations done, as of the last checkpoint; readable from any thread.
    std::int64_t Published() const { return published_.load(std::memory_order_relaxed); }

private:
    void Checkpoint();

    TFractalRec& rec_;
    const std::int64_t budget_;
    const std::atomic<bool>& stopRequested_;
    std::int64_t done_ = 0;
    std::int64_t checkpoint_;
    std::atomic<std::int64_t> published_{0};
};

}  // namespace zephyrin
