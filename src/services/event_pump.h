#pragma once

#include <chrono>
#include <cstdint>

namespace zephyrin {

// The message dispatch a drawing calls after every iteration. Dispatching
// costs far more than an iteration, so pending events are handled only once
// about two milliseconds have passed since the last dispatch; the clock
// itself is read only every few dozen calls.
class EventPump {
public:
    static constexpr std::chrono::microseconds kPeriod{2000};
    static constexpr std::uint32_t kCallsPerClockRead = 64;

    void pump() {
        if (++calls_ % kCallsPerClockRead != 0) return;
        const auto now = std::chrono::steady_clock::now();
        if (now - lastDispatch_ < kPeriod) return;
        dispatch();
        lastDispatch_ = std::chrono::steady_clock::now();
    }

private:
    static void dispatch();

    std::uint32_t calls_ = 0;
    std::chrono::steady_clock::time_point lastDispatch_ = std::chrono::steady_clock::now();
};

}  // namespace zephyrin
