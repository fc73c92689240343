#pragma once

#include <ctime>

namespace zephyrin::bench {

// CPU seconds of the calling thread, or of the whole process, for the
// measuring tools: what they compare is work done, whatever the load.
inline double ClockSeconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}
inline double ThreadCpuSeconds() {
    return ClockSeconds(CLOCK_THREAD_CPUTIME_ID);
}
inline double ProcessCpuSeconds() {
    return ClockSeconds(CLOCK_PROCESS_CPUTIME_ID);
}

}  // namespace zephyrin::bench
