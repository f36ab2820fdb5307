#include "installer/win/elevation.h"

#include <windows.h>
#include <shellapi.h>

namespace installer::win {

bool relaunch_elevated()
{
    wchar_t executable[260] = {};
    const DWORD length = GetModuleFileNameW(GetModuleHandleW(nullptr), executable, 260);
    // A path that did not fit arrives truncated, names no file, and the start below fails.
    if (length == 0)
        return false;

    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // A failed start ends the program with 1 and nothing on the screen: without this the shell
    // would show its own error box and wait for it. The consent prompt is not affected.
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"runas";
    info.lpFile = executable;
    info.lpParameters = elevated_marker;
    info.nShow = SW_SHOWDEFAULT;
    return ShellExecuteExW(&info) != FALSE;
}

} // namespace installer::win
