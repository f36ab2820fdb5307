#pragma once

// Internal state of the offscreen platform: the per-window part of native_window and the
// process-wide screen, pointer, keyboard, clock and input queue that all windows share.

#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/offscreen/offscreen_platform.h"
#include "lcsdk/ui/timer_table.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace lcsdk::ui {

namespace offscreen::detail {

struct timer_schedule {
    std::uint32_t interval_ms = 0;
    std::uint64_t due_ms = 0;
    std::uint64_t order = 0; // breaks ties between timers due at the same instant
};

} // namespace offscreen::detail

struct native_window::impl {
    native_window* self = nullptr;
    std::uint64_t serial = 0; // identity that survives address reuse
    window* toolkit = nullptr;
    native_window* owner = nullptr;
    bool created = false;
    std::string title;
    rect_i rect; // client area in screen DIPs
    bool visible = false;
    bool enabled = true;
    bool modal_running = false;
    bool owner_was_enabled = true; // when this window's modal loop began
    bool tracking_leave = false; // a leave is owed once the pointer goes elsewhere
    timer_table timers;
    std::unordered_map<std::uint32_t, offscreen::detail::timer_schedule> schedules;
    std::optional<rect_ltrb> dirty;
    std::vector<accessibility::notification> announcements;

    // Receives input only when shown, enabled and serving a toolkit window.
    bool accepts_input() const { return created && visible && enabled && toolkit; }
};

namespace offscreen::detail {

enum class input_kind {
    mouse_move_screen,
    mouse_move_client,
    button_down,
    button_up,
    double_click,
    wheel,
    key_down,
    key_up,
    character,
    close,
    advance_by,
    advance_to,
    callback,
    leave_check, // posted when the window under the pointer may have changed
};

struct input_item {
    input_kind kind = input_kind::callback;
    native_window* target = nullptr;
    vec2i point;
    int value = 0;
    std::uint32_t key = 0;
    std::uint32_t detail = 0;
    std::uint64_t ms = 0;
    std::function<void()> callback;
};

inline input_item make_input(input_kind kind)
{
    input_item item;
    item.kind = kind;
    return item;
}

inline constexpr std::uint64_t default_idle_budget_ms = 60'000;
// Queued items one loop or pump may process: far beyond any real script, so reaching it means
// something keeps posting input to itself (a poll that never sees its condition, for instance).
inline constexpr std::uint64_t runaway_item_limit = 1'000'000;

struct platform_state {
    screen_layout layout;
    vec2i mouse;
    bool shift = false;
    int cursor = 0;
    std::uint64_t now = 0;
    std::uint64_t idle_budget = default_idle_budget_ms;
    std::deque<input_item> queue;
    std::vector<native_window*> windows; // created windows in z-order, the top one last
    native_window* capture = nullptr;
    native_window* focus = nullptr;
    std::vector<std::uint64_t> modal_stack; // serials of the windows whose loops are running
    std::uint64_t next_serial = 1;
    std::uint64_t next_timer_order = 1;
};

platform_state& state();

// Global state (platform_state.cpp).
native_window::impl* find_window(std::uint64_t serial);
void post(input_item item);
// Whether the window still exists: handlers may destroy windows while input is delivered.
bool is_live(const native_window* w);
// The window that mouse input goes to: the capture holder, else the top shown window under the pointer.
native_window* mouse_target();
// The window's state when it takes input now, else null.
native_window::impl* receiver(native_window* w);

// Window manager (window_manager.cpp).
void set_focus_window(native_window* target);
void set_window_enabled(native_window::impl& target, bool enabled);
void show_window(native_window::impl& target);
void hide_window(native_window::impl& target);
bool paint_visible_windows();
bool paint_window(native_window::impl& target);
// Every tracked window the pointer is no longer over (`under`) gets its leave.
void settle_leave(const native_window* under);

// Input processing (input_queue.cpp) and the modal loop (modal_loop.cpp).
void process(input_item item, bool interruptible);
void run_modal_loop(native_window& looping);

// Virtual clock (virtual_clock.cpp).
void schedule_timer(native_window::impl& owner, std::uint32_t key, std::uint32_t interval_ms);
std::optional<std::uint64_t> next_due_time();
// Fires the earliest timer due at or before `limit`; false when there is none.
bool fire_next_timer(std::uint64_t limit);
// Fires every timer due up to `target` and sets the clock there. When interruptible and a handler
// ends the innermost modal loop, the rest is queued first so that the outer loop finishes it.
void advance_until(std::uint64_t target, bool interruptible);
bool innermost_loop_ended();

} // namespace offscreen::detail
} // namespace lcsdk::ui
