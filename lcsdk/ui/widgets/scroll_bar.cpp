#include "lcsdk/ui/widgets/scroll_bar.h"

#include "lcsdk/ui/accessibility.h"
#include "lcsdk/ui/mouse.h"
#include "lcsdk/ui/native_platform.h"
#include "lcsdk/ui/toolkit_images.h"
#include "lcsdk/ui/widgets/widget_drawing.h"

#include <algorithm>
#include <cassert>
#include <functional>

namespace lcsdk::ui {

using namespace std::placeholders;
using widget_drawing::drawer_of;
using widget_drawing::truncate_to_int;

namespace {

// Edges count as inside.
bool contains_inclusive(const rect_i& r, vec2i p)
{
    return p.x >= r.left() && p.x <= r.right() && p.y >= r.top() && p.y <= r.bottom();
}

int clamp_to_int(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

ScrollBar::ScrollBar(int bar_orientation, bool with_buttons)
    : orientation(bar_orientation), show_buttons(with_buttons)
{
    add_handler(this, this, event_kind::created, std::bind(&ScrollBar::on_created, this));
}

ScrollBar::~ScrollBar()
{
    if (dragging && get_captured_widget() == this)
        release_widget(*this);
}

void ScrollBar::on_created()
{
    add_handler(this, this, paint_event, std::bind(&ScrollBar::draw, this));
    add_handler(this, this, mouse_down, std::bind(&ScrollBar::on_mouse_down, this, _1));
    add_handler(this, this, mouse_up, std::bind(&ScrollBar::on_mouse_up, this, _1));
    add_handler(this, this, mouse_move, std::bind(&ScrollBar::on_mouse_move, this));
    add_handler(this, this, mouse_wheel, std::bind(&ScrollBar::on_wheel, this, _1));
    add_handler(this, this, size_changed, std::bind(&ScrollBar::layout_parts, this));
    add_handler(this, this, accessibility_describe, std::bind(&ScrollBar::on_describe, this, _1));
    add_handler(this, this, accessibility_request, std::bind(&ScrollBar::on_request, this, _1));
    watch_keyboard(*this);
    const image_ref arrow = images::scroll_arrow_image();
    arrow_image.load_from_memory(arrow.data, static_cast<std::size_t>(arrow.size), 1.0f);
    layout_parts();
}

void ScrollBar::set_scroll_panel(widget* scroll_panel)
{
    assert(scroll_panel != this && "Scroll panel is set o it's own.");
    if (scroll_panel == this)
        return;
    panel = scroll_panel;
    if (panel != nullptr) {
        set_panel_coordinate(0);
        add_handler(panel, this, size_changed, std::bind(&ScrollBar::update_thumb, this));
        add_handler(panel, this, moved, std::bind(&ScrollBar::update_thumb, this));
        add_handler(panel, this, mouse_wheel, std::bind(&ScrollBar::on_wheel, this, _1));
        add_handler(panel, this, destroyed, std::bind(&ScrollBar::on_panel_destroyed, this, _1));
        watch_keyboard(*panel);
        if (widget* viewport = panel->parent) {
            add_handler(viewport, this, size_changed, std::bind(&ScrollBar::on_viewport_resized, this));
            add_handler(viewport, this, accessibility_describe, std::bind(&ScrollBar::on_describe_viewport, this, _1));
            add_handler(viewport, this, accessibility_request, std::bind(&ScrollBar::on_request_viewport, this, _1));
            watch_keyboard(*viewport);
        }
    }
    update_thumb();
}

int ScrollBar::button_size() const
{
    if (!show_buttons)
        return 0;
    return is_vertical() ? start_button_rect.size.y : start_button_rect.size.x;
}

int ScrollBar::viewport_extent() const
{
    const widget* viewport = panel != nullptr ? panel->parent : nullptr;
    if (viewport == nullptr)
        return 0;
    return is_vertical() ? viewport->size.y : viewport->size.x;
}

int ScrollBar::panel_coordinate() const { return is_vertical() ? panel->position.y : panel->position.x; }

void ScrollBar::set_panel_coordinate(long long coordinate)
{
    rect_i r = panel->rect();
    (is_vertical() ? r.position.y : r.position.x) = clamp_to_int(coordinate);
    panel->set_rect(r);
}

void ScrollBar::layout_parts()
{
    const int w = size.x;
    const int h = size.y;
    if (is_vertical()) {
        start_button_rect = show_buttons ? rect_i{{0, 0}, {w, w}} : rect_i{};
        end_button_rect = show_buttons ? rect_i{{0, h - w}, {w, w}} : rect_i{};
        const int bs = button_size();
        thumb_rect = {{0, bs}, {w, h - 2 * bs}};
    } else {
        start_button_rect = show_buttons ? rect_i{{0, 0}, {h, h}} : rect_i{};
        end_button_rect = show_buttons ? rect_i{{w - h, 0}, {h, h}} : rect_i{};
        const int bs = button_size();
        thumb_rect = {{bs, 0}, {w - 2 * bs, h}};
    }
    update_thumb();
}

void ScrollBar::update_thumb()
{
    const int bs = button_size();
    const int bar_length = length();
    if (panel == nullptr) {
        thumb_rect = is_vertical() ? rect_i{{0, bs}, {size.x, size.y - 2 * bs}}
                                   : rect_i{{bs, 0}, {size.x - 2 * bs, size.y}};
        invalidate();
        return;
    }

    const vec2i viewport = panel->parent != nullptr ? panel->parent->size : vec2i{};
    const long long overflow = is_vertical() ? static_cast<long long>(panel->size.y) - viewport.y
                                             : static_cast<long long>(panel->size.x) - viewport.x;
    max_scroll_position = clamp_to_int(std::max(overflow, 0LL));
    scroll_position = clamp_to_int(-static_cast<long long>(panel_coordinate()));

    // One pixel of thumb less per pixel of overflow, but never shorter than the bar is thick.
    const long long track = static_cast<long long>(bar_length) - 2LL * bs;
    const int thumb_length = clamp_to_int(std::max(track - max_scroll_position, static_cast<long long>(thickness())));
    ratio = max_scroll_position == 0
                ? 0.0f
                : static_cast<float>(track - thumb_length) / static_cast<float>(max_scroll_position);
    const int thumb_start = bs + truncate_to_int(static_cast<float>(scroll_position) * ratio);
    thumb_rect = is_vertical() ? rect_i{{0, thumb_start}, {size.x, thumb_length}}
                               : rect_i{{thumb_start, 0}, {thumb_length, size.y}};

    if (static_cast<long long>(thumb_start) + thumb_length > bar_length)
        scroll_to(max_scroll_position, true);
    invalidate();
}

void ScrollBar::scroll_to(int target_position, bool exact)
{
    if (panel == nullptr)
        return;
    long long target = target_position;
    if (!exact && step > 0)
        target -= target % step;
    set_panel_coordinate(std::max(std::min(-target, 0LL), -static_cast<long long>(max_scroll_position)));
}

void ScrollBar::scroll_by(int delta)
{
    if (panel == nullptr)
        return;
    const long long moved_to = static_cast<long long>(panel_coordinate()) + delta;
    set_panel_coordinate(std::max(std::min(moved_to, 0LL), -static_cast<long long>(max_scroll_position)));
}

int ScrollBar::travel_to_position(int travel) const
{
    // Without overflow the ratio is 0 and no travel scrolls anywhere but the start.
    if (ratio == 0.0f)
        return 0;
    return truncate_to_int(static_cast<double>(travel) / static_cast<double>(ratio));
}

void ScrollBar::on_mouse_down(const event_info& info)
{
    if (info.param != 0)
        return;
    const vec2i p = get_mouse_position(*this);
    if (contains_inclusive(thumb_rect, p)) {
        dragging = true;
        const int travel = truncate_to_int(static_cast<float>(scroll_position) * ratio);
        drag_offset = {p.x - travel, p.y - travel};
        capture_widget(*this);
        return;
    }

    if (show_buttons && (contains_inclusive(start_button_rect, p) || contains_inclusive(end_button_rect, p)))
        return;
    const int along = is_vertical() ? p.y : p.x;
    const int thumb_start = is_vertical() ? thumb_rect.position.y : thumb_rect.position.x;
    const int thumb_length = is_vertical() ? thumb_rect.size.y : thumb_rect.size.x;
    int travel = 0;
    if (along < thumb_start)
        travel = along;
    else if (along > thumb_start + thumb_length)
        travel = along - thumb_length;
    else
        return;
    scroll_to(travel_to_position(travel), true);
}

void ScrollBar::on_mouse_move()
{
    if (!dragging)
        return;
    const vec2i p = get_mouse_position(*this);
    const int travel = is_vertical() ? p.y - drag_offset.y : p.x - drag_offset.x;
    scroll_to(travel_to_position(travel), false);
}

void ScrollBar::on_mouse_up(const event_info& info)
{
    if (info.param != 0)
        return;
    if (dragging) {
        if (get_captured_widget() == this)
            release_widget(*this);
        dragging = false;
        return;
    }
    if (panel == nullptr || !show_buttons)
        return;
    const vec2i p = get_mouse_position(*this);
    if (contains_inclusive(start_button_rect, p))
        scroll_by(step);
    else if (contains_inclusive(end_button_rect, p))
        scroll_by(-step);
}

void ScrollBar::on_wheel(const event_info& info) { scroll_by(truncate_to_int(param_to_double(info.param))); }

// A bar may outlive its panel: without one it scrolls nothing and its thumb fills the track.
void ScrollBar::on_panel_destroyed(const event_info& info)
{
    // Only the current panel matters; an earlier one keeps its handlers until it goes.
    if (info.sender != panel)
        return;
    panel = nullptr;
    scroll_position = 0;
    max_scroll_position = 0;
    ratio = 0.0f;
    update_thumb();
}

// Keeps the panel's far edge on the viewport's far edge while the viewport grows, until the panel fits.
void ScrollBar::on_viewport_resized()
{
    if (panel != nullptr && panel->parent != nullptr) {
        const vec2i viewport = panel->parent->size;
        const int coordinate = panel_coordinate();
        const int extent = is_vertical() ? panel->size.y : panel->size.x;
        const int viewport_extent = is_vertical() ? viewport.y : viewport.x;
        if (coordinate < 0 && static_cast<long long>(coordinate) + extent < viewport_extent)
            set_panel_coordinate(std::min(static_cast<long long>(viewport_extent) - extent, 0LL));
    }
    update_thumb();
}

void ScrollBar::watch_keyboard(widget& target)
{
    add_handler(&target, this, key_down, std::bind(&ScrollBar::on_key_down, this, _1));
    add_handler(&target, this, focus_gained, std::bind(&ScrollBar::invalidate, this));
    add_handler(&target, this, focus_lost, std::bind(&ScrollBar::invalidate, this));
}

bool ScrollBar::is_viewport(const event_object* candidate) const
{
    return panel != nullptr && panel->parent != nullptr && candidate == panel->parent;
}

bool ScrollBar::shows_focus() const
{
    if (top_window == nullptr || !top_window->routing().focus_visible())
        return false;
    const widget* focused = top_window->routing().focused();
    return focused != nullptr && (focused == this || (panel != nullptr && (focused == panel || focused == panel->parent)));
}

void ScrollBar::on_key_down(const event_info& info)
{
    if (panel == nullptr)
        return;
    const key pressed = key_of(info.param);
    if (pressed == (is_vertical() ? key::up : key::left))
        scroll_by(step);
    else if (pressed == (is_vertical() ? key::down : key::right))
        scroll_by(-step);
    else if (pressed == key::page_up)
        scroll_by(viewport_extent());
    else if (pressed == key::page_down)
        scroll_by(-viewport_extent());
    else if (pressed == key::home)
        scroll_to(0, true);
    else if (pressed == key::end)
        scroll_to(max_scroll_position, true);
}

// The bar itself, with its arrows as parts a reader can name and press.
void ScrollBar::on_describe(const event_info& info)
{
    accessibility::description& said = accessibility::described(info);
    said.kind = accessibility::role::scroll_bar;
    if (!show_buttons)
        return;
    using accessibility::action;
    using accessibility::role;
    said.parts.push_back({role::button, is_vertical() ? "Scroll up" : "Scroll left", start_button_rect, action::press});
    said.parts.push_back({role::button, is_vertical() ? "Scroll down" : "Scroll right", end_button_rect, action::press});
}

void ScrollBar::on_request(const event_info& info)
{
    accessibility::request& asked = accessibility::requested(info);
    if (!show_buttons || panel == nullptr || asked.what != accessibility::action::press || asked.part < 1 || asked.part > 2)
        return;
    scroll_by(asked.part == 1 ? step : -step);
    asked.done = true;
}

void ScrollBar::on_describe_viewport(const event_info& info)
{
    if (!is_viewport(info.sender))
        return;
    accessibility::description& said = accessibility::described(info);
    said.kind = accessibility::role::scroll_pane;
    said.scroll = accessibility::scroll_state{is_vertical(), scroll_position, max_scroll_position, viewport_extent(), step};
}

void ScrollBar::on_request_viewport(const event_info& info)
{
    accessibility::request& asked = accessibility::requested(info);
    if (!is_viewport(info.sender) || asked.part != 0 || asked.what != accessibility::action::scroll)
        return;
    scroll_to(asked.position, true);
    asked.done = true;
}

void ScrollBar::draw()
{
    draw_back({{0, 0}, size});
    draw_thumb(thumb_rect);
    if (show_buttons) {
        draw_button(start_button_rect, true);
        draw_button(end_button_rect, false);
    }
    native_drawer* drawer = drawer_of(*this);
    if (drawer != nullptr && shows_focus()) {
        drawer->set_line_style(1);
        drawer->set_line_color(get_color(theme, "scroll_border_color_focus"), 1.0f);
        drawer->draw_rect({{0, 0}, size});
    }
}

void ScrollBar::draw_back(rect_i whole)
{
    native_drawer* drawer = drawer_of(*this);
    if (drawer == nullptr)
        return;
    drawer->set_fill_color(get_color(theme, "scroll_back_color"));
    drawer->fill_rect(whole);
}

void ScrollBar::draw_thumb(rect_i thumb)
{
    native_drawer* drawer = drawer_of(*this);
    if (drawer == nullptr)
        return;
    drawer->set_fill_color(get_color(theme, "scroll_bar_back_color"));
    drawer->fill_rect(thumb);
    drawer->set_line_color(get_color(theme, "scroll_bar_line_color"), 1.0f);
    // The drawer keeps the previous widget's line style, and the grip must not come out dotted.
    drawer->set_line_style(0);
    for (int offset : {-3, 0, 3}) {
        if (is_vertical()) {
            const int centre = thumb.position.y + thumb.size.y / 2 + offset;
            drawer->draw_line({4, centre}, {thumb.size.x - 4, centre});
        } else {
            const int centre = thumb.position.x + thumb.size.x / 2 + offset;
            drawer->draw_line({centre, 4}, {centre, thumb.size.y - 4});
        }
    }
}

void ScrollBar::draw_button(rect_i button, bool start)
{
    native_drawer* drawer = drawer_of(*this);
    if (drawer == nullptr)
        return;
    const int bx = button.position.x;
    const int by = button.position.y;
    const int bw = button.size.x;
    const int bh = button.size.y;
    drawer->set_fill_color(get_color(theme, "scroll_button_back_color"));
    drawer->fill_rect(button);
    drawer->set_line_color(get_color(theme, "scroll_button_line_color"), 1.0f);
    drawer->set_line_style(0);
    if (is_vertical())
        drawer->draw_line({bx, by}, {bx + bw, by});
    else
        drawer->draw_line({bx, by}, {bx, by + bh});

    if (!arrow_image.is_loaded())
        return;
    // Each button shows one half of the 8 x 8 arrow picture.
    if (is_vertical())
        drawer->draw_image({bx + bw / 2 - 4, by + bh / 2 - 2}, arrow_image, {{0, start ? 0 : 4}, {8, 4}});
    else
        drawer->draw_image({bx + bh / 2 - 2, by + bw / 2 - 4}, arrow_image, {{start ? 0 : 4, 0}, {4, 8}});
}

} // namespace lcsdk::ui
