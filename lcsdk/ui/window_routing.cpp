// How platform input finds its target inside a window: capture, hit test, hover, focus and Tab.
#include "lcsdk/ui/mouse.h"
#include "lcsdk/ui/native_platform.h"
#include "lcsdk/ui/platform_input.h"
#include "lcsdk/ui/window.h"

namespace lcsdk::ui {

namespace {

bool accepts_input(const widget* target) { return target && target->is_enabled(); }

} // namespace

widget* window::widget_under_mouse() const { return hit_test(get_mouse_position(root)); }

void window::route_double_click(std::uint64_t button)
{
    const widget* under = widget_under_mouse();
    const bool takes_double_click = under && under->is_visible() && under->is_enabled() &&
                                    event_bus::instance().has_handlers(under, mouse_double_click);
    route_event(takes_double_click ? mouse_double_click : mouse_down, button);
}

void window::route_capture_lost()
{
    widget* captured = get_captured_widget();
    if (!captured || captured->top_window != this)
        return;
    // A left release, the button every capturing widget drags with; it goes to the captured widget
    // even when disabled, so that the widget can end its drag, and never to the widget under the
    // mouse, which would take it for a click.
    dispatch(captured, mouse_up, button_left);
    // A widget that kept the capture through the release must not keep it.
    if (get_captured_widget() == captured)
        detail::forget_captured_widget(captured);
}

void window::route_event(std::int32_t kind, std::uint64_t param)
{
    switch (kind) {
    case mouse_up: {
        widget* captured = get_captured_widget();
        widget* target = accepts_input(captured) ? captured : widget_under_mouse();
        if (accepts_input(target))
            dispatch(target, kind, param);
        break;
    }
    case mouse_down:
    case mouse_double_click: {
        widget* target = widget_under_mouse();
        if (accepts_input(target)) {
            set_focus(target, focus_by_mouse);
            // The focus-lost handler of the widget focused before may have destroyed the target.
            if (has_widget(target))
                dispatch(target, kind, param);
        }
        break;
    }
    case mouse_wheel: {
        widget* target = widget_under_mouse();
        if (!accepts_input(target))
            break;
        // Bubbles up until some widget has (or once had) a wheel handler.
        while (!dispatch(target, kind, param) && target->parent)
            target = target->parent;
        break;
    }
    case mouse_leave:
        if (accepts_input(hovered_widget))
            dispatch(hovered_widget, kind, param);
        break;
    case mouse_move: {
        if (widget* captured = get_captured_widget(); accepts_input(captured)) {
            dispatch(captured, kind, param);
            break;
        }
        widget* under = widget_under_mouse();
        if (under != hovered_widget) {
            if (accepts_input(hovered_widget))
                dispatch(hovered_widget, mouse_leave, param);
            // A leave handler may destroy the widget about to be entered (a tooltip closing itself).
            if (under && !has_widget(under))
                under = nullptr;
            if (accepts_input(under))
                dispatch(under, mouse_enter, param);
        } else if (accepts_input(under)) {
            dispatch(under, kind, param);
        }
        // So may the enter or move handler; removal has then cleared the hover already.
        hovered_widget = under && has_widget(under) ? under : nullptr;
        break;
    }
    case key_char:
        if (tab_navigation && param == 9) {
            if (is_shift_down())
                focus_previous();
            else
                focus_next();
            dispatch(this, kind, param);
            break;
        }
        [[fallthrough]];
    case key_down:
    case key_down_native:
    case key_up:
        if (accepts_input(focused))
            dispatch(focused, kind, param);
        dispatch(this, kind, param);
        break;
    case size_changed: {
        const vec2i client = unpack_vec2(param);
        root.set_rect({{0, 0}, client});
        dispatch(this, kind, 0);
        break;
    }
    case focus_gained:
    case focus_lost:
        if (accepts_input(focused))
            dispatch(focused, kind, 0);
        dispatch(this, kind, 0);
        break;
    case files_dropped: {
        widget* target = widget_under_mouse();
        if (accepts_input(target))
            dispatch(target, kind, param);
        break;
    }
    case ime_composition:
        if (accepts_input(focused))
            dispatch(focused, kind, param);
        break;
    default:
        break; // Raised only inside the toolkit.
    }
}

} // namespace lcsdk::ui
