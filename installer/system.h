#pragma once

#include "installer/host_versions.h"
#include "installer/status_codes.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace installer {

using status_list = per_version<status_code>;

// The installation engine. A caller starts a run, which `install` carries out on a worker thread,
// reads the statuses as often as it likes, and joins the worker once the run reads as finished;
// the worker stores `done` after the last status change of a run, so a reader that loads `done`
// first and then the statuses sees the final statuses of that run.
class System {
public:
    System() = default;
    // Waits for a run that still goes on.
    ~System();
    System(const System&) = delete;
    System& operator=(const System&) = delete;

    // One run, the body of the worker thread. Defined by each platform (installer/win,
    // installer/mac, installer/neutral) on the shared helpers of install_run.h. Script folders
    // belong to the engine's interface; this installer carries no script files.
    void install(const folder_list& plugin_folders, const folder_list& script_folders, int custom_main_payload);

    // The run protocol (install_run.cpp), for the wizard and for any caller without one.

    // Starts a run over `plugin_folders` (11 slots, empty: not chosen) on a new worker thread,
    // with the main plug-in for the custom folder too, after joining the worker of an earlier run.
    // From the start on, the run reads as not finished. When no thread can be started, the run
    // ends at once with status_not_started on its first chosen slot. The worker holds the
    // machine's install lock (install_lock.h) while the run writes; while another installer holds
    // it, the run reads as waiting, and when it is still held after `lock_patience`, the run ends
    // with status_installer_busy on its first chosen slot, nothing written.
    void start(const folder_list& plugin_folders);

    // Loads `done` first, then every status, so a `finished` snapshot is never stale.
    struct snapshot {
        bool finished = false;
        bool waiting = false; // for another installer's run to end
        status_list status{};
    };
    snapshot read() const;

    // Waits for the worker of the last run; returns at once when there is none.
    void join();
    // Whether a worker is still to be joined.
    bool has_worker() const { return worker_.joinable(); }

    std::atomic<bool> done{false};
    per_version<std::atomic<status_code>> status{};
    std::atomic<bool> waiting{false};

    // Set before a run starts. How long a run waits for another installer's run to end.
    std::chrono::milliseconds lock_patience = std::chrono::minutes(2);
    // Whether the engine may ask the user (the macOS engine's administrator prompt); an unattended
    // run asks nobody.
    bool interaction_allowed = true;

private:
    std::thread worker_;
};

} // namespace installer
