// The widget gallery: every widget of the toolkit in its states, for looking at them on Windows and
// for the Wine tests that drive them with real input:
//   widget_gallery.exe [--log <file>]
// The exit code is 40 plus the modal result: closing the window gives 40, Escape gives 42.
#include "gallery_window.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

std::wstring log_path_argument()
{
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring path;
    if (!words)
        return path;
    for (int i = 1; i + 1 < count; ++i) {
        if (std::wstring(words[i]) == L"--log")
            path = words[i + 1];
    }
    LocalFree(words);
    return path;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const std::wstring log_path = log_path_argument();
    examples::event_log log(log_path.empty() ? nullptr : _wfopen(log_path.c_str(), L"w"));
    int result = 0;
    {
        widget_gallery::gallery_window gallery(log);
        result = gallery.run();
    }
    log.line("exit " + std::to_string(40 + result));
    return 40 + result;
}
