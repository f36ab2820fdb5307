#pragma once

#include "lcsdk/filesystem/file_path.h"

// The platform steps of a run; the run protocol in install_run.cpp calls them for each slot.
namespace installer {

// Step codes; a failing step becomes the status code times ten.
enum step_code : int {
    step_ok = 0,
    step_payload_missing = 2,    // no payload with that identifier in the program
    step_payload_unloadable = 3, // the payload exists but cannot be read
    step_create_failed = 4,      // the plug-in file cannot be created or put in place
    step_write_failed = 5,       // not every byte could be written
};

// Writes the payload with the given identifier to `target`. The file appears complete or not at
// all: the bytes go to a side file in the same folder that replaces the target only once it has
// been written in full, so a failure leaves the previous plug-in (or none) where the host loads it.
int write_payload(int payload_id, const lcsdk::filesystem::file_path& target);

// The machine-wide application data folder; empty when the platform cannot say.
lcsdk::filesystem::file_path common_app_data_folder();

} // namespace installer
