#pragma once

#include "installer/system.h"

#include <cstdint>
#include <functional>
#include <vector>

// What every platform's `System::install` shares: which slots a run covers, which payload each
// slot gets, and the per-slot status protocol.
namespace installer {

enum class payload_kind {
    main,   // the plug-in for every offered version
    legacy, // the plug-in for the two oldest versions
};

// The legacy plug-in for the two oldest versions, and for the custom folder unless the caller asks
// for the main one there; the main plug-in everywhere else.
payload_kind payload_for(int slot, int custom_main_payload);

// Slots with a plug-in folder or a script folder, in catalogue order.
std::vector<int> chosen_slots(const folder_list& plugin_folders, const folder_list& script_folders);

// The plug-in folder of a slot; empty when the list is too short to hold it.
const lcsdk::filesystem::file_path& folder_of(const folder_list& folders, int slot);

// Clears `done` when a run starts and sets it when the run leaves the scope, after every status
// change of the run, on every path out of it.
class run_scope {
public:
    explicit run_scope(System& engine) : engine_(engine) { engine_.done.store(false); }
    ~run_scope() { engine_.done.store(true); }
    run_scope(const run_scope&) = delete;
    run_scope& operator=(const run_scope&) = delete;

private:
    System& engine_;
};

// For each slot in order: status 1, then the status `install_slot` returns (2 when installed).
// The first failure ends the loop, leaving later slots as they were. True when every slot got 2.
bool install_each(System& engine, const std::vector<int>& slots,
                  const std::function<std::int32_t(int slot)>& install_slot);

// Gives every slot the same failure status: a run refused before anything was written.
void fail_each(System& engine, const std::vector<int>& slots, std::int32_t status);

// Ends a run whose worker could not be started: its first chosen slot (the custom slot when none
// is chosen) fails with status_not_started, and the run is done, so the wizard offers a retry.
void fail_to_start(System& engine, const folder_list& plugin_folders);

} // namespace installer
