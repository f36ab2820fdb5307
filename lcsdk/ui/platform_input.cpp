#include "lcsdk/ui/platform_input.h"

#include "lcsdk/ui/event_bus.h"
#include "lcsdk/ui/mouse.h"
#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/window.h"

namespace lcsdk::ui {

bool translate_mouse_move(window& target)
{
    if (!target.mouse_inside) {
        target.mouse_inside = true;
        return true;
    }
    target.route_event(mouse_move, 0);
    return false;
}

void translate_mouse_leave(window& target)
{
    target.mouse_inside = false;
    target.route_event(mouse_leave, 0);
}

void translate_button_down(window& target, int button) { target.route_event(mouse_down, static_cast<std::uint64_t>(button)); }

void translate_button_up(window& target, int button) { target.route_event(mouse_up, static_cast<std::uint64_t>(button)); }

void translate_double_click(window& target, int button) { target.route_double_click(static_cast<std::uint64_t>(button)); }

void translate_wheel(window& target, int delta)
{
    target.route_event(mouse_wheel, double_to_param(static_cast<double>(delta) * 0.5));
}

void translate_key_down(window& target, std::uint32_t key_code, std::uint32_t native_detail)
{
    translate_key_press(target, key_code);
    translate_key_native(target, key_code, native_detail);
}

void translate_key_press(window& target, std::uint32_t key_code) { target.route_event(key_down, key_code); }

void translate_key_native(window& target, std::uint32_t key_code, std::uint32_t native_detail)
{
    target.route_event(key_down_native, static_cast<std::uint64_t>(key_code) | (static_cast<std::uint64_t>(native_detail) << 32));
}

void translate_key_up(window& target, std::uint32_t key_code) { target.route_event(key_up, key_code); }

void translate_char(window& target, std::uint16_t code_unit) { target.route_event(key_char, code_unit); }

void translate_client_size(window& target, vec2i size_dips) { target.route_event(size_changed, pack_vec2(size_dips)); }

void translate_focus(window& target, bool gained) { target.route_event(gained ? focus_gained : focus_lost, 0); }

void translate_close(window& target)
{
    // Closing only hides the window and ends its loop; the toolkit window lives on.
    if (target.native)
        target.native->end_modal();
}

void translate_mouse_enter(window& target) { target.mouse_inside = true; }

void translate_tracked_move(window& target, int button) { target.route_event(mouse_move, static_cast<std::uint64_t>(button)); }

void translate_second_click(window& target, int button)
{
    target.route_event(mouse_double_click, static_cast<std::uint64_t>(button));
}

void translate_wheel_lines(window& target, double lines) { target.route_event(mouse_wheel, double_to_param(lines * 40.0)); }

} // namespace lcsdk::ui
