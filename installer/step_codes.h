#pragma once

// Step codes of the engines that write the plug-in as one file (Windows, and the neutral build
// that mirrors it). A failing step becomes the slot's status code: the step code times ten.
namespace installer {

enum step_code : int {
    step_ok = 0,
    step_payload_missing = 2,    // no payload of that kind in the program
    step_payload_unloadable = 3, // the payload exists but cannot be read
    step_create_failed = 4,      // the plug-in file cannot be created or put in place
    step_write_failed = 5,       // not every byte could be written
};

} // namespace installer
