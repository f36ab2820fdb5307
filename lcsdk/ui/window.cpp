#include "lcsdk/ui/window.h"

#include "lcsdk/ui/accessibility.h"
#include "lcsdk/ui/ime_context.h"
#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/native_platform.h"
#include "lcsdk/ui/native_window.h"

#include <algorithm>

namespace lcsdk::ui {

window::window() : native(std::make_unique<native_window>()), routing_(*this)
{
    set_cursor_shape(cursor_arrow);
}

window::~window()
{
    // Widgets that outlive their window (orphans, or members destroyed later) must not reach back.
    for (widget* w : routing_.widgets()) {
        if (w != &root)
            w->top_window = nullptr;
    }
    // Members then go in reverse order: root, router (with the widget list and any capture an
    // orphan held), input method, drawer, native window.
}

void window::create(const std::string& title, rect_i rect, std::uint32_t style_flags, window* owner_window)
{
    owner = owner_window;
    title_ = title;
    native->create_window(owner ? owner->native.get() : nullptr, this, rect, style_flags);
    native->set_title(title);
    root.set_name("BaseWidget");
    root.attach_as_root(*this, rect.size);
    routing_.focus_root();
    drawer = std::make_unique<native_drawer>(*native);
    ime = std::make_unique<ime_context>(*native);
}

int window::show_modal()
{
    modal_result = 0;
    dispatch(this, shown, 0);
    accessibility::announce_shown(*this);
    native->show_modal();
    return modal_result;
}

void window::end_modal(int result)
{
    modal_result = result;
    dispatch(this, hidden, 0);
    native->end_modal();
}

widget* window::hit_test(vec2i point) const
{
    if (!root.is_visible() || point.x < 0 || point.y < 0 || point.x >= root.size.x || point.y >= root.size.y)
        return nullptr;

    widget* current = const_cast<widget*>(&root);
    for (;;) {
        const vec2i local = point - current->position;
        widget* hit = nullptr;
        for (auto child = current->children.rbegin(); child != current->children.rend(); ++child) {
            const widget& c = **child;
            if (c.is_visible() && c.position.x <= local.x && local.x < c.position.x + c.size.x &&
                c.position.y <= local.y && local.y < c.position.y + c.size.y) {
                hit = *child;
                break;
            }
        }
        if (!hit)
            return current;
        current = hit;
        point = local;
    }
}

void window::paint(rect_ltrb dirty)
{
    if (!drawer)
        return;
    vec2i offset;
    paint_widget(root, dirty, offset);
}

void window::paint_widget(widget& w, rect_ltrb dirty, vec2i& offset)
{
    if (!w.is_visible())
        return;
    offset = offset + w.position;
    const int left = offset.x;
    const int top = offset.y;
    const int right = left + w.size.x;
    const int bottom = top + w.size.y;

    // Touching edges count as overlapping.
    if (right >= dirty.left && bottom >= dirty.top && dirty.right >= left && dirty.bottom >= top) {
        drawer->begin_widget(w, dirty);
        dispatch(&w, paint_event, 0);
        const std::vector<widget*> children = w.children;
        // A hidden child casts no shadow, and neither does any child where the drawer draws none.
        const bool shadows = drawer->draws(drawer_feature::shadows);
        for (const widget* child : children) {
            if (shadows && child->has_shadow && child->is_visible())
                drawer->draw_shadow({child->position, child->size}, child->shadow_offset,
                                    static_cast<unsigned>(child->shadow_size));
        }
        for (widget* child : children)
            paint_widget(*child, dirty, offset);
        drawer->end_widget();
    }
    offset = offset - w.position;
}

} // namespace lcsdk::ui
