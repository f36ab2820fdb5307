#pragma once

#include "installer/host_versions.h"

#include <string>

namespace lcsdk::ui {
class window;
}

// Where the hosts keep their plug-ins, and the folder dialog for the "Custom" destination.
// Each platform defines these.
namespace installer {

// The 11 discovered plug-in folders; empty slots were not found. Never fails.
folder_list find_plugin_folders();

// Shows the platform's folder picker owned by `owner` (may be null). Returns the chosen folder, or
// an empty path when the user cancels. Throws std::runtime_error when the dialog itself fails.
lcsdk::filesystem::file_path select_folder(const std::string& title, lcsdk::ui::window* owner,
                                           const lcsdk::filesystem::file_path& initial_folder);

} // namespace installer
