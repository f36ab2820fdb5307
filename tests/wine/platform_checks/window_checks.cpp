#include "check.h"
#include "recorder.h"

#include "lcsdk/ui/mouse.h"
#include "lcsdk/ui/native_platform.h"
#include "lcsdk/ui/platform_input.h"
#include "lcsdk/ui/widget.h"
#include "lcsdk/ui/win32/native_window_impl.h"
#include "lcsdk/ui/window.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace ui = lcsdk::ui;

namespace platform_checks {

namespace {

HWND handle_of(ui::window& w) { return w.native->get_impl().handle; }

int screen_dpi_x()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

std::wstring class_name_of(HWND handle)
{
    wchar_t name[256] = {};
    GetClassNameW(handle, name, 256);
    return name;
}

ui::vec2i client_size(HWND handle)
{
    RECT client{};
    GetClientRect(handle, &client);
    return {client.right, client.bottom};
}

std::string text(ui::vec2i v) { return std::to_string(v.x) + "x" + std::to_string(v.y); }

} // namespace

void check_window_class(results& r)
{
    r.section("window class");
    // Another module of the process already owns the name and its first suffixed form.
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const wchar_t* taken : {L"LCSDK_WINDOW_CLASS", L"LCSDK_WINDOW_CLASS0"}) {
        WNDCLASSW other{};
        other.lpfnWndProc = DefWindowProcW;
        other.hInstance = instance;
        other.lpszClassName = taken;
        r.expect(RegisterClassW(&other) != 0, "a foreign class takes the toolkit's name");
    }
    ui::window first;
    first.create("first", {{0, 0}, {100, 80}});
    ui::window second;
    second.create("second", {{0, 0}, {100, 80}});
    r.expect(class_name_of(handle_of(first)) == L"LCSDK_WINDOW_CLASS00", "a \"0\" is appended per taken name");
    r.expect(class_name_of(handle_of(second)) == L"LCSDK_WINDOW_CLASS00", "later windows reuse the registered name");

    WNDCLASSW registered{};
    r.expect(GetClassInfoW(instance, L"LCSDK_WINDOW_CLASS00", &registered) != 0, "the class is registered");
    r.expect(registered.style == (CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS), "class styles redraw on resize and take double clicks");
    const auto style = static_cast<DWORD>(GetWindowLongW(handle_of(first), GWL_STYLE));
    const DWORD wanted = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    r.expect((style & wanted) == wanted && (style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) == 0,
             "a fixed frame with caption and system menu that clips its children");
    r.expect(!IsWindowVisible(handle_of(first)), "a created window stays hidden until shown");
    wchar_t title[64] = {};
    GetWindowTextW(handle_of(first), title, 64);
    r.expect(std::wstring(title) == L"first", "the title is set from the UTF-8 text");
}

