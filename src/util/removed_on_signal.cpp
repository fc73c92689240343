#include "util/removed_on_signal.h"

#include <pthread.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>

namespace zephyrin {
namespace {

constexpr std::array kSignals = {SIGINT, SIGTERM, SIGHUP};
constexpr std::size_t kLongestPath = 4096;

enum SlotState : int { kFree, kTaken, kRegistered };

// Filled before the handler can see them, so that it only reads memory
// that does not change under it.
struct Slot {
    std::atomic<int> state{kFree};
    char path[kLongestPath];
};
static_assert(std::atomic<int>::is_always_lock_free, "the handler may only use lock-free atomics");

std::array<Slot, 8> slots;

// Only async-signal-safe calls: unlink, and raise with the default action
// back in place (SA_RESETHAND).
extern "C" void RemoveAndEnd(int signal) {
    for (Slot& slot : slots)
        if (slot.state.load() == kRegistered) ::unlink(slot.path);
    ::raise(signal);
}

sigset_t ThreeSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : kSignals) sigaddset(&set, signal);
    return set;
}

}  // namespace

void RemoveFilesOnSignals() {
    for (const int signal : kSignals) {
        struct sigaction old {};
        if (::sigaction(signal, nullptr, &old) != 0 || old.sa_handler == SIG_IGN) continue;
        struct sigaction action {};
        action.sa_handler = RemoveAndEnd;
        sigemptyset(&action.sa_mask);
        // Reset, and not held back while the handler runs, so that the
        // signal it raises ends the process there and then.
        action.sa_flags = SA_RESETHAND | SA_NODEFER;
        ::sigaction(signal, &action, nullptr);
    }
}

RemovedOnSignal::RemovedOnSignal(const std::filesystem::path& path) {
    const std::string& text = path.native();
    if (text.size() >= kLongestPath) return;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        int expected = kFree;
        if (!slots[i].state.compare_exchange_strong(expected, kTaken)) continue;
        std::memcpy(slots[i].path, text.c_str(), text.size() + 1);
        slots[i].state.store(kRegistered);
        slot_ = static_cast<int>(i);
        return;
    }
}

RemovedOnSignal::~RemovedOnSignal() {
    if (slot_ >= 0) slots[static_cast<std::size_t>(slot_)].state.store(kFree);
}

SignalsHeld::SignalsHeld() {
    const sigset_t three = ThreeSignals();
    ::pthread_sigmask(SIG_BLOCK, &three, &previous_);
}

SignalsHeld::~SignalsHeld() {
    ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

}  // namespace zephyrin
