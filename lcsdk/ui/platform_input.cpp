#include "lcsdk/ui/platform_input.h"

#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/window.h"

namespace lcsdk::ui {

namespace {

void route(window& target, std::int32_t kind, std::uint64_t param) { target.routing().route_event(kind, param); }

} // namespace

bool translate_mouse_move(window& target)
{
    if (target.routing().set_mouse_inside(true))
        return true;
    route(target, mouse_move, 0);
    return false;
}

void translate_mouse_leave(window& target)
{
    target.routing().set_mouse_inside(false);
    route(target, mouse_leave, 0);
}

void translate_button_down(window& target, int button) { route(target, mouse_down, static_cast<std::uint64_t>(button)); }

void translate_button_up(window& target, int button) { route(target, mouse_up, static_cast<std::uint64_t>(button)); }

void translate_double_click(window& target, int button)
{
    target.routing().route_double_click(static_cast<std::uint64_t>(button));
}

void translate_wheel(window& target, int delta)
{
    route(target, mouse_wheel, double_to_param(static_cast<double>(delta) * 0.5));
}

void translate_key_down(window& target, std::uint32_t key_code, std::uint32_t native_detail)
{
    translate_key_press(target, key_code);
    translate_key_native(target, key_code, native_detail);
}

void translate_key_press(window& target, std::uint32_t key_code) { route(target, key_down, key_code); }

void translate_key_native(window& target, std::uint32_t key_code, std::uint32_t native_detail)
{
    route(target, key_down_native, static_cast<std::uint64_t>(key_code) | (static_cast<std::uint64_t>(native_detail) << 32));
}

void translate_key_up(window& target, std::uint32_t key_code) { route(target, key_up, key_code); }

void translate_char(window& target, std::uint16_t code_unit) { route(target, key_char, code_unit); }

void translate_client_size(window& target, vec2i size_dips) { route(target, size_changed, pack_vec2(size_dips)); }

void translate_focus(window& target, bool gained) { route(target, gained ? focus_gained : focus_lost, 0); }

bool is_mouse_inside(const window& target) { return target.routing().mouse_inside(); }

void translate_composition(window& target, int stage) { route(target, ime_composition, static_cast<std::uint64_t>(stage)); }

void translate_files_dropped(window& target, const void* file_list)
{
    route(target, files_dropped, reinterpret_cast<std::uint64_t>(file_list));
}

bool takes_dropped_files(const window& target) { return target.routing().widget_under_mouse_takes(files_dropped); }

void translate_capture_lost(window& target) { target.routing().route_capture_lost(); }

void translate_close(window& target)
{
    // Closing only hides the window and ends its loop; the toolkit window lives on.
    if (target.native)
        target.native->end_modal();
}

void translate_mouse_enter(window& target) { target.routing().set_mouse_inside(true); }

void translate_tracked_move(window& target, int button) { route(target, mouse_move, static_cast<std::uint64_t>(button)); }

void translate_second_click(window& target, int button)
{
    route(target, mouse_double_click, static_cast<std::uint64_t>(button));
}

void translate_wheel_lines(window& target, double lines) { route(target, mouse_wheel, double_to_param(lines * 40.0)); }

key key_from_virtual_key(std::uint64_t virtual_key)
{
    switch (virtual_key) {
    case 0x0D: return key::enter;
    case 0x1B: return key::escape;
    case 0x20: return key::space;
    case 0x21: return key::page_up;
    case 0x22: return key::page_down;
    case 0x23: return key::end;
    case 0x24: return key::home;
    case 0x25: return key::left;
    case 0x26: return key::up;
    case 0x27: return key::right;
    case 0x28: return key::down;
    default: return key::other;
    }
}

} // namespace lcsdk::ui
