#pragma once

#include <chrono>
#include <memory>

// The machine-wide lock that keeps two installers (a wizard and a deployment agent, or two agents)
// from writing at the same time: every run holds it while it writes. Each platform defines it: a
// named mutex in the Global namespace on Windows, a lock file taken with flock in a folder only
// root can write to on macOS. The process's end gives the lock back, however it ends.
namespace installer {

class install_lock {
public:
    // Opens the lock without taking it.
    install_lock();
    // Gives the lock back when it was taken. Runs on the thread that took it.
    ~install_lock();
    install_lock(const install_lock&) = delete;
    install_lock& operator=(const install_lock&) = delete;

    // Takes the lock when it is free; false when another installer holds it.
    bool try_take();
    // Waits up to `patience` for the lock; false when another installer still holds it then.
    bool take(std::chrono::milliseconds patience);

    struct native;

private:
    // Null when this machine offers no lock to this process (the Windows program without
    // administrator rights, a macOS user's wizard before any installer ran as root): the run then
    // goes ahead without it.
    std::unique_ptr<native> native_;
};

} // namespace installer
