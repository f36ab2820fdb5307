#pragma once

#include "installer/install_run.h"

#include "lcsdk/filesystem/file_path.h"

#include <cstdint>
#include <functional>

// The engines that write the plug-in as one file (Windows, and the neutral build that mirrors it).
namespace installer {

// A failing step becomes the slot's status code: the step code times ten.

enum step_code : int {
    step_ok = 0,
    step_payload_missing = 2,    // no payload of that kind in the program
    step_payload_unloadable = 3, // the payload exists but cannot be read
    step_create_failed = 4,      // the plug-in file cannot be created or put in place
    step_write_failed = 5,       // not every byte could be written
};

// Writes the payload of a kind into a vendor folder under the platform's file name; a step code.
using payload_writer = std::function<int(payload_kind kind, const lcsdk::filesystem::file_path& vendor_folder)>;

// One run of such an engine: for each chosen slot, makes the vendor folder in its plug-in folder
// and writes the slot's payload there; then, after a complete run, makes the vendor folder in the
// machine-wide data folder `app_data` (nothing when that is unknown, i.e. empty).
void install_plugin_files(System& engine, const folder_list& plugin_folders, const folder_list& script_folders,
                          int custom_main_payload, const payload_writer& write,
                          const lcsdk::filesystem::file_path& app_data);

} // namespace installer
