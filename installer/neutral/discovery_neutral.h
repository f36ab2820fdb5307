#pragma once

// The neutral build's stand-in for the host registry and the shell's folder dialog, set as data
// by tests (as the offscreen platform takes its screen as data). Only tests use this header.

#include "installer/host_versions.h"

#include <deque>
#include <string>
#include <vector>

namespace lcsdk::ui {
class window;
}

namespace installer::neutral {

// What find_plugin_folders returns from now on (padded or cut to 11 slots).
void set_discovered_folders(folder_list folders);

// One answer of the folder dialog: a folder (empty: the user cancelled), or a failure message
// that select_folder throws.
struct folder_dialog_answer {
    lcsdk::filesystem::file_path folder;
    std::string failure;
};
void queue_folder_dialog_answer(folder_dialog_answer answer);

// Every call of select_folder, for checking what the wizard asked.
struct folder_dialog_call {
    std::string title;
    const lcsdk::ui::window* owner = nullptr;
    lcsdk::filesystem::file_path initial_folder;
};
const std::vector<folder_dialog_call>& folder_dialog_calls();

// No hosts, no queued answers, no recorded calls.
void reset();

} // namespace installer::neutral
