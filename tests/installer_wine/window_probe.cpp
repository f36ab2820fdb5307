// Reports where a top-level window's client area is on the screen, so that tests can click at the
// wizard's own coordinates:  window_probe.exe <title>  prints "x y width height" and exits 0, or
// exits 1 when no visible window has that title.
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 2;
    HWND window = FindWindowW(nullptr, argv[1]);
    if (window == nullptr || !IsWindowVisible(window))
        return 1;
    RECT client{};
    POINT origin{0, 0};
    if (!GetClientRect(window, &client) || !ClientToScreen(window, &origin))
        return 1;
    std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, client.right - client.left, client.bottom - client.top);
    return 0;
}
