#pragma once

#include "lcsdk/ui/accessibility.h"
#include "lcsdk/ui/geometry.h"

#include <cstdint>
#include <memory>
#include <string>

namespace lcsdk::ui {

class widget;
class window;

// The platform side of one toolkit window. Each platform build defines `impl` and every member
// (native_platform.h).
//
// What every native window promises:
// - Geometry is in DIPs; only the layer converts to device pixels (on macOS one DIP is one point).
// - Native input reaches the toolkit only through the translate_* rules of platform_input.h, on
//   the user-interface thread; repaints run window::paint with the dirty rectangle.
// - Timers keep their table in a timer_table, whose tick raises event 15 and removes one-shot
//   entries the same way on every platform.
class native_window {
public:
    // Made by the toolkit window's constructor; the platform window exists from create_window on.
    native_window();
    // Stops every timer and destroys the platform window.
    ~native_window();
    native_window(const native_window&) = delete;
    native_window& operator=(const native_window&) = delete;

    // Creates the hidden platform window with a client area of `rect_dips` (screen DIPs) for
    // `toolkit_window`, shown over `owner` where the platform has owned windows (Cocoa has none).
    // Called once. Style flags are the toolkit window's; every window the toolkit
    // makes passes 0 and has a fixed frame, so the layers ignore them.
    void create_window(native_window* owner, window* toolkit_window, rect_i rect_dips, std::uint32_t style_flags);
    bool is_created() const;
    // The title bar's text.
    void set_title(const std::string& title_utf8);
    // Moves the window so that its client area is `rect_dips` in screen DIPs.
    void set_window_rect(rect_i rect_dips);
    // Centres the window over its owner, or over the screen, keeping it on the work area.
    void center_window();

    // Shows the window and runs a modal loop that serves every window of the thread until
    // end_modal; the owner takes no input meanwhile. Loops nest (a popup over a wizard).
    void show_modal();
    // Hides the window and ends its loop once the current message has been handled; the window
    // itself lives on and may be shown again. Closing the window does the same.
    void end_modal();

    // Starts a timer that raises event 15 on `target` with `id_value` every `interval_ms`, or once
    // when `one_shot`. A widget has at most one timer per id value: a second add does nothing.
    void add_timer(widget* target, std::int32_t id_value, std::uint32_t interval_ms, bool one_shot);
    // Stops the widget's timer with that id value; nothing happens when it has none. A tick already
    // queued for it is ignored.
    void remove_timer(widget* target, std::int32_t id_value);

    // Asks for a repaint of a rectangle in window DIPs; the platform paints later, possibly more
    // (macOS repaints the whole view).
    void invalidate(rect_i rect_dips);

    // Used by the window's router: keep delivering mouse input to this window while a button is
    // held, and let go again. Where the platform tells a window that loses the capture (Windows, the
    // neutral build), the layer reports it with translate_capture_lost; releasing a capture the
    // window no longer holds does nothing.
    void set_mouse_capture();
    void release_mouse_capture();

    // Mouse position in client DIPs of this window (outside the client area too).
    vec2i client_mouse_position() const;
    // The top-left corner of the client area on the screen, in DIPs from the screen's top left.
    vec2i client_screen_position() const;

    // A change the toolkit announces to assistive technology (accessibility.h), on the
    // user-interface thread, often in the middle of a change of the tree. The layer passes it on
    // to the platform's clients, or drops it when none is listening; it must not call back into
    // the toolkit before the change is complete (a layer that needs the element's state raises
    // the platform's event later, from its message loop).
    void announce(const accessibility::notification& change);

    // The toolkit window this native window serves; null before create_window.
    window* toolkit_window() const;

    // The platform's own window object (an HWND, an NSWindow*), for platform code outside the
    // layer such as a shell dialog that needs an owner; null before the window is created.
    void* native_handle() const;

    struct impl;
    impl& get_impl() { return *impl_; }
    const impl& get_impl() const { return *impl_; }

private:
    std::unique_ptr<impl> impl_;
};

} // namespace lcsdk::ui
