// Reports where a top-level window's client area is on the screen, so that tests can click at the
// wizard's own coordinates:  window_probe.exe <title>  prints "x y width height" and exits 0, or
// exits 1 when no visible window has that title.  window_probe.exe <title> texts  prints the texts
// of the window's controls instead, one a line in UTF-8 (a message box's text and buttons).
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

BOOL CALLBACK print_text(HWND control, LPARAM)
{
    wchar_t text[2048] = {};
    GetWindowTextW(control, text, 2048);
    char utf8[8192] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("%s\n", utf8);
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 2;
    HWND window = FindWindowW(nullptr, argv[1]);
    if (window == nullptr || !IsWindowVisible(window))
        return 1;
    if (argc > 2 && std::wcscmp(argv[2], L"texts") == 0) {
        EnumChildWindows(window, print_text, 0);
        return 0;
    }
    RECT client{};
    POINT origin{0, 0};
    if (!GetClientRect(window, &client) || !ClientToScreen(window, &origin))
        return 1;
    std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, client.right - client.left, client.bottom - client.top);
    return 0;
}
