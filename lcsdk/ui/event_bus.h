#pragma once

#include "lcsdk/ui/non_copyable_non_moveable.h"

#include <bit>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace lcsdk::ui {

// Event numbers. 16, 18 and 29 are not used.
enum event_kind : std::int32_t {
    mouse_up = 1,
    mouse_down = 2,
    mouse_double_click = 3,
    mouse_wheel = 4,
    mouse_enter = 5,
    mouse_leave = 6,
    mouse_move = 7,
    key_down = 8,
    key_down_native = 9,
    key_up = 10,
    key_char = 11,
    paint_event = 12,
    size_changed = 13,
    moved = 14,
    timer_tick = 15,
    created = 17,
    parent_size_changed = 19,
    parent_moved = 20,
    child_added = 21,
    child_removed = 22,
    focus_gained = 23,
    focus_lost = 24,
    shown = 25,
    hidden = 26,
    checkbox_toggled = 27,
    button_clicked = 28,
    files_dropped = 30,
    ime_composition = 31,
    style_changed = 32,
    // Sent to a widget from its destructor, for other objects that keep a pointer to it: the widget
    // is still in its window and its tree, but its derived parts are gone and its own handlers with
    // them (see widget::~widget), so a handler may compare or read it only as a plain widget.
    destroyed = 33,
    // Asked of a widget for assistive technology: the parameter points to an
    // accessibility::description that its handlers fill in (accessibility.h).
    accessibility_describe = 34,
    // An action asked of a widget by assistive technology: the parameter points to an
    // accessibility::request (accessibility.h).
    accessibility_request = 35,
};

// The mouse button of events 1 to 3.
enum mouse_button : int { button_left = 0, button_middle = 1, button_right = 2 };

// Why the keyboard focus moved; travels as the parameter of events 23 and 24.
enum focus_reason : std::uint64_t { focus_by_mouse = 0, focus_by_tab = 1, focus_by_program = 2 };

class event_object;

struct event_info {
    event_object* sender = nullptr;
    std::int32_t kind = 0;
    std::uint64_t param = 0;
};

using event_handler = std::function<void(const event_info&)>;
using handler_id = std::uint32_t;

// Base of everything that sends events or owns handlers. Its destructor drops, last of all,
// every handler the object registered and every handler registered on it.
class event_object : non_copyable_non_moveable {
public:
    event_object() = default;
    virtual ~event_object();
};

// The process-wide registry of handlers. User-interface thread only.
class event_bus {
public:
    static event_bus& instance();

    handler_id add_handler(event_object* sender, event_object* owner, std::int32_t kind, event_handler handler);
    void remove_handler(handler_id id);
    // Calls the sender's handlers for `kind` in registration order, from a copy of the list:
    // handlers added meanwhile wait for the next dispatch, and a handler removed meanwhile (by id,
    // or with its destroyed owner or sender) is not called any more.
    bool dispatch(event_object* sender, std::int32_t kind, std::uint64_t param = 0);
    bool has_handlers(const event_object* sender, std::int32_t kind) const;
    // Every handler the object registered, then every handler registered on it.
    void remove_all_for(const event_object* address);
    // Only the handlers the object registered (as their owner).
    void remove_owned_by(const event_object* owner);

    // Number of registered handlers; lets tests prove that destruction left nothing behind.
    std::size_t handler_count() const { return by_id_.size(); }

private:
    struct slot {
        handler_id id;
        event_handler handler;
    };
    struct registration {
        const event_object* sender;
        std::int32_t kind;
    };
    using handler_list = std::vector<slot>;

    std::unordered_map<const event_object*, std::unordered_map<std::int32_t, handler_list>> by_sender_;
    std::unordered_map<handler_id, registration> by_id_;
    std::unordered_map<const event_object*, std::vector<handler_id>> by_owner_;
    handler_id next_id_ = 0;
};

// Shorthands over the one bus.
inline handler_id add_handler(event_object* sender, event_object* owner, std::int32_t kind, event_handler handler)
{
    return event_bus::instance().add_handler(sender, owner, kind, std::move(handler));
}

inline bool dispatch(event_object* sender, std::int32_t kind, std::uint64_t param = 0)
{
    return event_bus::instance().dispatch(sender, kind, param);
}

// Wheel deltas and other doubles travel as the bits of an IEEE double.
inline std::uint64_t double_to_param(double value) { return std::bit_cast<std::uint64_t>(value); }
inline double param_to_double(std::uint64_t param) { return std::bit_cast<double>(param); }

} // namespace lcsdk::ui
