// How platform input finds its target inside a window: capture, hit test, hover, focus and Tab.
#include "lcsdk/ui/window_routing.h"

#include "lcsdk/ui/accessibility.h"
#include "lcsdk/ui/event_bus.h"
#include "lcsdk/ui/native_platform.h"
#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/widget.h"
#include "lcsdk/ui/window.h"

#include <algorithm>

namespace lcsdk::ui {

namespace {

// The router whose window holds the mouse capture, if any.
window_routing* capture_holder = nullptr;

bool accepts_input(const widget* target) { return target && target->is_enabled(); }

} // namespace

window_routing::window_routing(window& owner) : owner_(owner) {}

window_routing::~window_routing()
{
    // A widget that outlives its window (an orphan) may still hold the capture.
    if (capture_holder == this)
        drop_capture();
}

void window_routing::add_widget(widget& created) { widgets_.push_back(&created); }

void window_routing::remove_widget(const widget* gone)
{
    std::erase(widgets_, gone);
    if (hovered_ == gone)
        hovered_ = nullptr;
    if (focused_ == gone)
        focused_ = nullptr;
    if (captured_ == gone)
        drop_capture();
}

bool window_routing::has_widget(const widget* w) const
{
    return std::find(widgets_.begin(), widgets_.end(), w) != widgets_.end();
}

void window_routing::set_focus(widget* target, std::uint64_t reason)
{
    if (target == focused_)
        return;
    const bool target_in_window = target && has_widget(target);
    if (focused_)
        dispatch(focused_, focus_lost, reason);
    // The focus-lost handler may have destroyed the target; the focus then rests nowhere.
    if (target_in_window && !has_widget(target))
        target = nullptr;
    focused_ = target;
    if (reason == focus_by_tab)
        focus_visible_ = true;
    else if (reason == focus_by_mouse)
        focus_visible_ = false;
    if (target && target->is_enabled())
        dispatch(target, focus_gained, reason);
    accessibility::announce_focus(owner_);
}

void window_routing::focus_root() { focused_ = &owner_.root; }

void window_routing::focus_next() { focus_step(true); }

void window_routing::focus_previous() { focus_step(false); }

void window_routing::focus_step(bool forward)
{
    if (!focused_)
        focus_root();
    const auto count = static_cast<std::ptrdiff_t>(widgets_.size());
    if (count == 0)
        return;
    const auto found = std::find(widgets_.begin(), widgets_.end(), focused_);
    // A focus outside the list starts the search from the end (forward) or the start (backward).
    const std::ptrdiff_t start = found != widgets_.end() ? found - widgets_.begin() : (forward ? count - 1 : 0);

    for (std::ptrdiff_t step = 1; step < count + (found == widgets_.end() ? 1 : 0); ++step) {
        const std::ptrdiff_t index = ((start + (forward ? step : -step)) % count + count) % count;
        widget* candidate = widgets_[static_cast<std::size_t>(index)];
        if (candidate != focused_ && candidate->focusable && candidate->is_enabled() && candidate->is_visible()) {
            set_focus(candidate, focus_by_tab);
            return;
        }
    }
}

bool window_routing::set_mouse_inside(bool inside)
{
    const bool changed = mouse_inside_ != inside;
    mouse_inside_ = inside;
    return changed;
}

void window_routing::capture(widget& target)
{
    // The native capture first: another window that held it hears of the loss while its widget
    // still holds the capture, so that widget's drag ends.
    owner_.native->set_mouse_capture();
    // A platform that does not report the loss (Cocoa) leaves the other window's capture set.
    if (capture_holder && capture_holder != this)
        capture_holder->captured_ = nullptr;
    captured_ = &target;
    capture_holder = this;
}

void window_routing::release(widget& target)
{
    if (captured_ == &target)
        drop_capture();
}

void window_routing::drop_capture()
{
    owner_.native->release_mouse_capture();
    captured_ = nullptr;
    if (capture_holder == this)
        capture_holder = nullptr;
}

widget* window_routing::process_capture() { return capture_holder ? capture_holder->captured_ : nullptr; }

vec2i window_routing::mouse_position(const widget& target) const
{
    vec2i position = owner_.native->client_mouse_position();
    for (const widget* w = &target; w && w != &owner_.root; w = w->parent)
        position = position - w->position;
    return position;
}

widget* window_routing::widget_under_mouse() const { return owner_.hit_test(mouse_position(owner_.root)); }

bool window_routing::widget_under_mouse_takes(std::int32_t kind) const
{
    const widget* under = widget_under_mouse();
    return under && under->is_visible() && under->is_enabled() && event_bus::instance().has_handlers(under, kind);
}

void window_routing::route_double_click(std::uint64_t button)
{
    route_event(widget_under_mouse_takes(mouse_double_click) ? mouse_double_click : mouse_down, button);
}

void window_routing::route_capture_lost()
{
    widget* held = captured_;
    if (!held)
        return;
    // A left release, the button every capturing widget drags with; it goes to the captured widget
    // even when disabled, so that the widget can end its drag, and never to the widget under the
    // mouse, which would take it for a click.
    dispatch(held, mouse_up, button_left);
    // A widget that kept the capture through the release must not keep it. (Had the handler
    // destroyed the window, the capture would have gone with it.)
    if (capture_holder == this && captured_ == held)
        drop_capture();
}

void window_routing::route_event(std::int32_t kind, std::uint64_t param)
{
    switch (kind) {
    case mouse_up: {
        widget* target = accepts_input(captured_) ? captured_ : widget_under_mouse();
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
        if (accepts_input(hovered_))
            dispatch(hovered_, kind, param);
        break;
    case mouse_move: {
        if (accepts_input(captured_)) {
            dispatch(captured_, kind, param);
            break;
        }
        widget* under = widget_under_mouse();
        if (under != hovered_) {
            if (accepts_input(hovered_))
                dispatch(hovered_, mouse_leave, param);
            // A leave handler may destroy the widget about to be entered (a tooltip closing itself).
            if (under && !has_widget(under))
                under = nullptr;
            if (accepts_input(under))
                dispatch(under, mouse_enter, param);
        } else if (accepts_input(under)) {
            dispatch(under, kind, param);
        }
        // So may the enter or move handler; removal has then cleared the hover already.
        hovered_ = under && has_widget(under) ? under : nullptr;
        break;
    }
    case key_char:
        if (tab_navigation_ && param == 9) {
            if (is_shift_down())
                focus_previous();
            else
                focus_next();
            dispatch(&owner_, kind, param);
            break;
        }
        [[fallthrough]];
    case key_down:
    case key_down_native:
    case key_up:
        if (accepts_input(focused_))
            dispatch(focused_, kind, param);
        dispatch(&owner_, kind, param);
        break;
    case size_changed: {
        const vec2i client = unpack_vec2(param);
        owner_.root.set_rect({{0, 0}, client});
        dispatch(&owner_, kind, 0);
        break;
    }
    case focus_gained:
    case focus_lost:
        if (accepts_input(focused_))
            dispatch(focused_, kind, 0);
        dispatch(&owner_, kind, 0);
        break;
    case files_dropped: {
        widget* target = widget_under_mouse();
        if (accepts_input(target))
            dispatch(target, kind, param);
        break;
    }
    case ime_composition:
        if (accepts_input(focused_))
            dispatch(focused_, kind, param);
        break;
    default:
        break; // Raised only inside the toolkit.
    }
}

} // namespace lcsdk::ui