void check_geometry(results& r)
{
    r.section("geometry");
    const int dpi = screen_dpi_x();
    ui::window w;
    w.create("geometry", {{10, 20}, {300, 200}});
    const HWND handle = handle_of(w);
    r.expect(w.native->get_impl().dpi_x == dpi, "the window keeps the screen DPI " + std::to_string(dpi));

    RECT outer{};
    GetWindowRect(handle, &outer);
    r.expect(outer.left == MulDiv(10, dpi, 96) && outer.top == MulDiv(20, dpi, 96),
             "placed at the scaled position, got " + std::to_string(outer.left) + "," + std::to_string(outer.top));
    const ui::vec2i expected_client{MulDiv(300, dpi, 96), MulDiv(200, dpi, 96)};
    r.expect(client_size(handle) == expected_client, "client area " + text(client_size(handle)) + ", expected " + text(expected_client));
    r.expect(w.root.size == ui::vec2i{300, 200}, "the root covers the client area in DIPs");

    recorder seen;
    seen.watch(w, "window", {ui::size_changed});
    SendMessageW(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(MulDiv(150, dpi, 96), MulDiv(100, dpi, 96)));
    r.expect(w.root.size == ui::vec2i{150, 100}, "WM_SIZE resizes the root in DIPs, got " + text(w.root.size));
    r.expect(seen.events == std::vector<recorded_event>{{"window", ui::size_changed, 0}}, "WM_SIZE raises 13 on the window with 0");

    w.native->set_window_rect({{30, 40}, {200, 100}});
    GetWindowRect(handle, &outer);
    r.expect(outer.left == MulDiv(30, dpi, 96) && outer.top == MulDiv(40, dpi, 96), "set_window_rect moves in pixels");
    r.expect(client_size(handle) == ui::vec2i{MulDiv(200, dpi, 96), MulDiv(100, dpi, 96)}, "set_window_rect sizes the client area");

    // A window larger than the work area ends one pixel inside its top-left corner.
    ui::window huge;
    huge.create("huge", {{0, 0}, {4000, 3000}});
    huge.native->center_window();
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(handle_of(huge), &outer);
    r.expect(outer.left == work.left + 1 && outer.top == work.top + 1, "an oversized window is clamped to the work area");

    // A small window without owner is centred on the screen by its client size.
    ui::window small;
    small.create("small", {{0, 0}, {200, 100}});
    small.native->center_window();
    GetWindowRect(handle_of(small), &outer);
    const int client_width = MulDiv(200, dpi, 96);
    r.expect(outer.left == (GetSystemMetrics(SM_CXSCREEN) - client_width) / 2, "centred horizontally on the screen");

    // Redraw requests cover every pixel the DIP rectangle touches (only a shown window has an
    // update region).
    ShowWindow(handle, SW_SHOWNOACTIVATE);
    UpdateWindow(handle);
    w.native->invalidate({{1, 1}, {1, 1}});
    RECT update{};
    GetUpdateRect(handle, &update, FALSE);
    const int low = dpi / 96;           // floor of 1 DIP in pixels
    const int high = (2 * dpi + 95) / 96; // ceiling of 2 DIPs
    r.expect(update.left <= low && update.top <= low && update.right >= high && update.bottom >= high,
             "a 1-DIP redraw covers pixels " + std::to_string(low) + " to " + std::to_string(high));
    ShowWindow(handle, SW_HIDE);
}

