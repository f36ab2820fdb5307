#include "lcsdk/ui/widgets/check_box.h"

#include "lcsdk/ui/accessibility.h"
#include "lcsdk/ui/widgets/widget_drawing.h"

#include <cstring>
#include <functional>

namespace lcsdk::ui {

using namespace std::placeholders;
using widget_drawing::drawer_of;

namespace {

constexpr std::uint64_t key_space = 32;

void apply_checkbox_font(native_drawer& drawer, const style_table& theme)
{
    drawer.set_font(get_string(theme, "checkbox_font_name"), get_float(theme, "checkbox_font_size"),
                    get_int(theme, "checkbox_font_weight"), get_int(theme, "checkbox_font_style"));
}

} // namespace

CheckBox::CheckBox()
{
    set_name("CheckBox");
    focusable = true;
    add_handler(this, this, event_kind::created, std::bind(&CheckBox::on_created, this));
}

CheckBox::~CheckBox() = default;

// Input handlers wait for creation, so a check box outside any window reacts to nothing.
void CheckBox::on_created()
{
    add_handler(this, this, paint_event, std::bind(&CheckBox::draw, this));
    add_handler(this, this, mouse_up, std::bind(&CheckBox::on_mouse_up, this));
    add_handler(this, this, mouse_enter, std::bind(&CheckBox::on_hover, this, true));
    add_handler(this, this, mouse_leave, std::bind(&CheckBox::on_hover, this, false));
    add_handler(this, this, focus_lost, std::bind(&CheckBox::on_focus_changed, this, false));
    add_handler(this, this, focus_gained, std::bind(&CheckBox::on_focus_changed, this, true));
    add_handler(this, this, key_up, std::bind(&CheckBox::on_key_up, this, _1));
    add_handler(this, this, style_changed, std::bind(&CheckBox::on_style_changed, this, _1));
    add_handler(this, this, accessibility_describe, std::bind(&CheckBox::on_describe, this, _1));
    add_handler(this, this, accessibility_request, std::bind(&CheckBox::on_request, this, _1));
    set_placement(2, spacing);
    set_enabled(false);
}

void CheckBox::bind_value(bool* value)
{
    if (value == nullptr)
        return;
    set_enabled(true);
    bound_value = value;
    checked = *value;
    *bound_value = checked;
    invalidate();
}

void CheckBox::set_checked(bool value)
{
    const bool changed = value != checked;
    checked = value;
    if (bound_value != nullptr)
        *bound_value = value;
    invalidate();
    if (changed)
        accessibility::announce_toggled(*this);
}

void CheckBox::set_text(std::string new_text)
{
    text = std::move(new_text);
    set_placement(placement, spacing);
    invalidate();
    accessibility::announce_content_changed(*this);
}

void CheckBox::set_placement(int new_placement, int new_spacing)
{
    spacing = new_spacing;

    vec2i text_size;
    if (native_drawer* drawer = drawer_of(*this)) {
        apply_checkbox_font(*drawer, theme);
        drawer->set_text_alignment(h_align_left, v_align_top);
        if (!text.empty())
            text_size = drawer->measure_text(text, {0, 0});
    }

    const image_ref strip = get_image(theme, "checkbox_image");
    if (strip.size != 0 && strip.data != nullptr && !image.is_loaded()) {
        if (image.load_from_memory(strip.data, static_cast<std::size_t>(strip.size), strip.scale))
            box_size = widget_drawing::frame_size(image, strip.frames);
    }

    const int width = size.x;
    const int height = size.y;
    box_rect.size = box_size;
    box_rect.position.y = (height - box_size.y) / 2;
    text_rect.size = text_size;
    text_rect.position.y = (height - text_size.y) / 2;

    const int box_width = box_size.x;
    const int text_width = text_size.x;
    const int gap = text_width > 0 ? new_spacing : 0;
    const int centred = (width - box_width - gap - text_width) / 2;
    int& box_x = box_rect.position.x;
    int& text_x = text_rect.position.x;
    switch (new_placement) {
    case 0: box_x = 0; text_x = box_width + gap; break;
    case 1: box_x = width - box_width - gap - text_width; text_x = width - text_width; break;
    case 2: box_x = centred; text_x = centred + box_width + gap; break;
    case 3: box_x = 0; text_x = width - text_width; break;
    case 4: box_x = text_width + gap; text_x = 0; break;
    case 5: box_x = width - box_width; text_x = width - box_width - gap - text_width; break;
    case 6: box_x = centred + text_width + gap; text_x = centred; break;
    case 7: box_x = width - box_width; text_x = 0; break;
    default: break;
    }

    placement = new_placement;
    invalidate();
}

void CheckBox::toggle()
{
    checked = !checked;
    if (bound_value != nullptr)
        *bound_value = checked;
    invalidate();
    accessibility::announce_toggled(*this);
    dispatch(this, checkbox_toggled, 0);
}

void CheckBox::on_mouse_up() { toggle(); }

void CheckBox::on_hover(bool entered)
{
    hovered = entered;
    invalidate();
}

void CheckBox::on_focus_changed(bool) { invalidate(); }

void CheckBox::on_key_up(const event_info& info)
{
    if (info.param == key_space)
        toggle();
}

void CheckBox::on_style_changed(const event_info& info)
{
    const auto* key = reinterpret_cast<const char*>(info.param);
    if (key != nullptr && std::strcmp(key, "checkbox_image") == 0 && image.is_loaded())
        image.unload();
    set_placement(placement, spacing);
    invalidate();
}

void CheckBox::on_describe(const event_info& info)
{
    accessibility::description& said = accessibility::described(info);
    said.kind = accessibility::role::check_box;
    said.name = text;
    said.checked = checked;
    said.default_action = accessibility::action::toggle;
}

// Toggled by assistive technology: as the space bar toggles it.
void CheckBox::on_request(const event_info& info)
{
    accessibility::request& asked = accessibility::requested(info);
    if (asked.part != 0 || asked.what != accessibility::action::toggle)
        return;
    toggle();
    asked.done = true;
}

void CheckBox::draw()
{
    native_drawer* drawer = drawer_of(*this);
    if (drawer == nullptr)
        return;

    drawer->set_fill_color(get_color(theme, "checkbox_back_color"));
    drawer->fill_rect({{0, 0}, size});

    // A checked but disabled box shows the unchecked frame; a single-frame strip always shows frame 0.
    const image_ref strip = get_image(theme, "checkbox_image");
    const int frame_height = box_rect.size.y;
    int offset = 0;
    if (strip.frames >= 2) {
        if (checked && is_enabled())
            offset = frame_height;
        if (strip.frames >= 4 && hovered)
            offset += 2 * frame_height;
    }
    if (image.is_loaded())
        drawer->draw_image(box_rect.position, image, {{0, offset}, {box_rect.size.x, frame_height}});

    drawer->set_line_color(get_color(theme, hovered ? "checkbox_border_color_hover" : "checkbox_border_color_normal"),
                           get_float(theme, "checkbox_border_width"));
    drawer->set_line_style(0);
    drawer->draw_rect(box_rect);
    if (widget_drawing::has_focus(*this) && !hovered) {
        drawer->set_line_style(1);
        drawer->set_line_color(get_color(theme, "checkbox_border_color_focus"), 1.0f);
        drawer->draw_rect(box_rect);
    }

    color4f text_color = get_color(theme, "checkbox_font_color");
    text_color.a = is_enabled() ? 1.0f : 0.5f;
    drawer->set_text_color(text_color);
    apply_checkbox_font(*drawer, theme);
    drawer->set_text_alignment(h_align_left, v_align_center);
    if (!text.empty())
        drawer->draw_text(text_rect, text);
}

} // namespace lcsdk::ui
