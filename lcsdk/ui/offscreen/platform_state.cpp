// The offscreen platform's process-wide state: windows in z-order, pointer, keyboard, queue, clock.
#include "lcsdk/ui/offscreen/platform_state.h"

#include <algorithm>

namespace lcsdk::ui::offscreen::detail {

namespace {

bool contains(rect_i r, vec2i p) { return p.x >= r.left() && p.x < r.right() && p.y >= r.top() && p.y < r.bottom(); }

} // namespace

platform_state& state()
{
    static platform_state instance;
    return instance;
}

native_window::impl* find_window(std::uint64_t serial)
{
    for (native_window* w : state().windows)
        if (w->get_impl().serial == serial)
            return &w->get_impl();
    return nullptr;
}

void post(input_item item) { state().queue.push_back(std::move(item)); }

bool is_live(const native_window* w)
{
    const auto& windows = state().windows;
    return w && std::find(windows.begin(), windows.end(), w) != windows.end();
}

native_window* mouse_target()
{
    auto& st = state();
    if (st.capture)
        return st.capture;
    for (auto it = st.windows.rbegin(); it != st.windows.rend(); ++it) {
        const auto& d = (*it)->get_impl();
        if (d.visible && contains(d.rect, st.mouse))
            return *it;
    }
    return nullptr;
}

native_window::impl* receiver(native_window* w)
{
    if (!w)
        return nullptr;
    auto& d = w->get_impl();
    return d.accepts_input() ? &d : nullptr;
}

} // namespace lcsdk::ui::offscreen::detail
