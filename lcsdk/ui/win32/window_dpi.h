#pragma once

#include <windows.h>

namespace lcsdk::ui::win32 {

// How the system scales a window for the DPI of its monitor.
enum class dpi_awareness { unaware, system_aware, per_monitor_v1, per_monitor_v2 };

// The awareness of the windows that the calling thread creates now. Systems before Windows 10
// 1607 cannot say; they have no per-monitor v2, and whatever they run the program as keeps the
// frame of the system DPI and reports no DPI per window, so they count as system-aware.
dpi_awareness thread_dpi_awareness();

// The DPI the system gave a window of a per-monitor awareness (that of its monitor); 0 for other
// awarenesses, whose windows keep the screen DPI, or where the system cannot say.
int per_monitor_dpi(HWND window, dpi_awareness awareness);

// The window rectangle around a client area of `client_width` x `client_height` pixels at {0, 0},
// with the frame the system draws for a window of that awareness at `dpi`: a per-monitor v2 window
// has a frame of its own DPI; every other awareness keeps the unscaled frame of the system DPI,
// whatever DPI the window's content is drawn at.
RECT window_rect_for_client(dpi_awareness awareness, int dpi, DWORD style, DWORD ex_style, int client_width,
                            int client_height);

} // namespace lcsdk::ui::win32
