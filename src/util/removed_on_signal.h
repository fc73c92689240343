#pragma once

#include <signal.h>

#include <filesystem>

namespace zephyrin {

// Files that should not outlive a process that SIGINT, SIGTERM or SIGHUP
// ends, such as a save's temporary file, which would stay behind hidden
// beside the picture. Nothing is removed until RemoveFilesOnSignals has been
// called; a program without it only pays for the registration.

// Installs the handler for the three signals, leaving alone those the
// process ignores (as under nohup): it removes the files registered at that
// moment and ends the process by the same signal, with its default action.
void RemoveFilesOnSignals();

// Registers `path` (one of a few at a time, of at most 4095 bytes; others
// go unregistered) for as long as it lives. Make it while the three signals
// are held back (SignalsHeld) right after creating the file, so that a
// signal finds either no file or a registered one; held back on this thread
// only, which is enough for a program that saves on its only thread.
class RemovedOnSignal {
public:
    explicit RemovedOnSignal(const std::filesystem::path& path);
    ~RemovedOnSignal();
    RemovedOnSignal(const RemovedOnSignal&) = delete;
    RemovedOnSignal& operator=(const RemovedOnSignal&) = delete;

private:
    int slot_ = -1;
};

// Holds the three signals back on this thread for as long as it lives.
class SignalsHeld {
public:
    SignalsHeld();
    ~SignalsHeld();
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t previous_;
};

}  // namespace zephyrin
