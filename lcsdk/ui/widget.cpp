#include "lcsdk/ui/widget.h"

#include "lcsdk/ui/accessibility.h"
#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/window.h"

#include <algorithm>
#include <cassert>

namespace lcsdk::ui {

namespace {

// Hands an ancestor's effective flag to a child: the child stores it as its parent flag, and each
// deeper descendant gets it combined with the own flags of the widgets in between.
void push_visible(widget& child, bool value)
{
    child.parent_visible = value;
    for (widget* grandchild : child.children)
        push_visible(*grandchild, value && child.visible);
}

void push_enabled(widget& child, bool value)
{
    child.parent_enabled = value;
    for (widget* grandchild : child.children)
        push_enabled(*grandchild, value && child.enabled);
}

int apply_anchor_axis(const anchor& near_edge, const anchor& far_edge, int parent_extent, int& extent, int position)
{
    if (far_edge.active) {
        if (near_edge.active) {
            extent = parent_extent - near_edge.distance - far_edge.distance;
            return near_edge.distance;
        }
        return parent_extent - extent - far_edge.distance;
    }
    if (near_edge.active)
        return near_edge.distance;
    return position;
}

// Serials are taken on the user-interface thread only, like everything else about widgets.
std::uint64_t last_serial = 0;

} // namespace

widget::widget() : serial(++last_serial) {}

widget::~widget()
{
    // The derived parts are gone by now, and with them whatever this widget's own handlers are
    // bound to; those go first. The destroyed event then reaches only other objects' handlers,
    // which find the widget still whole as a widget: in its window and its tree.
    event_bus::instance().remove_owned_by(this);
    dispatch(this, destroyed, 0);
    // Its window forgets it, and with it the focus, the hover and the capture it held.
    if (top_window)
        top_window->remove_widget(this);

    if (widget* former_parent = parent) {
        std::erase(former_parent->children, this);
        parent = nullptr;
        parent_enabled = true;
        parent_visible = true;
        for (widget* child : children) {
            push_enabled(*child, enabled);
            push_visible(*child, visible);
        }
        dispatch(former_parent, child_removed, reinterpret_cast<std::uint64_t>(this));
    }

    for (widget* child : children)
        child->parent = nullptr;
}

void widget::create(widget& parentWidget, rect_i rect)
{
    assert(!parentWidget.has_child(this) && "Double create?");

    top_window = parentWidget.top_window;
    parent = &parentWidget;
    position = rect.position;
    size = rect.size;

    set_enabled(true);
    set_visible(true);

    if (top_window)
        top_window->routing().add_widget(*this);
    created = true;

    attach_to(parentWidget);
    dispatch(this, event_kind::created, 0);
}

void widget::attach_as_root(window& owner_window, vec2i client_size)
{
    top_window = &owner_window;
    parent = nullptr;
    position = {0, 0};
    size = client_size;
    set_enabled(true);
    set_visible(true);
    owner_window.routing().add_widget(*this);
    created = true;
    dispatch(this, event_kind::created, 0);
}

void widget::attach_to(widget& parent_widget)
{
    // The parent's effective state, so a widget created inside a hidden or disabled subtree
    // starts hidden or disabled as well.
    push_enabled(*this, parent_widget.enabled && parent_widget.parent_enabled);
    push_visible(*this, parent_widget.visible && parent_widget.parent_visible);
    parent_widget.children.push_back(this);
    dispatch(&parent_widget, child_added, reinterpret_cast<std::uint64_t>(this));
}

bool widget::has_child(const widget* child) const
{
    return std::find(children.begin(), children.end(), child) != children.end();
}

void widget::set_rect(rect_i rect)
{
    const vec2i old_position = position;
    const vec2i old_size = size;
    const vec2i old_absolute = created ? absolute_position() : vec2i{};
    position = rect.position;
    size = rect.size;
    if (!created)
        return;

    if (size != old_size) {
        dispatch(this, size_changed, pack_vec2(old_size));
        for (widget* child : std::vector<widget*>(children)) {
            dispatch(child, parent_size_changed, pack_vec2(old_size));
            child->apply_anchors(size);
        }
    }
    if (position != old_position) {
        dispatch(this, moved, pack_vec2(old_position));
        for (widget* child : std::vector<widget*>(children))
            dispatch(child, parent_moved, pack_vec2(old_position));
    }
    if (size != old_size || position != old_position)
        request_redraw({old_absolute, old_size});
    invalidate();
}

void widget::apply_anchors(vec2i parent_size)
{
    position.x = apply_anchor_axis(anchor_left, anchor_right, parent_size.x, size.x, position.x);
    position.y = apply_anchor_axis(anchor_top, anchor_bottom, parent_size.y, size.y, position.y);
    invalidate();
}

void widget::set_visible(bool value)
{
    if (value == visible)
        return;
    dispatch(this, value ? shown : hidden, 0);
    visible = value;
    // Children see this widget's effective visibility, so nothing under a hidden ancestor counts as visible.
    for (widget* child : children)
        push_visible(*child, value && parent_visible);
    invalidate();
    accessibility::announce_content_changed(*this);
}

void widget::set_enabled(bool value)
{
    if (value == enabled)
        return;
    enabled = value;
    for (widget* child : children)
        push_enabled(*child, value && parent_enabled);
    invalidate();
}

void widget::set_back_color(color4f color)
{
    set_style(theme, "default_back_color", color);
    if (is_visible())
        invalidate();
}

vec2i widget::absolute_position() const
{
    vec2i sum;
    for (const widget* w = this; w; w = w->parent)
        sum = sum + w->position;
    return sum;
}

void widget::invalidate() { request_redraw({absolute_position(), size}); }

void widget::request_redraw(rect_i absolute_area)
{
    if (top_window && top_window->native)
        top_window->native->invalidate(absolute_area);
}

} // namespace lcsdk::ui