void check_messages(results& r)
{
    r.section("messages");
    const int dpi = screen_dpi_x();
    ui::window w;
    w.create("messages", {{0, 0}, {200, 150}});
    const HWND handle = handle_of(w);
    recorder seen;
    seen.watch(w, "window", {ui::focus_gained, ui::focus_lost, ui::key_down, ui::key_down_native, ui::key_up, ui::key_char});

    // Mouse tracking: the first move only starts it.
    r.expect(SendMessageW(handle, WM_MOUSEMOVE, 0, 0) == 1 && w.routing().mouse_inside(), "the first move returns 1 and marks the mouse inside");
    r.expect(SendMessageW(handle, WM_MOUSEMOVE, 0, 0) == 0, "later moves return 0");
    SendMessageW(handle, WM_MOUSELEAVE, 0, 0);
    r.expect(!w.routing().mouse_inside(), "WM_MOUSELEAVE clears the mouse-inside flag");
    r.expect(SendMessageW(handle, WM_MOUSEMOVE, 0, 0) == 1, "after leaving, the next move is a first move again");
    SendMessageW(handle, WM_MOUSELEAVE, 0, 0);

    SendMessageW(handle, WM_SYSKEYDOWN, VK_F10, 0x00440001);
    SendMessageW(handle, WM_SYSKEYUP, VK_F10, static_cast<LPARAM>(0xC0440001u));
    const std::vector<recorded_event> system_keys{{"window", ui::key_down, VK_F10},
                                                  {"window", ui::key_down_native, VK_F10 | (0x00440001ull << 32)},
                                                  {"window", ui::key_up, VK_F10}};
    r.expect(seen.events == system_keys, "system keys raise 8, 9 with lParam in the high half, and 10");
    seen.events.clear();
    SendMessageW(handle, WM_CHAR, 0x20AC, 0);
    r.expect(seen.events == std::vector<recorded_event>{{"window", ui::key_char, 0x20AC}}, "WM_CHAR raises 11 with the UTF-16 unit");
    seen.events.clear();
    SendMessageW(handle, WM_KILLFOCUS, 0, 0);
    SendMessageW(handle, WM_SETFOCUS, 0, 0);
    r.expect(seen.events == std::vector<recorded_event>{{"window", ui::focus_lost, 0}, {"window", ui::focus_gained, 0}},
             "focus messages raise 24 and 23 with 0");
    r.expect(SendMessageW(handle, WM_COMMAND, 0, 0) == 0, "WM_COMMAND is swallowed");

    // Only resizable windows hit-test their own border.
    RECT bounds{};
    GetWindowRect(handle, &bounds);
    const auto hit = [&](int x, int y) {
        return SendMessageW(handle, WM_NCHITTEST, 0, MAKELPARAM(bounds.left + x, bounds.top + y));
    };
    r.expect(hit(1, 1) != HTTOPLEFT, "a fixed window has no resize border");
    w.native->get_impl().resizable = true;
    const int b = MulDiv(8, dpi, 96);
    const int wd = bounds.right - bounds.left;
    const int ht = bounds.bottom - bounds.top;
    const struct {
        int x, y;
        LRESULT code;
        const char* where;
    } table[] = {
        {1, 1, HTTOPLEFT, "top left"},          {wd - 1, 1, HTTOPRIGHT, "top right"},
        {wd - 1, ht - 1, HTBOTTOMRIGHT, "bottom right"}, {1, ht - 1, HTBOTTOMLEFT, "bottom left"},
        {1, ht / 2, HTLEFT, "left"},            {wd / 2, 1, HTTOP, "top"},
        {wd - 1, ht / 2, HTRIGHT, "right"},     {wd / 2, ht - 1, HTBOTTOM, "bottom"},
        {wd / 2, ht / 2, HTCLIENT, "middle"},   {b, b, HTCLIENT, "just inside the border"},
    };
    for (const auto& row : table)
        r.expect(hit(row.x, row.y) == row.code, std::string("resize hit test at the ") + row.where);
    w.native->get_impl().resizable = false;

    MINMAXINFO limits{};
    SendMessageW(handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, FALSE, 0);
    const int frame_width = frame.right - frame.left;
    r.expect(limits.ptMinTrackSize.x == MulDiv(MulDiv(frame_width, 96, dpi), dpi, 96), "the minimum track size is the frame");
    r.expect(limits.ptMaxTrackSize.x == MulDiv(MulDiv(100000 + frame_width, 96, dpi), dpi, 96),
             "the maximum track size is 100000 plus the frame");

    // Cursors and Shift.
    ui::set_cursor_shape(ui::cursor_ibeam);
    r.expect(GetCursor() == LoadCursorW(nullptr, IDC_IBEAM), "cursor kind 5 is the I-beam");
    ui::set_cursor_shape(42);
    r.expect(GetCursor() == LoadCursorW(nullptr, IDC_ARROW), "unknown cursor kinds are the arrow");
    ui::set_cursor_shape(ui::cursor_size_nwse_alt);
    r.expect(GetCursor() == LoadCursorW(nullptr, IDC_SIZENWSE), "kind 7 is the same diagonal as kind 4");
    ui::set_cursor_shape(ui::cursor_arrow);
    r.expect(!ui::is_shift_down(), "Shift is up");
}

void check_timers(results& r)
{
    r.section("timers");
    ui::window w;
    w.create("timers", {{0, 0}, {100, 80}});
    ui::widget target;
    target.create(w.root, {{0, 0}, {10, 10}});
    recorder seen;
    seen.watch(target, "target", {ui::timer_tick});
    const HWND handle = handle_of(w);
    auto& timers = w.native->get_impl().timers;

    w.native->add_timer(&target, 1, 60000, false);
    w.native->add_timer(&target, 1, 60000, false);
    r.expect(timers.size() == 1, "a second timer with the same widget and value is not started");
    w.native->remove_timer(&w.root, 1);
    r.expect(timers.size() == 1, "removing a timer the widget does not have does nothing");
    w.native->add_timer(&target, 7, 60000, true);
    r.expect(timers.entries().count(2) == 1, "keys count up from 1");

    SendMessageW(handle, WM_TIMER, 1, 0);
    SendMessageW(handle, WM_TIMER, 2, 0);
    SendMessageW(handle, WM_TIMER, 2, 0);
    r.expect(seen.events == std::vector<recorded_event>{{"target", ui::timer_tick, 1}, {"target", ui::timer_tick, 7}},
             "ticks carry the id value, and a one-shot timer fires once");
    r.expect(timers.size() == 1, "the one-shot entry is removed after it fired");
    w.native->remove_timer(&target, 1);
    seen.events.clear();
    SendMessageW(handle, WM_TIMER, 1, 0);
    r.expect(seen.events.empty(), "a tick of a removed timer is ignored");

    // A real repeating timer inside the modal loop.
    int ticks = 0;
    ui::add_handler(&target, &target, ui::timer_tick, [&](const ui::event_info& e) {
        if (e.param == 5 && ++ticks == 3)
            w.end_modal(9);
    });
    w.native->add_timer(&target, 5, 20, false);
    r.expect(w.show_modal() == 9, "the modal loop runs timers and returns end_modal's result");
    r.expect(ticks == 3 && !IsWindowVisible(handle), "end_modal hides the window");
    w.native->remove_timer(&target, 5);
}

