#pragma once

#include "lcsdk/ui/event_bus.h"
#include "lcsdk/ui/geometry.h"
#include "lcsdk/ui/widget_themes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lcsdk::ui {

class window;

struct anchor {
    bool active = false;
    int distance = 0;
};

// A rectangle in the window's tree. Widgets never own each other: the tree holds plain pointers,
// and destroying a widget detaches it and orphans its children.
class widget : public event_object {
public:
    widget();
    ~widget() override;

    virtual bool is_visible() const { return visible && parent_visible; }

    void create(widget& parent_widget, rect_i rect);
    bool has_child(const widget* child) const;

    void set_rect(rect_i rect);
    rect_i rect() const { return {position, size}; }
    void set_visible(bool value);
    void set_enabled(bool value);
    bool is_enabled() const { return enabled && parent_enabled; }
    void set_name(std::string new_name) { name = std::move(new_name); }
    void set_back_color(color4f color);

    vec2i absolute_position() const;
    void invalidate();

    // Names the widget for the life of the process: never given to another widget, unlike its
    // address (assistive technology keeps it to find the widget again).
    const std::uint64_t serial;
    style_table theme{this};
    bool created = false;
    widget* parent = nullptr;
    window* top_window = nullptr;
    std::vector<widget*> children;
    std::string name = "Widget";
    bool visible = false;
    bool parent_visible = true;
    bool focusable = false;
    bool enabled = true;
    bool parent_enabled = true;
    vec2i position;
    vec2i size;
    anchor anchor_top;
    anchor anchor_bottom;
    anchor anchor_left;
    anchor anchor_right;
    bool has_shadow = false;
    vec2i shadow_offset;
    int shadow_size = 20;

private:
    friend class window;

    void attach_as_root(window& owner_window, vec2i client_size);
    void attach_to(widget& parent_widget);
    void apply_anchors(vec2i parent_size);
    void request_redraw(rect_i absolute_area);
};

} // namespace lcsdk::ui
