#pragma once

#include "installer/command_line.h"
#include "installer/install_log.h"

#include <string>
#include <string_view>
#include <vector>

// A start of either program up to its choice between the wizard and an unattended run, and the
// unattended run itself: no window, no question, no waiting for input; what happened is in the
// log and in the exit code (exit_codes.h).
namespace installer {

// Opens the log the options name and writes its start line. A log that cannot be opened is said
// on standard error; the program goes on without it.
void start_log(install_log& log, const command_options& options, std::string_view program,
               const std::vector<std::string>& arguments);

// Says why the arguments are invalid, on standard error and in the log, and ends the log;
// returns exit_invalid_arguments.
int refuse_arguments(const command_options& options, install_log& log);

// The unattended run of valid options, as a process with or without the rights an installation
// needs: finds the host versions, installs the plug-in into those the options choose (every one
// found when they name none) and into their folder, without asking anything, logs each outcome
// and the end. Returns the exit code.
int run_unattended(const command_options& options, bool elevated, install_log& log);

} // namespace installer
