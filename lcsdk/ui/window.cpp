#include "lcsdk/ui/window.h"

#include "lcsdk/ui/ime_context.h"
#include "lcsdk/ui/mouse.h"
#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/native_platform.h"
#include "lcsdk/ui/native_window.h"

#include <algorithm>

namespace lcsdk::ui {

window::window() : native(std::make_unique<native_window>())
{
    set_cursor_shape(cursor_arrow);
}

window::~window()
{
    // Widgets that outlive their window (orphans, or members destroyed later) must not reach back.
    for (widget* w : widgets) {
        detail::forget_captured_widget(w);
        if (w != &root)
            w->top_window = nullptr;
    }
    // Members then go in reverse order: root, widget list, input method, drawer, native window.
}

void window::create(const std::string& title, rect_i rect, std::uint32_t style_flags, window* owner_window)
{
    owner = owner_window;
    native->create_window(owner ? owner->native.get() : nullptr, this, rect, style_flags);
    native->set_title(title);
    root.set_name("BaseWidget");
    root.attach_as_root(*this, rect.size);
    focused = &root;
    drawer = std::make_unique<native_drawer>(*native);
    ime = std::make_unique<ime_context>(*native);
}

int window::show_modal()
{
    modal_result = 0;
    dispatch(this, shown, 0);
    native->show_modal();
    return modal_result;
}

void window::end_modal(int result)
{
    modal_result = result;
    dispatch(this, hidden, 0);
    native->end_modal();
}

void window::set_focus(widget* target, std::uint64_t reason)
{
    if (target == focused)
        return;
    const bool target_in_window = target && has_widget(target);
    if (focused)
        dispatch(focused, focus_lost, reason);
    // The focus-lost handler may have destroyed the target; the focus then rests nowhere.
    if (target_in_window && !has_widget(target))
        target = nullptr;
    focused = target;
    if (target && target->is_enabled())
        dispatch(target, focus_gained, reason);
}

bool window::has_widget(const widget* w) const { return std::find(widgets.begin(), widgets.end(), w) != widgets.end(); }

void window::focus_next() { focus_step(true); }

void window::focus_previous() { focus_step(false); }

void window::focus_step(bool forward)
{
    if (!focused)
        focused = &root;
    const auto count = static_cast<std::ptrdiff_t>(widgets.size());
    if (count == 0)
        return;
    const auto found = std::find(widgets.begin(), widgets.end(), focused);
    // A focus outside the list starts the search from the end (forward) or the start (backward).
    const std::ptrdiff_t start = found != widgets.end() ? found - widgets.begin() : (forward ? count - 1 : 0);

    for (std::ptrdiff_t step = 1; step < count + (found == widgets.end() ? 1 : 0); ++step) {
        const std::ptrdiff_t index = ((start + (forward ? step : -step)) % count + count) % count;
        widget* candidate = widgets[static_cast<std::size_t>(index)];
        if (candidate != focused && candidate->focusable && candidate->is_enabled() && candidate->is_visible()) {
            set_focus(candidate, focus_by_tab);
            return;
        }
    }
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
        for (const widget* child : children) {
            // A hidden child casts no shadow.
            if (child->has_shadow && child->is_visible())
                drawer->draw_shadow({child->position, child->size}, child->shadow_offset,
                                    static_cast<unsigned>(child->shadow_size));
        }
        for (widget* child : children)
            paint_widget(*child, dirty, offset);
        drawer->end_widget();
    }
    offset = offset - w.position;
}

void window::remove_widget(widget* gone)
{
    std::erase(widgets, gone);
    if (hovered_widget == gone)
        hovered_widget = nullptr;
    if (focused == gone)
        focused = nullptr;
}

} // namespace lcsdk::ui
