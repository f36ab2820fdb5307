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

// Payload identifiers: the plug-in for every offered version, and the one for the two oldest
// versions, which this build does not carry.
inline constexpr int main_payload_id = 400;
inline constexpr int legacy_payload_id = 300;

using status_list = per_version<std::int32_t>;

// The installation engine. `install` runs on the worker thread; the user-interface thread only
// reads `done` and `status`. The worker stores `done` after the last status change of a run, so a
// reader that loads `done` first and then the statuses sees the final statuses of that run.
class System {
public:
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
