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

    using Clock = std::chrono::steady_clock;
    // Where the pump reads the time: the steady clock, or a test's own.
    using ClockReader = Clock::time_point (*)();

    explicit EventPump(ClockReader now = &Clock::now) : now_(now), lastDispatch_(now()) {}

    void pump() {
        if (++calls_ % kCallsPerClockRead != 0) return;
        if (now_() - lastDispatch_ < kPeriod) return;
        dispatch();
        lastDispatch_ = now_();
    }

private:
    static void dispatch();

    ClockReader now_;
    std::uint32_t calls_ = 0;
    Clock::time_point lastDispatch_;
};

}  // namespace zephyrin
