#pragma once

#include "lcsdk/ui/event_bus.h"
#include "lcsdk/ui/geometry.h"
#include "lcsdk/ui/widget.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lcsdk::ui {

class native_window;
class native_drawer;
class ime_context;

// A top-level window: one platform window, its drawer and input-method state, and the root widget
// under which all of its widgets hang. Not a widget itself.
class window : public event_object {
public:
    window();
    ~window() override;

    void create(const std::string& title, rect_i rect, std::uint32_t style_flags = 0, window* owner_window = nullptr);

    int show_modal();
    void end_modal(int result);

    void set_focus(widget* target, std::uint64_t reason);
    void focus_next();
    void focus_previous();

    widget* hit_test(vec2i point) const;
    void paint(rect_ltrb dirty);
    void remove_widget(widget* gone);

    // Called by the platform layer for every native input message.
    void route_event(std::int32_t kind, std::uint64_t param);
    // A native double click: event 3 when the widget under the mouse takes it, otherwise a press,
    // so that widgets without a double-click handler see every click.
    void route_double_click(std::uint64_t button);
    // The platform took the mouse capture away from this window: the widget holding the toolkit
    // capture gets the release that will not come now, and the toolkit capture is dropped.
    void route_capture_lost();

    std::unique_ptr<native_window> native;
    std::unique_ptr<native_drawer> drawer;
    std::unique_ptr<ime_context> ime;
    window* owner = nullptr;
    widget* focused = nullptr;
    widget* hovered_widget = nullptr;
    std::vector<widget*> widgets;
    std::int32_t modal_result = 0;
    bool mouse_inside = false;
    bool tab_navigation = true;
    widget root;

private:
    void paint_widget(widget& w, rect_ltrb dirty, vec2i& offset);
    widget* widget_under_mouse() const;
    // Whether a widget still belongs to this window: a handler may have destroyed it meanwhile.
    bool has_widget(const widget* w) const;
    void focus_step(bool forward);
};

} // namespace lcsdk::ui
