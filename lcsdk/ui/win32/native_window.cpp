#include "lcsdk/ui/native_window.h"

#include "lcsdk/ui/ime_context.h"
#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/native_platform.h"
#include "lcsdk/ui/platform_input.h"
#include "lcsdk/ui/screen_geometry.h"
#include "lcsdk/ui/widget.h"
#include "lcsdk/ui/win32/ime_context_impl.h"
#include "lcsdk/ui/win32/native_drawer_impl.h"
#include "lcsdk/ui/win32/native_window_impl.h"
#include "lcsdk/ui/win32/wide_text.h"
#include "lcsdk/ui/win32/window_class.h"
#include "lcsdk/ui/win32/window_dpi.h"
#include "lcsdk/ui/window.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <exception>
#include <optional>
#include <utility>

namespace lcsdk::ui {

namespace {

HINSTANCE module_instance() { return GetModuleHandleW(nullptr); }

struct screen_dpi {
    int x = 96;
    int y = 96;
};

screen_dpi read_screen_dpi()
{
    screen_dpi dpi;
    if (HDC screen = GetDC(nullptr)) {
        dpi.x = GetDeviceCaps(screen, LOGPIXELSX);
        dpi.y = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    return dpi;
}

// Mouse positions of widgets outside any window use the screen DPI, read once per process.
const screen_dpi& cached_screen_dpi()
{
    static const screen_dpi dpi = read_screen_dpi();
    return dpi;
}

struct pixel_rect {
    int x, y, width, height;
};

pixel_rect scale_to_pixels(rect_i rect_dips, int dpi_x, int dpi_y)
{
    return {dips_to_pixels(rect_dips.position.x, dpi_x), dips_to_pixels(rect_dips.position.y, dpi_y),
            dips_to_pixels(rect_dips.size.x, dpi_x), dips_to_pixels(rect_dips.size.y, dpi_y)};
}

// DIP edges to pixel edges, rounded outward.
int scale_down(int dips, int dpi)
{
    const long long scaled = static_cast<long long>(dips) * dpi;
    return static_cast<int>(scaled >= 0 ? scaled / 96 : -((-scaled + 95) / 96));
}

int scale_up(int dips, int dpi) { return -scale_down(-dips, dpi); }

native_window* native_of(HWND handle)
{
    return reinterpret_cast<native_window*>(GetWindowLongPtrW(handle, GWLP_USERDATA));
}

HWND real_owner(HWND handle)
{
    HWND owner = handle ? GetWindow(handle, GW_OWNER) : nullptr;
    return owner && owner != GetDesktopWindow() ? owner : nullptr;
}

LRESULT resize_hit_test(HWND handle, LPARAM position, int border)
{
    RECT bounds{};
    GetWindowRect(handle, &bounds);
    const int x = GET_X_LPARAM(position) - bounds.left;
    const int y = GET_Y_LPARAM(position) - bounds.top;
    const int w = bounds.right - bounds.left;
    const int h = bounds.bottom - bounds.top;
    if (x < border && y < border)
        return HTTOPLEFT;
    if (x > w - border && y < border)
        return HTTOPRIGHT;
    if (x > w - border && y > h - border)
        return HTBOTTOMRIGHT;
    if (x < border)
        return y > h - border ? HTBOTTOMLEFT : HTLEFT;
    if (y < border)
        return HTTOP;
    if (x > w - border)
        return HTRIGHT;
    return y > h - border ? HTBOTTOM : HTCLIENT;
}

// The outer size of the window around a client area of `client_dips` at the given DPI, in the
// frame that the window's awareness gives it there.
SIZE outer_size(const native_window::impl& state, vec2i client_dips, int dpi_x, int dpi_y)
{
    const RECT outer = win32::window_rect_for_client(state.awareness, dpi_x, state.style, state.ex_style,
                                                     dips_to_pixels(client_dips.x, dpi_x),
                                                     dips_to_pixels(client_dips.y, dpi_y));
    return {outer.right - outer.left, outer.bottom - outer.top};
}

void fill_track_sizes(const native_window::impl& state, MINMAXINFO& info)
{
    const SIZE frame = outer_size(state, {0, 0}, state.dpi_x, state.dpi_y);
    const int frame_width = static_cast<int>(frame.cx);
    const int frame_height = static_cast<int>(frame.cy);
    // Through DIPs and back, so the limits land on whole DIPs like every other size of the window.
    const auto round_trip = [](int pixels, int dpi) { return dips_to_pixels(pixels_to_dips(pixels, dpi), dpi); };
    info.ptMinTrackSize.x = round_trip(static_cast<int>(state.min_client.cx) + frame_width, state.dpi_x);
    info.ptMinTrackSize.y = round_trip(static_cast<int>(state.min_client.cy) + frame_height, state.dpi_y);
    info.ptMaxTrackSize.x = round_trip(static_cast<int>(state.max_client.cx) + frame_width, state.dpi_x);
    info.ptMaxTrackSize.y = round_trip(static_cast<int>(state.max_client.cy) + frame_height, state.dpi_y);
}

void paint_update_region(HWND handle, const native_window::impl& state, window& target)
{
    RECT update{};
    if (!GetUpdateRect(handle, &update, FALSE))
        return;
    const rect_ltrb dirty = dirty_pixels_to_dips({static_cast<int>(update.left), static_cast<int>(update.top),
                                                  static_cast<int>(update.right), static_cast<int>(update.bottom)},
                                                 state.dpi_x, state.dpi_y);
    target.paint(dirty);
    ValidateRect(handle, &update);
    // A lost graphics device dropped this paint; the next one, on a new device, covers everything.
    if (target.drawer && target.drawer->get_impl().repaint_everything)
        InvalidateRect(handle, nullptr, FALSE);
}

// The window moved to a monitor with another scale (or the scale of its monitor changed): from now
// on every DIP becomes pixels at the new DPI, the window takes the place the system suggests, and
// everything is drawn again at the new scale.
void change_dpi(HWND handle, native_window::impl& state, window& target, int dpi_x, int dpi_y, const RECT* suggested)
{
    state.dpi_x = dpi_x;
    state.dpi_y = dpi_y;
    if (target.drawer)
        target.drawer->get_impl().set_dpi(static_cast<float>(dpi_x), static_cast<float>(dpi_y));
    if (suggested) {
        // A per-monitor v2 window is offered the size it answered to WM_GETDPISCALEDSIZE. Other
        // windows are offered their whole window scaled, frame included, although their frame
        // keeps its size: they keep their client area in DIPs instead.
        SIZE size{suggested->right - suggested->left, suggested->bottom - suggested->top};
        if (state.awareness != win32::dpi_awareness::per_monitor_v2)
            size = outer_size(state, target.root.size, dpi_x, dpi_y);
        SetWindowPos(handle, nullptr, suggested->left, suggested->top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // A client area that kept its pixel size raised no WM_SIZE, but its size in DIPs changed.
    RECT client{};
    GetClientRect(handle, &client);
    const vec2i client_dips{pixels_to_dips(static_cast<int>(client.right), dpi_x),
                            pixels_to_dips(static_cast<int>(client.bottom), dpi_y)};
    if (client_dips != target.root.size)
        translate_client_size(target, client_dips);
    InvalidateRect(handle, nullptr, FALSE);
}

// The window size the system asks for ahead of a DPI change, given the size the window is about to
// have at its current DPI (after a move, or a SetWindowPos that also resizes): the same client area
// in DIPs at the new DPI, inside the frame of the new DPI, so that the layout keeps its exact size.
SIZE scaled_window_size(const native_window::impl& state, SIZE pending, int dpi)
{
    const SIZE frame = outer_size(state, {0, 0}, state.dpi_x, state.dpi_y);
    const vec2i client_dips{pixels_to_dips(std::max(0, static_cast<int>(pending.cx - frame.cx)), state.dpi_x),
                            pixels_to_dips(std::max(0, static_cast<int>(pending.cy - frame.cy)), state.dpi_y)};
    return outer_size(state, client_dips, dpi, dpi);
}

ime_context::impl* ime_of(window& target)
{
    return target.ime ? &target.ime->get_impl() : nullptr;
}

LRESULT handle_message(HWND handle, UINT message, WPARAM wparam, LPARAM lparam)
{
    native_window* native = native_of(handle);
    window* target = native ? native->toolkit_window() : nullptr;
    if (!native || !target) {
        // Early messages of CreateWindowExW, and late ones of DestroyWindow, find no toolkit window.
        if (message == WM_SIZE || message == WM_GETMINMAXINFO)
            return 0;
        return DefWindowProcW(handle, message, wparam, lparam);
    }
    native_window::impl& state = native->get_impl();

    switch (message) {
    case WM_SIZE: {
        const int width = LOWORD(lparam);
        const int height = HIWORD(lparam);
        if (target->drawer)
            target->drawer->resize({width, height});
        translate_client_size(*target, {pixels_to_dips(width, state.dpi_x), pixels_to_dips(height, state.dpi_y)});
        return 0;
    }
    case WM_SETFOCUS:
        translate_focus(*target, true);
        return 0;
    case WM_KILLFOCUS:
        translate_focus(*target, false);
        return 0;
    case WM_PAINT:
        if (!target->drawer)
            break;
        paint_update_region(handle, state, *target);
        return 0;
    case WM_CLOSE:
        translate_close(*target);
        return 1;
    case WM_CAPTURECHANGED:
        // Also sent when the toolkit lets go itself, which is not a loss.
        if (!state.releasing_capture && reinterpret_cast<HWND>(lparam) != handle)
            translate_capture_lost(*target);
        return 0;
    case WM_CANCELMODE:
        // The system ends modes such as a drag (a window is disabled, another comes to the front);
        // the default procedure then releases the capture.
        translate_capture_lost(*target);
        break;
    case WM_DPICHANGED:
        change_dpi(handle, state, *target, LOWORD(wparam), HIWORD(wparam), reinterpret_cast<const RECT*>(lparam));
        return 0;
    case WM_GETDPISCALEDSIZE: {
        // In: the pending window size at the current DPI; out: the size wanted at the new DPI.
        auto& size = *reinterpret_cast<SIZE*>(lparam);
        size = scaled_window_size(state, size, static_cast<int>(LOWORD(wparam)));
        return TRUE;
    }
    case WM_SETCURSOR:
        // Inside the client area the toolkit keeps the cursor it chose.
        if (!is_mouse_inside(*target))
            DefWindowProcW(handle, message, wparam, lparam);
        return 0;
    case WM_GETMINMAXINFO:
        fill_track_sizes(state, *reinterpret_cast<MINMAXINFO*>(lparam));
        return 0;
    case WM_COMMAND:
        return 0;
    case WM_INPUTLANGCHANGE:
        if (auto* ime = ime_of(*target))
            ime->input_language_changed();
        return 0;
    case WM_NCHITTEST: {
        const int border = mul_div(state.resize_border, state.dpi_x, 96);
        if (state.resizable && border != 0)
            return resize_hit_test(handle, lparam, border);
        break;
    }
    case WM_KEYDOWN:
        translate_key_down(*target, static_cast<std::uint32_t>(wparam), static_cast<std::uint32_t>(lparam));
        return 0;
    case WM_SYSKEYDOWN:
        translate_key_down(*target, static_cast<std::uint32_t>(wparam), static_cast<std::uint32_t>(lparam));
        // The system still needs its keys: Alt+F4 closes the window through the default procedure.
        return DefWindowProcW(handle, message, wparam, lparam);
    case WM_KEYUP:
    case WM_SYSKEYUP:
        translate_key_up(*target, static_cast<std::uint32_t>(wparam));
        return 0;
    case WM_CHAR:
        translate_char(*target, static_cast<std::uint16_t>(wparam));
        return 0;
    case WM_IME_STARTCOMPOSITION:
        if (auto* ime = ime_of(*target))
            ime->start_composition();
        return 0;
    case WM_IME_ENDCOMPOSITION:
        if (auto* ime = ime_of(*target))
            ime->end_composition();
        return 0;
    case WM_IME_COMPOSITION:
        if (auto* ime = ime_of(*target))
            ime->update_composition(lparam);
        return 0;
    case WM_IME_SETCONTEXT:
        // The toolkit draws the composition itself; the system shows only the candidate list.
        return DefWindowProcW(handle, message, wparam, lparam & ~static_cast<LPARAM>(ISC_SHOWUICOMPOSITIONWINDOW));
    case WM_TIMER:
        state.timers.tick(static_cast<std::uint32_t>(wparam), *native);
        return 0;
    case WM_MOUSEMOVE:
        if (translate_mouse_move(*target)) {
            TRACKMOUSEEVENT tracking{sizeof(TRACKMOUSEEVENT), TME_LEAVE, handle, HOVER_DEFAULT};
            TrackMouseEvent(&tracking);
            return 1;
        }
        return 0;
    case WM_MOUSELEAVE:
        translate_mouse_leave(*target);
        return 0;
    case WM_LBUTTONDOWN:
        translate_button_down(*target, button_left);
        return 0;
    case WM_MBUTTONDOWN:
        translate_button_down(*target, button_middle);
        return 0;
    case WM_RBUTTONDOWN:
        translate_button_down(*target, button_right);
        return 0;
    case WM_LBUTTONUP:
        translate_button_up(*target, button_left);
        return 0;
    case WM_MBUTTONUP:
        translate_button_up(*target, button_middle);
        return 0;
    case WM_RBUTTONUP:
        translate_button_up(*target, button_right);
        return 0;
    case WM_LBUTTONDBLCLK:
        translate_double_click(*target, button_left);
        return 0;
    case WM_MBUTTONDBLCLK:
        translate_double_click(*target, button_middle);
        return 0;
    case WM_RBUTTONDBLCLK:
        translate_double_click(*target, button_right);
        return 0;
    case WM_MOUSEWHEEL:
        translate_wheel(*target, GET_WHEEL_DELTA_WPARAM(wparam));
        return 0;
    case WM_GETOBJECT:
        if (const std::optional<LRESULT> provider = state.uia.answer_get_object(handle, *target, wparam, lparam))
            return *provider;
        break;
    case win32::uia_question_message:
        return win32::answer_question(*target, lparam);
    case win32::uia_press_message:
        win32::press_posted(*target, wparam, lparam);
        return 0;
    case win32::uia_raise_message:
        state.uia.raise_queued(handle, *target);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(handle, message, wparam, lparam);
}

// An exception (a platform resource that the toolkit cannot work without, such as a render target
// that cannot be made again after a lost device) must not unwind through the system's frames
// between the message loop and the window procedure, which are not built for it. The window
// procedure keeps it here, and the modal loop throws it again as soon as it has control.
std::exception_ptr pending_failure;

void throw_pending_failure()
{
    if (pending_failure)
        std::rethrow_exception(std::exchange(pending_failure, nullptr));
}

LRESULT CALLBACK window_procedure(HWND handle, UINT message, WPARAM wparam, LPARAM lparam)
{
    try {
        return handle_message(handle, message, wparam, lparam);
    } catch (...) {
        // The first failure is the one to report; later ones are most likely its consequences.
        if (!pending_failure)
            pending_failure = std::current_exception();
        // A paint that failed would otherwise come back at once, over and over, in any message
        // loop that runs before ours (a system dialog's).
        if (message == WM_PAINT)
            ValidateRect(handle, nullptr);
        return 0;
    }
}

// System cursors by toolkit cursor kind, loaded once for the process.
const std::array<HCURSOR, 9>& cursors()
{
    static const std::array<HCURSOR, 9> loaded{
        LoadCursorW(nullptr, IDC_ARROW),    LoadCursorW(nullptr, IDC_CROSS),    LoadCursorW(nullptr, IDC_SIZEWE),
        LoadCursorW(nullptr, IDC_SIZENS),   LoadCursorW(nullptr, IDC_SIZENWSE), LoadCursorW(nullptr, IDC_IBEAM),
        LoadCursorW(nullptr, IDC_HAND),     LoadCursorW(nullptr, IDC_SIZENWSE), LoadCursorW(nullptr, IDC_SIZENESW),
    };
    return loaded;
}

} // namespace

native_window::native_window() : impl_(std::make_unique<impl>()) { impl_->self = this; }

native_window::~native_window()
{
    impl& state = *impl_;
    state.drop_target.revoke();
    if (state.handle) {
        // Messages sent while the window goes away must not reach the toolkit window being destroyed.
        SetWindowLongPtrW(state.handle, GWLP_USERDATA, 0);
        state.uia.disconnect(state.handle);
        DestroyWindow(state.handle);
        state.handle = nullptr;
    }
    // The drop target's own destruction releases the external lock and the OLE apartment.
}

void native_window::create_window(native_window* owner, window* toolkit_window, rect_i rect_dips,
                                  std::uint32_t /*style_flags: the style is fixed*/)
{
    impl& state = *impl_;
    state.toolkit_window = toolkit_window;
    const HINSTANCE instance = module_instance();
    const wchar_t* class_name = win32::register_window_class(instance, window_procedure);

    const screen_dpi dpi = read_screen_dpi();
    state.dpi_x = dpi.x;
    state.dpi_y = dpi.y;
    state.awareness = win32::thread_dpi_awareness();

    const pixel_rect pixels = scale_to_pixels(rect_dips, state.dpi_x, state.dpi_y);
    const SIZE outer = outer_size(state, rect_dips.size, state.dpi_x, state.dpi_y);
    state.handle = CreateWindowExW(state.ex_style, class_name, L"", state.style, pixels.x, pixels.y, outer.cx,
                                   outer.cy, owner ? owner->impl_->handle : nullptr, nullptr, instance, nullptr);
    if (!state.handle)
        return;
    SetWindowLongPtrW(state.handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // The window landed on a monitor of another DPI than assumed: it keeps its size in DIPs there.
    if (const int actual = win32::per_monitor_dpi(state.handle, state.awareness); actual > 0 && actual != state.dpi_x) {
        state.dpi_x = actual;
        state.dpi_y = actual;
        const SIZE scaled = outer_size(state, rect_dips.size, actual, actual);
        SetWindowPos(state.handle, nullptr, 0, 0, scaled.cx, scaled.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!state.drop_target.window_handle())
        state.drop_target.attach(*this, state.handle);
}

bool native_window::is_created() const { return impl_->handle != nullptr; }

void native_window::set_title(const std::string& title_utf8)
{
    if (impl_->handle)
        SetWindowTextW(impl_->handle, win32::utf8_to_wide(title_utf8).c_str());
}

void native_window::set_window_rect(rect_i rect_dips)
{
    impl& state = *impl_;
    const pixel_rect pixels = scale_to_pixels(rect_dips, state.dpi_x, state.dpi_y);
    const SIZE outer = outer_size(state, rect_dips.size, state.dpi_x, state.dpi_y);
    SetWindowPos(state.handle, nullptr, pixels.x, pixels.y, outer.cx, outer.cy, SWP_NOACTIVATE | SWP_NOZORDER);
}

void native_window::center_window()
{
    impl& state = *impl_;
    if (!state.handle)
        return;
    const vec2i client_dips = state.toolkit_window ? state.toolkit_window->root.size : vec2i{};
    const int client_width = dips_to_pixels(client_dips.x, state.dpi_x);
    const int client_height = dips_to_pixels(client_dips.y, state.dpi_y);

    const HWND owner = real_owner(state.handle);
    RECT reference{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner)
        GetWindowRect(owner, &reference);

    RECT work = reference;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (HMONITOR nearest = MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST); nearest && GetMonitorInfoW(nearest, &monitor))
        work = monitor.rcWork;
    else
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);

    const RECT outer = win32::window_rect_for_client(state.awareness, state.dpi_x,
                                                     static_cast<DWORD>(GetWindowLongW(state.handle, GWL_STYLE)),
                                                     static_cast<DWORD>(GetWindowLongW(state.handle, GWL_EXSTYLE)),
                                                     client_width, client_height);
    const vec2i corner = centred_position({reference.left, reference.top, reference.right, reference.bottom},
                                          {work.left, work.top, work.right, work.bottom}, {client_width, client_height},
                                          {outer.right, outer.bottom});
    SetWindowPos(state.handle, nullptr, corner.x, corner.y, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}

void native_window::show_modal()
{
    impl& state = *impl_;
    if (HWND owner = real_owner(state.handle))
        state.owner_was_enabled = EnableWindow(owner, FALSE) == FALSE; // non-zero: it was disabled
    if (state.handle && !IsWindowVisible(state.handle)) {
        ShowWindow(state.handle, SW_SHOW);
        UpdateWindow(state.handle);
    }
    // Also a failure of a message handled before the loop ran (the first paint, a resize).
    throw_pending_failure();
    state.modal_running = true;

    // Every window of the thread is served here, so a nested loop (a popup over this window) works.
    // The flag is tested before each message is taken, so ending the loop never swallows a message
    // that an outer loop still has to dispatch.
    for (;;) {
        MSG message{};
        while (state.modal_running && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_KEYDOWN && state.toolkit_window && state.toolkit_window->ime &&
                state.toolkit_window->ime->composing)
                state.toolkit_window->ime->get_impl().record_key();
            TranslateMessage(&message);
            DispatchMessageW(&message);
            throw_pending_failure();
        }
        if (!state.modal_running)
            return;
        WaitMessage();
    }
}

void native_window::end_modal()
{
    impl& state = *impl_;
    state.modal_running = false;
    if (HWND owner = real_owner(state.handle); owner && state.owner_was_enabled) {
        EnableWindow(owner, TRUE);
        SetFocus(owner);
    }
    if (state.handle && IsWindowVisible(state.handle))
        ShowWindow(state.handle, SW_HIDE);
}

void native_window::add_timer(widget* target, std::int32_t id_value, std::uint32_t interval_ms, bool one_shot)
{
    if (const auto key = impl_->timers.add(target, id_value, one_shot))
        SetTimer(impl_->handle, *key, interval_ms, nullptr);
}

void native_window::remove_timer(widget* target, std::int32_t id_value)
{
    if (const auto key = impl_->timers.remove(target, id_value))
        KillTimer(impl_->handle, *key);
}

void native_window::invalidate(rect_i rect_dips)
{
    impl& state = *impl_;
    if (!state.handle)
        return;
    // Scaled like the window's own rectangle, and widened to every pixel the DIP rectangle touches
    // so that antialiased edges at fractional scales are repainted too.
    const pixel_rect scaled = scale_to_pixels(rect_dips, state.dpi_x, state.dpi_y);
    const RECT pixels{std::min(scaled.x, scale_down(rect_dips.left(), state.dpi_x)),
                      std::min(scaled.y, scale_down(rect_dips.top(), state.dpi_y)),
                      std::max(scaled.x + scaled.width, scale_up(rect_dips.right(), state.dpi_x)),
                      std::max(scaled.y + scaled.height, scale_up(rect_dips.bottom(), state.dpi_y))};
    InvalidateRect(state.handle, &pixels, FALSE);
}

void native_window::set_mouse_capture()
{
    if (impl_->handle)
        SetCapture(impl_->handle);
}

void native_window::release_mouse_capture()
{
    impl& state = *impl_;
    // Only a capture this window still holds: one that another window took stays with that window.
    if (!state.handle || GetCapture() != state.handle)
        return;
    state.releasing_capture = true;
    ReleaseCapture();
    state.releasing_capture = false;
}

vec2i native_window::client_mouse_position() const
{
    POINT cursor{};
    GetCursorPos(&cursor);
    if (impl_->handle)
        ScreenToClient(impl_->handle, &cursor);
    return {static_cast<int>(cursor.x) * 96 / impl_->dpi_x, static_cast<int>(cursor.y) * 96 / impl_->dpi_y};
}

vec2i native_window::client_screen_position() const
{
    POINT corner{0, 0};
    if (impl_->handle)
        ClientToScreen(impl_->handle, &corner);
    return {pixels_to_dips(static_cast<int>(corner.x), impl_->dpi_x), pixels_to_dips(static_cast<int>(corner.y), impl_->dpi_y)};
}

void native_window::announce(const accessibility::notification& change)
{
    if (impl_->handle)
        impl_->uia.queue(impl_->handle, change);
}

window* native_window::toolkit_window() const { return impl_->toolkit_window; }

void* native_window::native_handle() const { return impl_->handle; }

vec2i screen_mouse_position()
{
    POINT cursor{};
    GetCursorPos(&cursor);
    const screen_dpi& dpi = cached_screen_dpi();
    return {static_cast<int>(cursor.x) * 96 / dpi.x, static_cast<int>(cursor.y) * 96 / dpi.y};
}

void set_cursor_shape(int kind)
{
    const auto& loaded = cursors();
    const std::size_t index = kind >= 0 && kind < static_cast<int>(loaded.size()) ? static_cast<std::size_t>(kind) : 0;
    SetCursor(loaded[index]);
}

bool is_shift_down() { return ((GetKeyState(VK_RSHIFT) | GetKeyState(VK_LSHIFT)) & 0x8000) != 0; }

key key_of(std::uint64_t key_code) { return key_from_virtual_key(key_code); }

} // namespace lcsdk::ui
