#pragma once

#include "installer/run_environment.h"
#include "installer/system.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The run log that both programs write when asked to: one UTF-8 text file, appended to, each line
// stamped with the local time ("2025-01-31T14:03:08+01:00 "). A record of several lines (an
// outcome's explanation) continues on lines indented by four spaces after the stamp; a record's
// first line never starts with a space.
namespace installer {

class install_log {
public:
    // Opens `file` for appending, making its folder when missing; false when it cannot, and the
    // log then writes nothing.
    bool open(const lcsdk::filesystem::file_path& file);
    bool is_open() const { return file_ != nullptr; }

    // The program, its version, the arguments as given, the account and its rights.
    void start(std::string_view program, const std::vector<std::string>& arguments, std::string_view user,
               bool elevated);
    // Every version that discovery found, with its plug-in folder.
    void found(const folder_list& discovered);
    // A version the options named that is not installed on this machine.
    void skipped(int slot);
    // Every slot the run covered, with its status and the text the wizard shows for it.
    void outcomes(const folder_list& run_folders, const status_list& status);
    void note(std::string_view text);
    void end(int exit_code);

private:
    void write(std::string_view record);

    std::unique_ptr<append_file> file_;
};

// "2025-01-31T14:03:08+01:00"
std::string time_stamp(const clock_reading& clock);

// What the log says about a slot's status: "installed", "not attempted", or the wizard's text for
// the failure.
std::string outcome_text(status_code status);

} // namespace installer
