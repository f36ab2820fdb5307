#pragma once

#include "lcsdk/filesystem/file_path.h"

#include <memory>
#include <string>
#include <string_view>

// What the run log and an unattended run ask of the platform: the clock, who runs the program and
// with which rights, a file to append to, and the standard error stream. Each platform defines
// these (installer/win, installer/posix).
namespace installer {

// The local time of day and its offset from UTC.
struct clock_reading {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int utc_offset_minutes = 0;
};

clock_reading read_clock();

// The account the program runs as ("DOMAIN\name" on Windows, the user name elsewhere).
std::string user_name();

// Whether the program runs with the rights an installation needs: an elevated token on Windows,
// root elsewhere.
bool running_elevated();

// A file opened for appending: every write goes to its end, also while another process appends.
class append_file {
public:
    virtual ~append_file() = default;
    // False when not every byte was written.
    virtual bool write(std::string_view bytes) = 0;
};

// Opens `file` for appending, creating it when missing; null when it cannot be opened.
std::unique_ptr<append_file> open_for_appending(const lcsdk::filesystem::file_path& file);

// Writes a UTF-8 text to the standard error stream, when the program has one.
void write_standard_error(std::string_view text);

} // namespace installer
