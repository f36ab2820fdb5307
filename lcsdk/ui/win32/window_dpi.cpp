#include "lcsdk/ui/win32/window_dpi.h"

namespace lcsdk::ui::win32 {

namespace {

// Calls of user32 that Windows 10 has only from version 1607; looked up, so that the program still
// starts on earlier versions.
template <typename Function>
Function user32_function(const char* name)
{
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

} // namespace

dpi_awareness thread_dpi_awareness()
{
    using thread_context = DPI_AWARENESS_CONTEXT(WINAPI*)();
    using contexts_equal = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT, DPI_AWARENESS_CONTEXT);
    using awareness_of = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);
    static const auto get_context = user32_function<thread_context>("GetThreadDpiAwarenessContext");
    static const auto equal = user32_function<contexts_equal>("AreDpiAwarenessContextsEqual");
    static const auto get_awareness = user32_function<awareness_of>("GetAwarenessFromDpiAwarenessContext");
    if (!get_context || !equal || !get_awareness)
        return dpi_awareness::system_aware;
    // Both per-monitor versions report the same DPI_AWARENESS; only the context tells them apart.
    const DPI_AWARENESS_CONTEXT context = get_context();
    if (equal(context, DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2))
        return dpi_awareness::per_monitor_v2;
    switch (get_awareness(context)) {
    case DPI_AWARENESS_PER_MONITOR_AWARE: return dpi_awareness::per_monitor_v1;
    case DPI_AWARENESS_SYSTEM_AWARE: return dpi_awareness::system_aware;
    default: return dpi_awareness::unaware;
    }
}

int per_monitor_dpi(HWND window, dpi_awareness awareness)
{
    using dpi_of_window = UINT(WINAPI*)(HWND);
    static const auto get_window_dpi = user32_function<dpi_of_window>("GetDpiForWindow");
    if (!get_window_dpi ||
        (awareness != dpi_awareness::per_monitor_v1 && awareness != dpi_awareness::per_monitor_v2))
        return 0;
    return static_cast<int>(get_window_dpi(window));
}

RECT window_rect_for_client(dpi_awareness awareness, int dpi, DWORD style, DWORD ex_style, int client_width,
                            int client_height)
{
    using adjust_for_dpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjust_at_dpi = user32_function<adjust_for_dpi>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, client_width, client_height};
    // The metrics behind AdjustWindowRectEx are those of the system DPI, the frame that per-monitor
    // v1, system-aware and unaware windows keep on every monitor.
    if (awareness == dpi_awareness::per_monitor_v2 && adjust_at_dpi)
        adjust_at_dpi(&rect, style, FALSE, ex_style, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&rect, style, FALSE, ex_style);
    return rect;
}

} // namespace lcsdk::ui::win32
