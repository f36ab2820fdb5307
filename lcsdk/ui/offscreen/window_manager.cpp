// What a window manager does for the offscreen windows: activation, enabling, showing, hiding,
// painting, and the leave notices of windows the pointer has left.
#include "lcsdk/ui/offscreen/platform_state.h"

#include "lcsdk/ui/platform_input.h"
#include "lcsdk/ui/window.h"

#include <algorithm>

namespace lcsdk::ui::offscreen::detail {

namespace {

bool within(rect_ltrb inner, rect_ltrb outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

} // namespace

void settle_leave(const native_window* under)
{
    const auto& st = state();
    const std::vector<native_window*> windows = st.windows;
    for (native_window* w : windows) {
        if (!is_live(w))
            continue;
        auto& d = w->get_impl();
        if (!d.tracking_leave || w == under || w == st.capture)
            continue;
        d.tracking_leave = false;
        if (d.toolkit)
            translate_mouse_leave(*d.toolkit);
    }
}

void set_focus_window(native_window* target)
{
    auto& st = state();
    if (st.focus == target)
        return;
    native_window* previous = st.focus;
    st.focus = target;
    if (is_live(previous) && previous->get_impl().toolkit)
        translate_focus(*previous->get_impl().toolkit, false);
    if (target && target->get_impl().toolkit)
        translate_focus(*target->get_impl().toolkit, true);
}

void set_window_enabled(native_window::impl& target, bool enabled)
{
    target.enabled = enabled;
    if (enabled)
        return;
    auto& st = state();
    // A disabled window loses the capture, which ends a drag in it, and the keyboard focus.
    if (st.capture == target.self) {
        st.capture = nullptr;
        if (target.toolkit)
            translate_capture_lost(*target.toolkit);
    }
    if (st.focus == target.self)
        set_focus_window(nullptr);
}

void show_window(native_window::impl& target)
{
    auto& st = state();
    target.visible = true;
    // Showing brings the window to the top and activates it; then it paints at once.
    if (std::erase(st.windows, target.self) > 0)
        st.windows.push_back(target.self);
    if (target.enabled)
        set_focus_window(target.self);
    if (target.dirty)
        paint_window(target);
}

void hide_window(native_window::impl& target)
{
    auto& st = state();
    target.visible = false;
    if (st.focus == target.self)
        set_focus_window(nullptr);
    if (target.tracking_leave)
        post(make_input(input_kind::leave_check));
}

bool paint_window(native_window::impl& target)
{
    if (!target.dirty || !target.toolkit || !target.toolkit->drawer)
        return false;
    const rect_ltrb painting = *target.dirty;
    const std::uint64_t serial = target.serial;
    target.toolkit->paint(painting);
    // Like ValidateRect: what was asked for during the pass inside the painted area is done too.
    if (native_window::impl* after = find_window(serial); after && after->dirty && within(*after->dirty, painting))
        after->dirty.reset();
    return true;
}

bool paint_visible_windows()
{
    bool painted = false;
    const std::vector<native_window*> windows = state().windows;
    for (native_window* w : windows) {
        if (!is_live(w))
            continue;
        auto& d = w->get_impl();
        if (d.visible && d.dirty)
            painted = paint_window(d) || painted;
    }
    return painted;
}

} // namespace lcsdk::ui::offscreen::detail
