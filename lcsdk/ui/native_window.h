#pragma once

#include "lcsdk/ui/geometry.h"

#include <cstdint>
#include <memory>
#include <string>

namespace lcsdk::ui {

class widget;
class window;

// The platform side of one toolkit window. Each platform build defines `impl` and every member.
class native_window {
public:
    native_window();
    ~native_window();
    native_window(const native_window&) = delete;
    native_window& operator=(const native_window&) = delete;

    // Style flags are the toolkit window's (0 for every window the toolkit makes); a platform whose
    // windows have a fixed frame ignores them.
    void create_window(native_window* owner, window* toolkit_window, rect_i rect_dips, std::uint32_t style_flags);
    bool is_created() const;
    void set_title(const std::string& title_utf8);
    void set_window_rect(rect_i rect_dips);
    void center_window();

    void show_modal();
    void end_modal();

    void add_timer(widget* target, std::int32_t id_value, std::uint32_t interval_ms, bool one_shot);
    void remove_timer(widget* target, std::int32_t id_value);

    // Asks for a repaint of a rectangle in window DIPs; the platform paints later.
    void invalidate(rect_i rect_dips);

    // Keep delivering mouse input to this window while a button is held.
    void set_mouse_capture();
    void release_mouse_capture();

    // Mouse position in client DIPs of this window.
    vec2i client_mouse_position() const;

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
