#include "installer/unattended.h"

#include "installer/discovery.h"
#include "installer/exit_codes.h"
#include "installer/install_run.h"
#include "installer/run_environment.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace installer {

namespace {

using lcsdk::filesystem::file_path;

// How often the run is looked at while it goes on.
constexpr std::chrono::milliseconds poll_interval{50};

// A reason the run ends early, on standard error and in the log, then the end.
int end_early(install_log& log, const std::string& reason, int exit_code)
{
    write_standard_error(reason + "\n");
    log.note("error: " + reason);
    log.end(exit_code);
    return exit_code;
}

// The folders the options choose: each version found that they name (all found when they name
// none), and their folder as the custom slot. A named version that is not installed is skipped.
folder_list chosen_folders(const command_options& options, const folder_list& discovered, install_log& log)
{
    folder_list chosen = empty_folder_list();
    for (int slot = 0; slot < Custom; ++slot) {
        const auto index = static_cast<std::size_t>(slot);
        if (options.versions && !(*options.versions)[index])
            continue;
        const file_path& folder = folder_of(discovered, slot);
        if (!folder.empty())
            chosen[index] = folder;
        else if (options.versions)
            log.skipped(slot);
    }
    if (!options.folder.empty())
        chosen[Custom] = lcsdk::filesystem::with_native_separators(file_path::from_utf8(options.folder));
    return chosen;
}

int exit_code_of(const folder_list& chosen, const status_list& status)
{
    const std::vector<int> slots = chosen_slots(chosen, empty_folder_list());
    const auto status_of = [&](int slot) { return status[static_cast<std::size_t>(slot)]; };
    if (std::all_of(slots.begin(), slots.end(), [&](int slot) { return status_of(slot) == status_installed; }))
        return exit_installed;
    if (std::any_of(slots.begin(), slots.end(), [&](int slot) { return status_of(slot) == status_installer_busy; }))
        return exit_installer_busy;
    return exit_install_failed;
}

} // namespace

void start_log(install_log& log, const command_options& options, std::string_view program,
               const std::vector<std::string>& arguments)
{
    if (options.log_file.empty())
        return;
    if (!log.open(lcsdk::filesystem::with_native_separators(file_path::from_utf8(options.log_file)))) {
        write_standard_error("the log file \"" + options.log_file + "\" cannot be opened; going on without it\n");
        return;
    }
    // Asked only for the log: naming a domain account may need its domain controller.
    log.start(program, arguments, user_name(), running_elevated());
}

int refuse_arguments(const command_options& options, install_log& log)
{
    return end_early(log, "invalid arguments: " + options.error, exit_invalid_arguments);
}

int run_unattended(const command_options& options, bool elevated, install_log& log)
{
    if (!elevated)
        return end_early(log,
                         "an unattended installation needs administrator rights: start it elevated on Windows, "
                         "as root on macOS",
                         exit_elevation_required);

    const folder_list discovered = find_plugin_folders();
    log.found(discovered);
    const folder_list chosen = chosen_folders(options, discovered, log);
    if (chosen_slots(chosen, empty_folder_list()).empty())
        return end_early(log, "no host version found and no folder given: nothing to install", exit_no_host);

    System engine;
    engine.interaction_allowed = false;
    engine.start(chosen);
    for (bool told = false;;) {
        const System::snapshot state = engine.read();
        if (state.finished)
            break;
        if (state.waiting && !told) {
            log.note("waiting for another installer to finish");
            told = true;
        }
        std::this_thread::sleep_for(poll_interval);
    }
    engine.join();
    const status_list status = engine.read().status;
    log.outcomes(chosen, status);
    const int exit_code = exit_code_of(chosen, status);
    log.end(exit_code);
    return exit_code;
}

} // namespace installer
