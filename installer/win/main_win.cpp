// Entry of lcinstaller-win: an unelevated start relaunches itself elevated with the marker "/UAC";
// the elevated copy runs the wizard, or says in a message box why it cannot.
#include "installer/run_installer_ui.h"
#include "installer/win/elevation.h"
#include "installer/win/fatal_error.h"
#include "installer/win/system_dlls.h"
#include "lcsdk/ui/win32/wide_text.h"

#include <windows.h>

#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int)
{
    // The program usually starts from a download folder and runs elevated, so a DLL planted beside
    // it must never load: from here on every load that names no full path searches only the
    // system folder. The system DLLs that are not KnownDLLs are delay-loaded, so nothing loads
    // them before this call; they are then loaded from the system folder at once, because some
    // systems let a DLL's own loads of other DLLs search the program's folder all the same.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    const installer::win::system_dlls trusted_dlls;

    if (command_line != nullptr && std::wcsstr(command_line, installer::win::elevated_marker) != nullptr) {
        if (const std::wstring_view missing = trusted_dlls.missing(); !missing.empty())
            return installer::win::report_fatal_error(lcsdk::ui::win32::wide_to_utf8(missing) + " could not be loaded");
        return installer::win::run_reporting_fatal_errors([] {
            installer::run_installer_ui();
            return 0;
        });
    }
    return installer::win::relaunch_elevated() ? 0 : 1;
}
