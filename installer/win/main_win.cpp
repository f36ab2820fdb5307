// Entry of lcinstaller-win. With /S it installs unattended in this process. Otherwise, as it always
// has: an unelevated start relaunches itself elevated with the marker "/UAC" (and the log option),
// and the elevated copy runs the wizard, or says in a message box why it cannot.
#include "installer/command_line.h"
#include "installer/run_installer_ui.h"
#include "installer/unattended.h"
#include "installer/win/elevation.h"
#include "installer/win/fatal_error.h"
#include "installer/win/system_dlls.h"
#include "lcsdk/ui/win32/wide_text.h"

#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

// The arguments after the program's name, as the C runtime would split them, in UTF-8.
std::vector<std::string> command_line_arguments()
{
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; words != nullptr && i < count; ++i)
        arguments.push_back(lcsdk::ui::win32::wide_to_utf8(words[i]));
    LocalFree(words);
    return arguments;
}

// The full path of a file named relative to the working folder; the path itself when it cannot
// be resolved.
std::wstring full_path(const std::string& file)
{
    const std::wstring path = lcsdk::ui::win32::utf8_to_wide(file);
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = size == 0 ? 0 : GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size)
        return path;
    full.resize(length);
    return full;
}

int ended(installer::install_log& log, int exit_code)
{
    log.end(exit_code);
    return exit_code;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int)
{
    // The program usually starts from a download folder and runs elevated, so a DLL planted beside
    // it must never load: from here on every load that names no full path searches only the
    // system folder. The system DLLs that are not KnownDLLs are delay-loaded, so nothing loads
    // them before this call; they are then loaded from the system folder at once, because some
    // systems let a DLL's own loads of other DLLs search the program's folder all the same.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    const installer::win::system_dlls trusted_dlls;

    const std::vector<std::string> arguments = command_line_arguments();
    const installer::command_options options =
        installer::read_command_line(arguments, installer::option_syntax::windows);
    installer::install_log log;
    installer::start_log(log, options, "lcinstaller-win", arguments);
    if (!options.error.empty())
        return installer::refuse_arguments(options, log);
    // No window, no question, no relaunch.
    if (options.unattended)
        return installer::run_unattended(options, installer::running_elevated(), log);

    if (command_line != nullptr && std::wcsstr(command_line, installer::win::elevated_marker) != nullptr) {
        if (const std::wstring_view missing = trusted_dlls.missing(); !missing.empty())
            return ended(log, installer::win::report_fatal_error(lcsdk::ui::win32::wide_to_utf8(missing) +
                                                                 " could not be loaded"));
        return ended(log, installer::win::run_reporting_fatal_errors([&log] {
                         installer::run_installer_ui(log.is_open() ? &log : nullptr);
                         return 0;
                     }));
    }
    // The elevated copy starts in another folder, so it gets the log's full path.
    const std::wstring log_file = options.log_file.empty() ? std::wstring() : full_path(options.log_file);
    return ended(log, installer::win::relaunch_elevated(log_file) ? 0 : 1);
}
