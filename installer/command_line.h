#pragma once

#include "installer/host_versions.h"

#include <optional>
#include <string>
#include <vector>

// The options both programs take, each in its platform's spelling:
//   lcinstaller-win  /S  /VERSIONS=CS6,CC2017  /D=<folder>       /LOG=<file>
//   lcinstaller-mac  --silent  --versions=CS6,CC2017  --folder=<folder>  --log=<file>
// The first asks for an unattended run; the versions and the folder belong to it; the log works in
// the wizard too. Without the unattended option other arguments are left alone, as the wizard
// always has (the Windows program's elevation marker among them); with it, every argument must be
// one of these.
namespace installer {

enum class option_syntax { windows, mac };

struct command_options {
    bool unattended = false;
    // The versions named, by catalogue slot (never Custom); nothing: every version discovery finds.
    std::optional<per_version<bool>> versions;
    // One more folder for the main plug-in, as the Custom choice; UTF-8 with the platform's
    // separators, absolute. Empty: none.
    std::string folder;
    // The log file, UTF-8 as given. Empty: no log.
    std::string log_file;
    // Why the arguments are invalid: the first fault found. Empty when they are valid.
    std::string error;
};

// Reads the arguments after the program's name, UTF-8.
command_options read_command_line(const std::vector<std::string>& arguments, option_syntax syntax);

} // namespace installer