void check_modal_loops(results& r)
{
    r.section("modal loops");
    ui::window owner_window;
    owner_window.create("owner", {{0, 0}, {300, 200}});
    ui::window popup;
    popup.create("popup", {{20, 20}, {120, 80}}, 0, &owner_window);
    const HWND owner_handle = handle_of(owner_window);
    const HWND popup_handle = handle_of(popup);
    r.expect(GetWindow(popup_handle, GW_OWNER) == owner_handle, "the popup is owned by its owner window");

    recorder seen;
    seen.watch(owner_window, "owner", {ui::key_down});
    seen.watch(popup, "popup", {ui::hidden});
    bool owner_disabled_inside = false;
    bool owner_disabled_between = false;
    int popup_result = -1;
    int runs = 0;
    ui::add_handler(&popup.root, &popup.root, ui::timer_tick, [&](const ui::event_info&) {
        owner_disabled_inside = !IsWindowEnabled(owner_handle);
        popup.native->remove_timer(&popup.root, 1);
        // A second popup over the same owner, opened and closed inside the first one's loop.
        ui::window second;
        second.create("second", {{40, 40}, {100, 60}}, 0, &owner_window);
        ui::add_handler(&second.root, &second.root, ui::timer_tick, [&](const ui::event_info&) { second.end_modal(1); });
        second.native->add_timer(&second.root, 1, 10, true);
        second.show_modal();
        owner_disabled_between = !IsWindowEnabled(owner_handle);
        // Queued before the popup's loop ends: the owner's loop must still deliver it.
        PostMessageW(owner_handle, WM_KEYDOWN, 'Q', 0);
        popup.end_modal(7);
    });
    ui::add_handler(&owner_window.root, &owner_window.root, ui::timer_tick, [&](const ui::event_info&) {
        owner_window.native->remove_timer(&owner_window.root, 1);
        if (runs++ == 0) {
            popup.native->add_timer(&popup.root, 1, 10, false);
            popup_result = popup.show_modal();
            // The same popup, closed from the title bar this time.
            PostMessageW(popup_handle, WM_CLOSE, 0, 0);
            popup.show_modal();
            owner_window.native->add_timer(&owner_window.root, 1, 10, false);
        } else {
            owner_window.end_modal(3);
        }
    });
    owner_window.native->add_timer(&owner_window.root, 1, 10, false);
    const int owner_result = owner_window.show_modal();

    r.expect(owner_result == 3 && popup_result == 7, "nested loops return their own results");
    r.expect(owner_disabled_inside, "the owner is disabled while the popup's loop runs");
    r.expect(owner_disabled_between, "a popup that ends over another leaves the owner disabled");
    r.expect(IsWindowEnabled(owner_handle) != FALSE, "the owner is enabled again afterwards");
    r.expect(IsWindow(popup_handle) && !IsWindowVisible(popup_handle), "closing hides the popup without destroying it");
    r.expect(popup.modal_result == 0, "after WM_CLOSE the popup's loop returned the result 0");
    const auto hidden_events = std::count(seen.events.begin(), seen.events.end(), recorded_event{"popup", ui::hidden, 0});
    r.expect(hidden_events == 1, "WM_CLOSE raises no hidden event; only end_modal does");
    r.expect(std::count(seen.events.begin(), seen.events.end(), recorded_event{"owner", ui::key_down, 'Q'}) == 1,
             "a message queued as an inner loop ends is still delivered");
}

} // namespace platform_checks
