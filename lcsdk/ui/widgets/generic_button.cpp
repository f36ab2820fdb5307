#include "lcsdk/ui/widgets/generic_button.h"

#include "lcsdk/ui/accessibility.h"
#include "lcsdk/ui/widgets/widget_drawing.h"

#include <cstring>
#include <functional>

namespace lcsdk::ui {

using namespace std::placeholders;
using widget_drawing::drawer_of;

namespace {
constexpr std::uint64_t key_enter = 13;
}

GenericButton::GenericButton(bool toggle_mode_on) : toggle_mode(toggle_mode_on)
{
    focusable = true;
    add_handler(this, this, paint_event, std::bind(&GenericButton::draw, this));
    add_handler(this, this, mouse_enter, std::bind(&GenericButton::on_mouse_enter, this));
    add_handler(this, this, mouse_leave, std::bind(&GenericButton::on_mouse_leave, this));
    add_handler(this, this, focus_lost, std::bind(&GenericButton::on_focus_changed, this, false));
    add_handler(this, this, focus_gained, std::bind(&GenericButton::on_focus_changed, this, true));
    add_handler(this, this, mouse_down, std::bind(&GenericButton::on_mouse_down, this));
    add_handler(this, this, mouse_up, std::bind(&GenericButton::on_mouse_up, this, _1));
    add_handler(this, this, key_down, std::bind(&GenericButton::on_key_down, this, _1));
    add_handler(this, this, style_changed, std::bind(&GenericButton::on_style_changed, this, _1));
    add_handler(this, this, accessibility_describe, std::bind(&GenericButton::on_describe, this, _1));
    add_handler(this, this, accessibility_request, std::bind(&GenericButton::on_request, this, _1));
}

GenericButton::~GenericButton() = default;

void GenericButton::set_text(std::string caption)
{
    text = std::move(caption);
    invalidate();
    accessibility::announce_content_changed(*this);
}

void GenericButton::on_mouse_enter()
{
    hovered = true;
    invalidate();
}

void GenericButton::on_mouse_leave()
{
    hovered = false;
    pressed = false;
    invalidate();
}

void GenericButton::on_focus_changed(bool)
{
    pressed = false;
    invalidate();
}

void GenericButton::on_mouse_down()
{
    pressed = true;
    invalidate();
}

// Any left release delivered here activates: the router hands releases to the widget under the
// pointer (or the capture holder), so where the press began does not matter.
void GenericButton::on_mouse_up(const event_info& info)
{
    if (info.param != 0)
        return;
    if (toggle_mode)
        toggled = !toggled;
    pressed = false;
    invalidate();
    dispatch(this, button_clicked, toggled ? 1 : 0);
}

void GenericButton::on_key_down(const event_info& info)
{
    if (info.param == key_enter)
        activate_by_key();
}

void GenericButton::activate_by_key()
{
    if (toggle_mode) {
        toggled = !toggled;
        invalidate();
    }
    dispatch(this, button_clicked, toggled ? 1 : 0);
}

void GenericButton::on_describe(const event_info& info)
{
    accessibility::description& said = accessibility::described(info);
    said.kind = accessibility::role::button;
    said.name = text;
    said.default_action = accessibility::action::press;
}

// Pressed by assistive technology: as the Enter key presses it.
void GenericButton::on_request(const event_info& info)
{
    accessibility::request& asked = accessibility::requested(info);
    if (asked.part != 0 || asked.what != accessibility::action::press)
        return;
    activate_by_key();
    asked.done = true;
}

void GenericButton::on_style_changed(const event_info& info)
{
    const auto* key = reinterpret_cast<const char*>(info.param);
    if (key == nullptr || std::strcmp(key, "button_back_image") != 0)
        return;
    if (back_image.is_loaded())
        back_image.unload();
    invalidate();
}

void GenericButton::draw_back_image()
{
    native_drawer* drawer = drawer_of(*this);
    const image_ref image = get_image(theme, "button_back_image");
    if (image.size == 0 || drawer == nullptr)
        return;

    if (!back_image.is_loaded() && image.data != nullptr) {
        // The placement is fixed when the image is decoded; later resizes keep it.
        if (back_image.load_from_memory(image.data, static_cast<std::size_t>(image.size), image.scale)) {
            const vec2i frame = widget_drawing::frame_size(back_image, image.frames);
            image_rect = {{(size.x - frame.x) / 2, (size.y - frame.y) / 2}, frame};
        }
    }
    if (!back_image.is_loaded())
        return;

    // Later rules win: hover or toggled, then disabled, then pressed, each only if the strip has the frame.
    const int frame_height = image_rect.size.y;
    int offset = 0;
    if ((hovered || toggled) && image.frames > 1)
        offset = frame_height;
    if (!is_enabled() && image.frames > 2)
        offset = 2 * frame_height;
    if (pressed && image.frames > 3)
        offset = 3 * frame_height;
    drawer->draw_image(image_rect.position, back_image, {{0, offset}, image_rect.size});
}

void GenericButton::draw()
{
    native_drawer* drawer = drawer_of(*this);
    if (drawer == nullptr)
        return;
    const rect_i whole{{0, 0}, size};

    drawer->set_fill_color(get_color(theme, toggled   ? "button_color_toggle"
                                            : hovered ? "button_color_hover"
                                                      : "button_color_normal"));
    drawer->fill_rect(whole);

    draw_back_image();

    color4f text_color = get_color(theme, "button_font_color");
    drawer->set_line_style(0);
    drawer->set_line_color(get_color(theme, "button_border_color_normal"), 1.0f);
    if (hovered) {
        drawer->set_line_color(get_color(theme, "button_border_color_hover"), 1.0f);
        text_color = get_color(theme, "button_font_color_hover");
    }
    if (pressed)
        text_color = get_color(theme, "button_font_color_pressed");
    if (widget_drawing::has_focus(*this)) {
        drawer->set_line_style(1);
        drawer->set_line_color(get_color(theme, "button_border_color_focus"), 1.0f);
    }
    drawer->set_text_color(text_color);
    drawer->draw_rect(whole);

    drawer->set_font(get_string(theme, "button_font_name"), get_float(theme, "button_font_size"),
                     get_int(theme, "button_font_weight"), get_int(theme, "button_font_style"));
    drawer->set_text_alignment(h_align_center, v_align_center);
    if (!text.empty())
        drawer->draw_text(whole, text);
}

} // namespace lcsdk::ui
