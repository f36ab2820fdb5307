#include "installer/install_run.h"

#include "installer/install_lock.h"

#include <algorithm>
#include <exception>

namespace installer {

namespace {

// Ends a run that wrote nothing: its first chosen slot (the custom slot when none is chosen) fails
// with `status`, so the caller sees a failed run and may try again.
void fail_first(System& engine, const folder_list& plugin_folders, status_code status)
{
    const std::vector<int> slots = chosen_slots(plugin_folders, empty_folder_list());
    const int slot = slots.empty() ? static_cast<int>(Custom) : slots.front();
    engine.status[static_cast<std::size_t>(slot)].store(status);
}

// Takes the machine's install lock for a run, waiting up to the engine's patience; reads as
// waiting meanwhile.
bool take_for_run(install_lock& lock, System& engine)
{
    if (lock.try_take())
        return true;
    engine.waiting.store(true);
    const bool taken = lock.take(engine.lock_patience);
    engine.waiting.store(false);
    return taken;
}

} // namespace

payload_kind payload_for(int slot, int custom_main_payload)
{
    if (slot == Custom)
        return custom_main_payload != 0 ? payload_kind::main : payload_kind::legacy;
    if (slot == CS3 || slot == CS4)
        return payload_kind::legacy;
    return payload_kind::main;
}

const lcsdk::filesystem::file_path& folder_of(const folder_list& folders, int slot)
{
    static const lcsdk::filesystem::file_path none;
    const auto index = static_cast<std::size_t>(slot);
    return index < folders.size() ? folders[index] : none;
}

std::vector<payload_kind> payloads_used(const std::vector<int>& slots, const folder_list& plugin_folders,
                                        int custom_main_payload)
{
    std::vector<payload_kind> kinds;
    for (const int slot : slots) {
        const payload_kind kind = payload_for(slot, custom_main_payload);
        if (!folder_of(plugin_folders, slot).empty() && std::find(kinds.begin(), kinds.end(), kind) == kinds.end())
            kinds.push_back(kind);
    }
    return kinds;
}

std::vector<int> chosen_slots(const folder_list& plugin_folders, const folder_list& script_folders)
{
    std::vector<int> slots;
    for (int slot = 0; slot < host_version_count; ++slot) {
        if (!folder_of(plugin_folders, slot).empty() || !folder_of(script_folders, slot).empty())
            slots.push_back(slot);
    }
    return slots;
}

bool install_each(System& engine, const std::vector<int>& slots,
                  const std::function<status_code(int slot)>& install_slot)
{
    for (const int slot : slots) {
        auto& status = engine.status[static_cast<std::size_t>(slot)];
        status.store(status_installing);
        const status_code result = install_slot(slot);
        status.store(result);
        if (result != status_installed)
            return false;
    }
    return true;
}

void fail_each(System& engine, const std::vector<int>& slots, status_code status)
{
    for (const int slot : slots)
        engine.status[static_cast<std::size_t>(slot)].store(status);
}

System::~System()
{
    join();
}

void System::start(const folder_list& plugin_folders)
{
    // Only one worker at a time; a caller that polls has joined it already.
    join();
    // The run starts now, not when its worker gets going: a read in between must not report the
    // end of the run before.
    run_scope run(*this);
    try {
        worker_ = std::thread([this, plugins = plugin_folders] {
            // Given back after the run, on this thread, which took it.
            install_lock lock;
            if (!take_for_run(lock, *this)) {
                const run_scope busy(*this);
                fail_first(*this, plugins, status_installer_busy);
                return;
            }
            install(plugins, empty_folder_list(), 1);
        });
        run.hand_over();
    } catch (const std::exception&) {
        // Out of threads or memory: the run ends here as failed, and a retry tries again.
        fail_first(*this, plugin_folders, status_not_started);
    }
}

void System::join()
{
    if (worker_.joinable())
        worker_.join();
}

System::snapshot System::read() const
{
    snapshot result;
    result.finished = done.load();
    result.waiting = waiting.load();
    for (std::size_t i = 0; i < status.size(); ++i)
        result.status[i] = status[i].load();
    return result;
}

} // namespace installer
