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

namespace ui = lcsdk::ui;

namespace platform_checks {

namespace {

std::string text(ui::vec2i v) { return std::to_string(v.x) + "x" + std::to_string(v.y); }

ui::vec2i client_size(HWND handle)
{
    RECT client{};
    GetClientRect(handle, &client);
    return {client.right, client.bottom};
}

} // namespace

// A window moved to a monitor with another scale gets WM_DPICHANGED. Wine never sends it, so the
// checks send it, with the rectangle that Windows would suggest: the same top-left, and room for
// the client area at the new DPI inside the window's frame.
void check_dpi_change(results& r)
{
    r.section("dpi change");
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    const int next = dpi == 96 ? 144 : 96;
    const std::string to = " at " + std::to_string(next) + " DPI";

    ui::window w;
    w.create("dpi", {{10, 20}, {300, 200}});
    const HWND handle = w.native->get_impl().handle;
    ShowWindow(handle, SW_SHOWNOACTIVATE);
    UpdateWindow(handle);
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

    // Before the change the system asks which size the window wants: the same DIPs inside a frame
    // of the new DPI.
    SIZE asked{};
    const LRESULT answered = SendMessageW(handle, WM_GETDPISCALEDSIZE, MAKEWPARAM(next, next), reinterpret_cast<LPARAM>(&asked));
    RECT at_next{0, 0, MulDiv(300, next, 96), MulDiv(200, next, 96)};
    AdjustWindowRectExForDpi(&at_next, style, FALSE, 0, static_cast<UINT>(next));
    r.expect(answered == TRUE && asked.cx == at_next.right - at_next.left && asked.cy == at_next.bottom - at_next.top,
             "WM_GETDPISCALEDSIZE asks for the client area" + to + " in its frame, got " +
                 std::to_string(asked.cx) + "x" + std::to_string(asked.cy));

    RECT outer{};
    GetWindowRect(handle, &outer);
    const ui::vec2i frame = ui::vec2i{outer.right - outer.left, outer.bottom - outer.top} - client_size(handle);
    const ui::vec2i wanted_client{MulDiv(300, next, 96), MulDiv(200, next, 96)};
    RECT suggested{outer.left, outer.top, outer.left + wanted_client.x + frame.x, outer.top + wanted_client.y + frame.y};

    recorder seen;
    seen.watch(w, "window", {ui::size_changed});
    ValidateRect(handle, nullptr);
    SendMessageW(handle, WM_DPICHANGED, MAKEWPARAM(next, next), reinterpret_cast<LPARAM>(&suggested));
    auto& state = w.native->get_impl();
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
