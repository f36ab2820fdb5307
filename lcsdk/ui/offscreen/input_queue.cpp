#include "lcsdk/ui/offscreen/platform_state.h"

#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/platform_input.h"
#include "lcsdk/ui/window.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

namespace lcsdk::ui::offscreen::detail {

namespace {

// Paint passes in a row without any other progress before a loop gives up: a widget that
// invalidates itself outside its own paint rectangle on every paint would spin forever.
constexpr int paint_storm_limit = 1000;

bool contains(rect_i r, vec2i p) { return p.x >= r.left() && p.x < r.right() && p.y >= r.top() && p.y < r.bottom(); }

bool within(rect_ltrb inner, rect_ltrb outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

bool is_live(const native_window* w)
{
    const auto& windows = state().windows;
    return w && std::find(windows.begin(), windows.end(), w) != windows.end();
}

// The window that mouse input goes to: the capture holder, else the top shown window under the pointer.
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

// Every tracked window the pointer is no longer over gets its leave, as TME_LEAVE does.
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

void deliver_mouse_move()
{
    native_window* under = mouse_target();
    settle_leave(under);
    if (auto* d = receiver(under); d && translate_mouse_move(*d->toolkit))
        d->tracking_leave = true;
}

// A press on a window that is not active activates it first.
native_window::impl* pressed_window()
{
    native_window* under = mouse_target();
    if (!receiver(under))
        return nullptr;
    if (state().focus != under)
        set_focus_window(under);
    // Focus handlers may have closed or destroyed it.
    return is_live(under) ? receiver(under) : nullptr;
}

bool is_shift_key(std::uint32_t key) { return key == 0x10 || key == 0xA0 || key == 0xA1; }

std::string describe(const native_window::impl& d) { return "\"" + d.title + "\""; }

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
    // A disabled window loses the capture and the keyboard focus.
    if (st.capture == target.self)
        st.capture = nullptr;
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

void process(input_item item, bool interruptible)
{
    auto& st = state();
    switch (item.kind) {
    case input_kind::mouse_move_screen:
        st.mouse = item.point;
        deliver_mouse_move();
        break;
    case input_kind::mouse_move_client:
        if (!is_live(item.target))
            break;
        st.mouse = item.target->get_impl().rect.position + item.point;
        deliver_mouse_move();
        break;
    case input_kind::leave_check:
        settle_leave(mouse_target());
        break;
    case input_kind::button_down:
        if (auto* d = pressed_window())
            translate_button_down(*d->toolkit, item.value);
        break;
    case input_kind::double_click:
        if (auto* d = pressed_window())
            translate_double_click(*d->toolkit, item.value);
        break;
    case input_kind::button_up:
        if (auto* d = receiver(mouse_target()))
            translate_button_up(*d->toolkit, item.value);
        break;
    case input_kind::wheel:
        if (auto* d = receiver(mouse_target()))
            translate_wheel(*d->toolkit, item.value);
        break;
    case input_kind::key_down:
        if (is_shift_key(item.key))
            st.shift = true;
        if (auto* d = receiver(st.focus))
            translate_key_down(*d->toolkit, item.key, item.detail);
        break;
    case input_kind::key_up:
        if (is_shift_key(item.key))
            st.shift = false;
        if (auto* d = receiver(st.focus))
            translate_key_up(*d->toolkit, item.key);
        break;
    case input_kind::character:
        if (auto* d = receiver(st.focus))
            translate_char(*d->toolkit, static_cast<std::uint16_t>(item.key));
        break;
    case input_kind::close:
        if (auto* d = receiver(item.target))
            translate_close(*d->toolkit);
        break;
    case input_kind::focus_in:
        if (receiver(item.target))
            set_focus_window(item.target);
        break;
    case input_kind::focus_out:
        if (is_live(item.target) && st.focus == item.target)
            set_focus_window(nullptr);
        break;
    case input_kind::advance_by:
        advance_until(st.now + item.ms, interruptible);
        break;
    case input_kind::advance_to:
        advance_until(item.ms, interruptible);
        break;
    case input_kind::callback:
        if (item.callback)
            item.callback();
        break;
    }
}

void run_modal_loop(native_window& looping)
{
    auto& st = state();
    const std::uint64_t serial = looping.get_impl().serial;
    st.modal_stack.push_back(serial);
    struct loop_scope {
        std::uint64_t serial;
        ~loop_scope()
        {
            auto& stack = state().modal_stack;
            if (!stack.empty())
                stack.pop_back();
            // An exception leaves no loop marked as running.
            if (native_window::impl* d = find_window(serial))
                d->modal_running = false;
        }
    } scope{serial};

    std::uint64_t idle_spent = 0;
    std::uint64_t items_processed = 0;
    int paints_in_a_row = 0;
    for (;;) {
        native_window::impl* d = find_window(serial);
        if (!d || !d->modal_running)
            return;

        if (!st.queue.empty()) {
            if (++items_processed > runaway_item_limit)
                throw modal_loop_starved("offscreen modal loop of window " + describe(*d) + " processed " +
                                         std::to_string(runaway_item_limit) +
                                         " queued items without ending: something keeps posting input");
            input_item item = std::move(st.queue.front());
            st.queue.pop_front();
            process(std::move(item), true);
            paints_in_a_row = 0;
            continue;
        }

        if (paint_visible_windows()) {
            if (++paints_in_a_row > paint_storm_limit)
                throw modal_loop_starved("offscreen modal loop of window " + describe(*d) +
                                         ": painting never settles, every paint pass asks for another");
            continue;
        }
        paints_in_a_row = 0;

        const auto due = next_due_time();
        if (!due)
            throw modal_loop_starved("offscreen modal loop of window " + describe(*d) +
                                     " starved: no input is queued, no timer is pending and nothing ended the loop");
        const std::uint64_t step = *due > st.now ? *due - st.now : 0;
        if (idle_spent + step > st.idle_budget)
            throw modal_loop_starved("offscreen modal loop of window " + describe(*d) + " starved: its timers ran for " +
                                     std::to_string(idle_spent) + " ms of virtual time and nothing ended the loop");
        idle_spent += step;
        // A real worker thread may be what the timers are waiting for: give it a moment.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        fire_next_timer(*due);
    }
}

} // namespace lcsdk::ui::offscreen::detail
