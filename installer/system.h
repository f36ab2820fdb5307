#pragma once

#include "installer/host_versions.h"

#include <atomic>
#include <cstdint>

namespace installer {

// Install status per catalogue slot: 0 not attempted, 1 being installed, 2 installed, otherwise
// a failure code (the failing step's code times ten, or a code of another engine).
inline constexpr std::int32_t status_not_attempted = 0;
inline constexpr std::int32_t status_installing = 1;
inline constexpr std::int32_t status_installed = 2;
// No worker thread could be started, so nothing was attempted; the message table does not know
// the code, and the user sees it with the unknown-error text.
inline constexpr std::int32_t status_not_started = 10;

using status_list = per_version<std::int32_t>;

// The installation engine. `install` runs on the worker thread; the user-interface thread only
// reads `done` and `status`. The worker stores `done` after the last status change of a run, so a
// reader that loads `done` first and then the statuses sees the final statuses of that run.
class System {
public:
    // Defined by each platform (installer/win, installer/mac, installer/posix) on the shared
    // helpers of install_run.h.
    void install(const folder_list& plugin_folders, const folder_list& script_folders, int custom_main_payload);

    // Loads `done` first, then every status, so a `finished` snapshot is never stale.
    struct snapshot {
        bool finished = false;
        status_list status{};
    };
    snapshot read() const;

    std::atomic<bool> done{false};
    per_version<std::atomic<std::int32_t>> status{};
};

} // namespace installer
