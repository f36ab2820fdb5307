#pragma once

#include "installer/system.h"

#include <functional>
#include <vector>

// What every platform's `System::install` shares: which slots a run covers, which payload each
// slot gets, and the per-slot status protocol. The run protocol around the worker thread
// (`System::start`, `read`, `join`) is defined here too.
namespace installer {

enum class payload_kind {
    main,   // the plug-in for every offered version
    legacy, // the plug-in for the two oldest versions
};

// The legacy plug-in for the two oldest versions, and for the custom folder unless the caller asks
// for the main one there; the main plug-in everywhere else.
payload_kind payload_for(int slot, int custom_main_payload);

// The payloads that a run's slots with a plug-in folder need, each once, in the order first needed.
std::vector<payload_kind> payloads_used(const std::vector<int>& slots, const folder_list& plugin_folders,
                                        int custom_main_payload);

// Slots with a plug-in folder or a script folder, in catalogue order.
std::vector<int> chosen_slots(const folder_list& plugin_folders, const folder_list& script_folders);

// The plug-in folder of a slot; empty when the list is too short to hold it.
const lcsdk::filesystem::file_path& folder_of(const folder_list& folders, int slot);

// Clears `done` when a run starts and sets it when the run leaves the scope, after every status
// change of the run, on every path out of it. The one writer of `done`.
class run_scope {
public:
    explicit run_scope(System& engine) : engine_(&engine) { engine_->done.store(false); }
    ~run_scope()
    {
        if (engine_ != nullptr)
            engine_->done.store(true);
    }
    run_scope(const run_scope&) = delete;
    run_scope& operator=(const run_scope&) = delete;

    // The run goes on elsewhere (on a worker thread, whose engine opens a scope of its own): this
    // scope leaves `done` as it is.
    void hand_over() { engine_ = nullptr; }

private:
    System* engine_;
};

// For each slot in order: status 1, then the status `install_slot` returns (2 when installed).
// The first failure ends the loop, leaving later slots as they were. True when every slot got 2.
bool install_each(System& engine, const std::vector<int>& slots,
                  const std::function<status_code(int slot)>& install_slot);

// Gives every slot the same failure status: a run refused before anything was written.
void fail_each(System& engine, const std::vector<int>& slots, status_code status);

} // namespace installer
