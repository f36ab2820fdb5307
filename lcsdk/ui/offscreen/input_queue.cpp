// Queued input, delivered to the offscreen windows through the shared translation rules as a
// native message loop would deliver it.
#include "lcsdk/ui/offscreen/platform_state.h"

#include "lcsdk/ui/platform_input.h"
#include "lcsdk/ui/window.h"

namespace lcsdk::ui::offscreen::detail {

namespace {

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

} // namespace

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

} // namespace lcsdk::ui::offscreen::detail
