#pragma once

#include "lcsdk/ui/geometry.h"

#include <cstdint>
#include <vector>

namespace lcsdk::ui {

class widget;
class window;

// The routing state of one window (its widgets in Tab order, the keyboard focus, the hover, the
// mouse capture, whether the mouse is inside) and the rules that find each input event's target.
// The state changes only through these operations: platform input arrives through platform_input.h,
// widgets join and leave at creation and destruction, and programs move the focus or capture the
// mouse through the widget's window.
class window_routing {
public:
    explicit window_routing(window& owner);
    ~window_routing();
    window_routing(const window_routing&) = delete;
    window_routing& operator=(const window_routing&) = delete;

    // Every created widget of the window, the root first, in creation order: the Tab order.
    const std::vector<widget*>& widgets() const { return widgets_; }
    void add_widget(widget& created);
    // A widget being destroyed leaves the list and takes the focus, the hover and the capture it
    // held with it.
    void remove_widget(const widget* gone);

    // Keyboard focus: the reason (focus_reason) travels as the parameter of events 24 and 23.
    widget* focused() const { return focused_; }
    bool is_focused(const widget& target) const { return focused_ == &target; }
    void set_focus(widget* target, std::uint64_t reason);
    // The focus a window starts with, set without events when the window is created.
    void focus_root();
    void focus_next();
    void focus_previous();
    // Whether the focus looks that only keyboard users need are shown: on once Tab has moved the
    // focus, off again once a mouse press moves it; focus set by the program leaves it as it is.
    // Widgets whose focus look would change what a mouse user sees draw it only while this is on.
    bool focus_visible() const { return focus_visible_; }
    // When set (the default), the Tab character moves the focus and reaches only the window.
    void set_tab_navigation(bool enabled) { tab_navigation_ = enabled; }

    // The widget under the mouse as the last move saw it.
    widget* hovered() const { return hovered_; }

    // Whether the platform has reported the mouse inside the client area and not yet its leave.
    // Returns whether that changed.
    bool mouse_inside() const { return mouse_inside_; }
    bool set_mouse_inside(bool inside);

    // Mouse capture: while a button is held, every move and the release go to the captured widget
    // wherever the mouse is. One widget of the process holds it at a time; a capture taken here
    // ends one held in another window.
    void capture(widget& target);
    // Requires that `target` holds the capture.
    void release(widget& target);
    widget* captured() const { return captured_; }
    // The captured widget of whichever window holds the capture, or null.
    static widget* process_capture();

    // The mouse position in DIPs relative to the top-left corner of a widget of this window.
    vec2i mouse_position(const widget& target) const;
    // Whether the widget under the mouse is visible, enabled and has a handler list for `kind`:
    // it takes double clicks (3) or dropped files (30) there.
    bool widget_under_mouse_takes(std::int32_t kind) const;

    // Platform input, translated by platform_input.h.
    void route_event(std::int32_t kind, std::uint64_t param);
    // A native double click: event 3 when the widget under the mouse takes it, otherwise a press,
    // so that widgets without a double-click handler see every click.
    void route_double_click(std::uint64_t button);
    // The platform took the mouse capture away from this window: the widget holding the capture
    // gets the release that will not come now, and the capture is dropped.
    void route_capture_lost();

private:
    widget* widget_under_mouse() const;
    // Whether a widget still belongs to the window: a handler may have destroyed it meanwhile.
    bool has_widget(const widget* w) const;
    void focus_step(bool forward);
    // Lets go of the platform's capture and forgets the captured widget.
    void drop_capture();

    window& owner_;
    std::vector<widget*> widgets_;
    widget* focused_ = nullptr;
    widget* hovered_ = nullptr;
    widget* captured_ = nullptr;
    bool mouse_inside_ = false;
    bool tab_navigation_ = true;
    bool focus_visible_ = false;
};

} // namespace lcsdk::ui
