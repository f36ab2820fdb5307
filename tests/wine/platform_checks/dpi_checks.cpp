#include "check.h"
#include "cursor.h"
#include "recorder.h"

#include "lcsdk/ui/mouse.h"
#include "lcsdk/ui/widget.h"
#include "lcsdk/ui/win32/native_drawer_impl.h"
#include "lcsdk/ui/win32/native_window_impl.h"
#include "lcsdk/ui/window.h"

#include <windows.h>

#include <string>
#include <utility>

namespace ui = lcsdk::ui;

namespace platform_checks {

namespace {

std::string text(ui::vec2i v) { return std::to_string(v.x) + "x" + std::to_string(v.y); }

std::string text(SIZE v) { return std::to_string(v.cx) + "x" + std::to_string(v.cy); }

ui::vec2i client_size(HWND handle)
{
    RECT client{};
    GetClientRect(handle, &client);
    return {client.right, client.bottom};
}

} // namespace

// The window size around a client area of `dips` at `dpi`, in a frame of that DPI.
SIZE outer_at(ui::vec2i dips, int dpi, DWORD style)
{
    RECT outer{0, 0, MulDiv(dips.x, dpi, 96), MulDiv(dips.y, dpi, 96)};
    AdjustWindowRectExForDpi(&outer, style, FALSE, 0, static_cast<UINT>(dpi));
    return {outer.right - outer.left, outer.bottom - outer.top};
}

// Which frame surrounds the client area depends on how the system scales the window: per-monitor
// v2 windows (Windows 10 1703 on) have a frame of their own DPI, the others keep the frame of the
// system DPI on every monitor. Wine has no v2, so the checks of v2 windows set the awareness.
void check_dpi_awareness(results& r, int next, DWORD style)
{
    using awareness = ui::win32::dpi_awareness;
    RECT system_frame{};
    AdjustWindowRectEx(&system_frame, style, FALSE, 0);
    RECT own_frame{};
    AdjustWindowRectExForDpi(&own_frame, style, FALSE, 0, static_cast<UINT>(next));
    r.expect(EqualRect(&system_frame, &own_frame) == FALSE, "the frame of the system DPI differs from one at " +
                                                                std::to_string(next) + " DPI");
    const std::pair<awareness, const RECT*> frames[] = {{awareness::per_monitor_v2, &own_frame},
                                                         {awareness::per_monitor_v1, &system_frame},
                                                         {awareness::system_aware, &system_frame},
                                                         {awareness::unaware, &system_frame}};
    for (const auto& [kind, expected] : frames) {
        const RECT frame = ui::win32::window_rect_for_client(kind, next, style, 0, 0, 0);
        r.expect(EqualRect(&frame, expected) != FALSE, "frame of awareness " + std::to_string(static_cast<int>(kind)) +
                                                           " at " + std::to_string(next) + " DPI");
    }

    // The awareness a window is created with is that of its thread.
    const std::pair<DPI_AWARENESS_CONTEXT, awareness> contexts[] = {
        {DPI_AWARENESS_CONTEXT_UNAWARE, awareness::unaware},
        {DPI_AWARENESS_CONTEXT_SYSTEM_AWARE, awareness::system_aware},
        {DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE, awareness::per_monitor_v1},
        {DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, awareness::per_monitor_v2}};
    for (const auto& [context, kind] : contexts) {
        const DPI_AWARENESS_CONTEXT before = SetThreadDpiAwarenessContext(context);
        if (!before)
            continue; // Wine knows no v2
        ui::window w;
        w.create("awareness", {{0, 0}, {100, 80}});
        SetThreadDpiAwarenessContext(before);
        r.expect(w.native->get_impl().awareness == kind,
                 "a window of a thread in awareness " + std::to_string(static_cast<int>(kind)) + " knows it");
    }
}

// A window moved to a monitor with another scale gets WM_DPICHANGED. Wine never sends it, so the
// checks send it, with the rectangle that Windows would suggest.
void check_dpi_change(results& r)
{
    r.section("dpi change");
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    const int next = dpi == 96 ? 144 : 96;
    const std::string to = " at " + std::to_string(next) + " DPI";
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    check_dpi_awareness(r, next, style);

    ui::window w;
    w.create("dpi", {{10, 20}, {300, 200}});
    const HWND handle = w.native->get_impl().handle;
    ShowWindow(handle, SW_SHOWNOACTIVATE);
    UpdateWindow(handle);
    auto& state = w.native->get_impl();

    // Per-monitor v1 (Windows 10 1607, 8.1): the system suggests the whole window scaled, frame
    // included, but the frame keeps its size; the client area keeps its size in DIPs all the same.
    state.awareness = ui::win32::dpi_awareness::per_monitor_v1;
    for (const int to_dpi : {next, dpi}) {
        RECT outer{};
        GetWindowRect(handle, &outer);
        const int from_dpi = state.dpi_x;
        RECT linear{outer.left, outer.top, outer.left + MulDiv(outer.right - outer.left, to_dpi, from_dpi),
                    outer.top + MulDiv(outer.bottom - outer.top, to_dpi, from_dpi)};
        SendMessageW(handle, WM_DPICHANGED, MAKEWPARAM(to_dpi, to_dpi), reinterpret_cast<LPARAM>(&linear));
        RECT placed{};
        GetWindowRect(handle, &placed);
        const ui::vec2i wanted{MulDiv(300, to_dpi, 96), MulDiv(200, to_dpi, 96)};
        r.expect(client_size(handle) == wanted && w.root.size == ui::vec2i{300, 200} && placed.left == linear.left &&
                     placed.top == linear.top,
                 "a v1 window at " + std::to_string(to_dpi) + " DPI keeps 300x200 DIPs at the suggested place, got " +
                     text(client_size(handle)) + " pixels, " + text(w.root.size) + " DIPs");
    }

    // Per-monitor v2: before the change the system asks which size the window wants, given the
    // size it is about to have (a SetWindowPos may resize it as it moves): the same DIPs inside a
    // frame of the new DPI.
    state.awareness = ui::win32::dpi_awareness::per_monitor_v2;
    for (const ui::vec2i pending : {ui::vec2i{300, 200}, ui::vec2i{400, 250}}) {
        SIZE asked = outer_at(pending, dpi, style);
        const LRESULT answered =
            SendMessageW(handle, WM_GETDPISCALEDSIZE, MAKEWPARAM(next, next), reinterpret_cast<LPARAM>(&asked));
        const SIZE wanted = outer_at(pending, next, style);
        r.expect(answered == TRUE && asked.cx == wanted.cx && asked.cy == wanted.cy,
                 "WM_GETDPISCALEDSIZE asks for " + text(pending) + " DIPs" + to + " in its frame: " + text(wanted) +
                     ", got " + text(asked));
    }

    RECT outer{};
    GetWindowRect(handle, &outer);
    const ui::vec2i frame = ui::vec2i{outer.right - outer.left, outer.bottom - outer.top} - client_size(handle);
    const ui::vec2i wanted_client{MulDiv(300, next, 96), MulDiv(200, next, 96)};
    RECT suggested{outer.left, outer.top, outer.left + wanted_client.x + frame.x, outer.top + wanted_client.y + frame.y};

    recorder seen;
    seen.watch(w, "window", {ui::size_changed});
    ValidateRect(handle, nullptr);
    SendMessageW(handle, WM_DPICHANGED, MAKEWPARAM(next, next), reinterpret_cast<LPARAM>(&suggested));
    r.expect(state.dpi_x == next && state.dpi_y == next, "the window keeps the new DPI");
    RECT placed{};
    GetWindowRect(handle, &placed);
    r.expect(EqualRect(&placed, &suggested) != FALSE, "the window takes the suggested rectangle");
    r.expect(client_size(handle) == wanted_client, "client area " + text(client_size(handle)) + to);
    r.expect(w.root.size == ui::vec2i{300, 200}, "the root keeps its 300x200 DIPs, got " + text(w.root.size));
    FLOAT target_x = 0;
    FLOAT target_y = 0;
    w.drawer->get_impl().render_target->GetDpi(&target_x, &target_y);
    r.expect(target_x == static_cast<FLOAT>(next) && target_y == static_cast<FLOAT>(next),
             "the render target draws" + to + ", got " + std::to_string(target_x));
    RECT update{};
    r.expect(GetUpdateRect(handle, &update, FALSE) && update.right >= wanted_client.x && update.bottom >= wanted_client.y,
             "the whole window is painted again");

    // Every later crossing between DIPs and pixels uses the new DPI.
    seen.events.clear();
    SendMessageW(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(MulDiv(150, next, 96), MulDiv(100, next, 96)));
    r.expect(w.root.size == ui::vec2i{150, 100}, "WM_SIZE converts" + to + ", got " + text(w.root.size));
    r.expect(seen.events == std::vector<recorded_event>{{"window", ui::size_changed, 0}}, "WM_SIZE raises one size event");
    SendMessageW(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(wanted_client.x, wanted_client.y));

    ValidateRect(handle, nullptr);
    w.native->invalidate({{10, 10}, {10, 10}});
    GetUpdateRect(handle, &update, FALSE);
    r.expect(update.left <= MulDiv(10, next, 96) && update.right >= MulDiv(20, next, 96) && update.right <= MulDiv(21, next, 96) + 1,
             "a redraw request is scaled" + to + ", got pixels " + std::to_string(update.left) + " to " +
                 std::to_string(update.right));

    POINT at{MulDiv(30, next, 96), MulDiv(40, next, 96)};
    ClientToScreen(handle, &at);
    move_cursor(at);
    const ui::vec2i mouse = ui::get_mouse_position(w.root);
    r.expect(mouse == ui::vec2i{30, 40}, "the mouse position is converted" + to + ", got " + text(mouse));

    // A new window takes the DPI of the monitor it lands on, where the system tells it.
    ui::window popup;
    popup.create("dpi popup", {{0, 0}, {200, 120}}, 0, &w);
    const HWND popup_handle = popup.native->get_impl().handle;
    const bool per_monitor = GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()) == DPI_AWARENESS_PER_MONITOR_AWARE;
    const int monitor_dpi = per_monitor ? static_cast<int>(GetDpiForWindow(popup_handle)) : dpi;
    r.expect(popup.native->get_impl().dpi_x == monitor_dpi && client_size(popup_handle) == ui::vec2i{MulDiv(200, monitor_dpi, 96), MulDiv(120, monitor_dpi, 96)},
             "a new window takes its monitor's DPI " + std::to_string(monitor_dpi) + ", got " +
                 std::to_string(popup.native->get_impl().dpi_x));

    // And back: the window returns to its first size.
    GetWindowRect(handle, &outer);
    suggested = {outer.left, outer.top, outer.left + MulDiv(300, dpi, 96) + frame.x, outer.top + MulDiv(200, dpi, 96) + frame.y};
    SendMessageW(handle, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    r.expect(client_size(handle) == ui::vec2i{MulDiv(300, dpi, 96), MulDiv(200, dpi, 96)} && w.root.size == ui::vec2i{300, 200},
             "moving back restores the first size, got " + text(client_size(handle)));

    // A change that keeps the pixel size (no WM_SIZE) still gives the root its new size in DIPs.
    GetWindowRect(handle, &outer);
    SendMessageW(handle, WM_DPICHANGED, MAKEWPARAM(next, next), reinterpret_cast<LPARAM>(&outer));
    const ui::vec2i kept{MulDiv(MulDiv(300, dpi, 96), 96, next), MulDiv(MulDiv(200, dpi, 96), 96, next)};
    r.expect(w.root.size == kept, "an unchanged pixel size is " + text(kept) + " DIPs" + to + ", got " + text(w.root.size));
    ShowWindow(handle, SW_HIDE);
}

} // namespace platform_checks
