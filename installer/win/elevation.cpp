#include "installer/win/elevation.h"

#include "installer/win/command_line_quoting.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <optional>
#include <string>

namespace installer::win {

namespace {

// The longest path Windows knows, and its terminator.
constexpr DWORD longest_path = 32'768;

} // namespace

// A path that fills the buffer was cut short (older systems do not even terminate it), and a cut
// path may name another program, so the buffer grows until the path fits or the limit is reached.
std::optional<std::wstring> executable_path()
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD capacity = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameW(GetModuleHandleW(nullptr), buffer.data(), capacity);
        if (length == 0)
            return std::nullopt;
        if (length < capacity) {
            buffer.resize(length);
            return buffer;
        }
        if (capacity >= longest_path)
            return std::nullopt;
        buffer.assign(std::min(capacity * 2, longest_path), L'\0');
    }
}

bool relaunch_elevated(const std::wstring& log_file)
{
    const std::optional<std::wstring> executable = executable_path();
    if (!executable)
        return false;
    const std::wstring arguments = elevated_copy_arguments(log_file);

    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // A failed start ends the program with 1 and nothing on the screen: without this the shell
    // would show its own error box and wait for it. The consent prompt is not affected.
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"runas";
    info.lpFile = executable->c_str();
    info.lpParameters = arguments.c_str();
    info.nShow = SW_SHOWDEFAULT;
    return ShellExecuteExW(&info) != FALSE;
}

} // namespace installer::win
