#include "lcsdk/ui/platform_input.h"

#include "lcsdk/ui/event_bus.h"
#include "lcsdk/ui/mouse.h"
#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/window.h"

#include <cstdlib>

namespace lcsdk::ui {

int mul_div(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long product = static_cast<long long>(a) * b;
    const long long magnitude = (std::llabs(product) + std::llabs(static_cast<long long>(c)) / 2) / std::llabs(static_cast<long long>(c));
    return static_cast<int>(((product < 0) != (c < 0)) ? -magnitude : magnitude);
}

int dips_to_pixels(int dips, int dpi) { return mul_div(dips, dpi, 96); }
int pixels_to_dips(int pixels, int dpi) { return mul_div(pixels, 96, dpi); }

namespace {

int floor_div(long long a, long long b)
{
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return static_cast<int>(q);
}

int ceil_div(long long a, long long b) { return -floor_div(-a, b); }

} // namespace

rect_ltrb dirty_pixels_to_dips(rect_ltrb pixels, int dpi_x, int dpi_y)
{
    if (dpi_x <= 0 || dpi_y <= 0)
        return pixels;
    return {floor_div(pixels.left * 96LL, dpi_x), floor_div(pixels.top * 96LL, dpi_y),
            ceil_div(pixels.right * 96LL, dpi_x), ceil_div(pixels.bottom * 96LL, dpi_y)};
}

vec2i centred_position(rect_ltrb reference, rect_ltrb work_area, vec2i client_size, vec2i outer_bottom_right)
{
    int x = reference.left + (reference.right - client_size.x - reference.left) / 2;
    int y = reference.top + (reference.bottom - client_size.y - reference.top) / 2;
    if (x + outer_bottom_right.x > work_area.right)
        x = work_area.right - outer_bottom_right.x;
    if (y + outer_bottom_right.y > work_area.bottom)
        y = work_area.bottom - outer_bottom_right.y;
    if (x < work_area.left)
        x = work_area.left + 1;
    if (y < work_area.top)
        y = work_area.top + 1;
    return {x, y};
}

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

void translate_double_click(window& target, int button)
{
    const widget* under = target.hit_test(get_mouse_position(target.root));
    const bool takes_double_click = under && under->is_visible() && under->is_enabled() &&
                                    event_bus::instance().has_handlers(under, mouse_double_click);
    target.route_event(takes_double_click ? mouse_double_click : mouse_down, static_cast<std::uint64_t>(button));
}

void translate_wheel(window& target, int delta)
{
    target.route_event(mouse_wheel, double_to_param(static_cast<double>(delta) * 0.5));
}

void translate_key_down(window& target, std::uint32_t key_code, std::uint32_t native_detail)
{
    target.route_event(key_down, key_code);
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

} // namespace lcsdk::ui
