#pragma once

#include "lcsdk/ui/event_bus.h"
#include "lcsdk/ui/native_bitmap.h"
#include "lcsdk/ui/widget.h"

namespace lcsdk::ui {

// Scrolls a panel inside its parent (the viewport) by moving the panel's y (vertical bar) or x
// (horizontal bar) between 0 and minus the overflow. Optional arrow buttons at both ends, a
// draggable thumb that snaps to `step`, a clickable track, and the wheel over the bar or the panel.
// While the bar, the panel or the viewport has the keyboard focus, the arrow keys along the bar,
// Page Up, Page Down, Home and End scroll, and the bar shows a dotted frame for keyboard users.
// The viewport describes itself to assistive technology as a scrolling pane.
class ScrollBar : public widget {
public:
    enum orientation_kind : int { vertical = 0, horizontal = 1 };

    explicit ScrollBar(int bar_orientation = vertical, bool with_buttons = true);
    ~ScrollBar() override;

    void set_scroll_panel(widget* scroll_panel);
    // Scrolls to `target_position`, snapped toward 0 to a multiple of `step` unless `exact`, and clamped.
    void scroll_to(int target_position, bool exact);
    // Moves the panel by `delta` pixels; positive moves it down or right, toward the start.
    void scroll_by(int delta);
    void layout_parts();
    void update_thumb();

    int orientation = vertical;
    bool show_buttons = true;
    native_bitmap arrow_image;
    rect_i thumb_rect;
    rect_i start_button_rect;
    rect_i end_button_rect;
    bool dragging = false;
    vec2i drag_offset;
    int scroll_position = 0;
    int max_scroll_position = 0;
    int step = 10;
    float ratio = 0.0f;
    widget* panel = nullptr;

protected:
    virtual void draw_button(rect_i button, bool start);
    virtual void draw_thumb(rect_i thumb);
    virtual void draw_back(rect_i whole);

private:
    void on_created();
    void draw();
    void on_mouse_down(const event_info& info);
    void on_mouse_up(const event_info& info);
    void on_mouse_move();
    void on_wheel(const event_info& info);
    void on_viewport_resized();
    void on_panel_destroyed(const event_info& info);
    void on_key_down(const event_info& info);
    void on_describe(const event_info& info);
    void on_request(const event_info& info);
    void on_describe_viewport(const event_info& info);
    void on_request_viewport(const event_info& info);
    // Handlers on the bar, the panel and the viewport alike: keys, and a repaint of the focus look.
    void watch_keyboard(widget& target);
    bool is_viewport(const event_object* candidate) const;
    bool shows_focus() const;

    bool is_vertical() const { return orientation != horizontal; }
    int thickness() const { return is_vertical() ? size.x : size.y; }
    int length() const { return is_vertical() ? size.y : size.x; }
    int button_size() const;
    int viewport_extent() const;
    int panel_coordinate() const;
    void set_panel_coordinate(long long coordinate);
    // Converts a thumb travel in pixels to a scroll amount; with no overflow everything maps to 0.
    int travel_to_position(int travel) const;
};

} // namespace lcsdk::ui
