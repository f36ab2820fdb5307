#pragma once

#include "lcsdk/ui/event_bus.h"
#include "lcsdk/ui/geometry.h"
#include "lcsdk/ui/widget.h"
#include "lcsdk/ui/window_routing.h"

#include <cstdint>
#include <memory>
#include <string>

namespace lcsdk::ui {

class native_window;
class native_drawer;
class ime_context;

// A top-level window: one platform window, its drawer and input-method state, and the root widget
// under which all of its widgets hang. Not a widget itself. Its router keeps the routing state
// (focus, hover, capture) and finds the target of each input event.
class window : public event_object {
public:
    window();
    ~window() override;

    void create(const std::string& title, rect_i rect, std::uint32_t style_flags = 0, window* owner_window = nullptr);

    int show_modal();
    void end_modal(int result);

    // The router's operations under the window's own names.
    void set_focus(widget* target, std::uint64_t reason) { routing_.set_focus(target, reason); }
    void focus_next() { routing_.focus_next(); }
    void focus_previous() { routing_.focus_previous(); }
    void remove_widget(const widget* gone) { routing_.remove_widget(gone); }
    void route_event(std::int32_t kind, std::uint64_t param) { routing_.route_event(kind, param); }

    window_routing& routing() { return routing_; }
    const window_routing& routing() const { return routing_; }

    // The title given to create.
    const std::string& title() const { return title_; }

    widget* hit_test(vec2i point) const;
    void paint(rect_ltrb dirty);

    std::unique_ptr<native_window> native;
    std::unique_ptr<native_drawer> drawer;
    std::unique_ptr<ime_context> ime;
    window* owner = nullptr;
    std::int32_t modal_result = 0;

private:
    std::string title_;
    // Before the root: the root leaves the router when it is destroyed.
    window_routing routing_;

public:
    widget root;

private:
    void paint_widget(widget& w, rect_ltrb dirty, vec2i& offset);
};

} // namespace lcsdk::ui
