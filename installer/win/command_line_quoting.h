#pragma once

#include <string>
#include <string_view>

// Building a Windows command line that the started program reads back argument by argument
// (CommandLineToArgvW and the C runtime's rules). Plain C++, so that the unit tests compile it too.
namespace installer::win {

// One argument as it must stand in a command line: unchanged when it needs no quotes, otherwise in
// double quotes, with quotes inside escaped and the backslashes before a quote doubled.
std::wstring quote_argument(std::wstring_view argument);

// The arguments of the elevated copy: the marker, and the log option when a log file is given
// (its full path, since the copy starts in another folder).
std::wstring elevated_copy_arguments(std::wstring_view log_file);

} // namespace installer::win
