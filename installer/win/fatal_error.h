#pragma once

#include <functional>
#include <string_view>

namespace installer::win {

// The exit code of a run that could not go on and said so.
inline constexpr int fatal_error_exit_code = 1;

// Shows why the installer cannot go on in a plain system message box (the toolkit may be what
// failed) and returns fatal_error_exit_code.
int report_fatal_error(std::string_view reason);

// Runs `body`, which returns the exit code. An exception that escapes it (a part of Windows that the
// user interface cannot work without: the Direct2D, DirectWrite or imaging factory, a render target)
// is reported with report_fatal_error once everything it unwound has been destroyed.
int run_reporting_fatal_errors(const std::function<int()>& body);

} // namespace installer::win
