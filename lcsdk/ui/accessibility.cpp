#include "lcsdk/ui/accessibility.h"

#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/widget.h"
#include "lcsdk/ui/window.h"

namespace lcsdk::ui::accessibility {

namespace {

widget* find_widget(const window& target, std::uint64_t serial)
{
    for (widget* w : target.routing().widgets())
        if (w->serial == serial)
            return w;
    return nullptr;
}

// The root is the window's element: its role and name are the window's whatever its handlers add.
description describe_widget(const window& target, widget& w)
{
    description said;
    dispatch(&w, accessibility_describe, reinterpret_cast<std::uint64_t>(&said));
    if (&w == &target.root) {
        said.kind = role::window;
        said.name = target.title();
    }
    return said;
}

bool is_element(const window& target, widget& w) { return describe_widget(target, w).kind.has_value(); }

widget* element_above(const window& target, const widget& w)
{
    for (widget* above = w.parent; above; above = above->parent)
        if (is_element(target, *above))
            return above;
    return nullptr;
}

// Visible elements under `container`, standing in for the widgets that are none.
void collect_children(const window& target, const widget& container, std::vector<element_id>& out)
{
    for (widget* child : container.children) {
        if (!child->is_visible())
            continue;
        if (is_element(target, *child))
            out.push_back({child->serial, 0});
        else
            collect_children(target, *child, out);
    }
}

vec2i screen_origin(const window& target)
{
    return target.native ? target.native->client_screen_position() : vec2i{};
}

bool contains(const rect_i& r, vec2i p) { return p.x >= r.left() && p.x < r.right() && p.y >= r.top() && p.y < r.bottom(); }

void notify(window& target, change what, element_id subject)
{
    if (target.native && target.native->is_created())
        target.native->announce({what, subject});
}

// Finds the widget and its description for a request; a part must exist.
struct resolved {
    widget* w = nullptr;
    description said;
};

std::optional<resolved> resolve(const window& target, element_id id)
{
    widget* w = id ? find_widget(target, id.widget) : nullptr;
    if (!w)
        return std::nullopt;
    resolved found{w, describe_widget(target, *w)};
    if (!found.said.kind || id.part < 0 || static_cast<std::size_t>(id.part) > found.said.parts.size())
        return std::nullopt;
    return found;
}

outcome request_action(window& target, element_id id, request asked)
{
    const auto found = resolve(target, id);
    if (!found || !found->w->is_visible())
        return outcome::gone;
    if (!found->w->is_enabled())
        return outcome::not_enabled;
    asked.part = id.part;
    dispatch(found->w, accessibility_request, reinterpret_cast<std::uint64_t>(&asked));
    return asked.done ? outcome::done : outcome::not_supported;
}

} // namespace

element_id window_element(const window& target) { return {target.root.serial, 0}; }

std::optional<element> describe(const window& target, element_id id)
{
    const auto found = resolve(target, id);
    if (!found)
        return std::nullopt;
    widget& w = *found->w;
    const description& said = found->said;
    const vec2i origin = screen_origin(target) + w.absolute_position();

    element e;
    e.id = id;
    e.enabled = w.is_enabled();
    e.visible = w.is_visible();
    if (id.part > 0) {
        const part& drawn = said.parts[static_cast<std::size_t>(id.part - 1)];
        e.kind = drawn.kind;
        e.name = drawn.name;
        e.default_action = drawn.default_action;
        e.bounds = {origin + drawn.bounds.position, drawn.bounds.size};
        e.parent = {w.serial, 0};
        return e;
    }
    e.kind = *said.kind;
    e.name = said.name;
    e.help = said.help;
    e.default_action = said.default_action;
    e.checked = said.checked;
    e.scroll = said.scroll;
    e.bounds = {origin, w.size};
    e.focusable = w.focusable;
    e.focused = &w != &target.root && target.routing().is_focused(w);
    if (const widget* above = element_above(target, w))
        e.parent = {above->serial, 0};
    for (std::size_t i = 0; i < said.parts.size(); ++i)
        e.children.push_back({w.serial, static_cast<int>(i + 1)});
    collect_children(target, w, e.children);
    return e;
}

element_id focused_element(const window& target)
{
    widget* focused = target.routing().focused();
    if (!focused || focused == &target.root || !focused->is_visible() || !is_element(target, *focused))
        return {};
    return {focused->serial, 0};
}

element_id element_at(const window& target, vec2i screen_point)
{
    const vec2i origin = screen_origin(target);
    widget* w = target.hit_test(screen_point - origin);
    while (w && !is_element(target, *w))
        w = w->parent;
    if (!w)
        return {};
    const description said = describe_widget(target, *w);
    const vec2i local = screen_point - origin - w->absolute_position();
    for (std::size_t i = 0; i < said.parts.size(); ++i)
        if (contains(said.parts[i].bounds, local))
            return {w->serial, static_cast<int>(i + 1)};
    return {w->serial, 0};
}

outcome perform(window& target, element_id id, action what)
{
    request asked;
    asked.what = what;
    return request_action(target, id, asked);
}

outcome scroll_to(window& target, element_id id, int position)
{
    request asked;
    asked.what = action::scroll;
    asked.position = position;
    return request_action(target, id, asked);
}

outcome set_focus(window& target, element_id id)
{
    const auto found = resolve(target, id);
    if (!found || !found->w->is_visible())
        return outcome::gone;
    if (!found->w->is_enabled())
        return outcome::not_enabled;
    if (id.part != 0 || !found->w->focusable)
        return outcome::not_supported;
    target.set_focus(found->w, focus_by_program);
    return outcome::done;
}

void announce_focus(window& target)
{
    const element_id focused = focused_element(target);
    notify(target, change::focus, focused ? focused : window_element(target));
}

void announce_toggled(const widget& check_box)
{
    if (check_box.top_window)
        notify(*check_box.top_window, change::toggled, {check_box.serial, 0});
}

void announce_content_changed(const widget& changed)
{
    window* target = changed.top_window;
    if (!target)
        return;
    const widget* above = element_above(*target, changed);
    notify(*target, change::structure, above ? element_id{above->serial, 0} : window_element(*target));
}

void announce_shown(window& target) { notify(target, change::shown, window_element(target)); }

} // namespace lcsdk::ui::accessibility
