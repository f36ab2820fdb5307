#pragma once

#include "lcsdk/ui/event_bus.h"
#include "lcsdk/ui/geometry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lcsdk::ui {

class widget;
class window;

// What a window shows, described for assistive technology (screen readers, automation clients)
// without reference to any platform. A platform layer maps it onto its own accessibility API:
//
// - Everything here runs on the user-interface thread. A layer whose system asks from another
//   thread hands each question over to that thread first.
// - Elements are named by an element_id, which stays valid as long as its widget lives and never
//   comes back for another one. A layer keeps ids, never widget pointers, and asks again each time:
//   `describe` answers nothing for an element that is gone.
// - The window is an element (role window, named by its title); below it come the visible
//   widgets that report a role (event 34), and the parts such a widget draws itself (a scroll
//   bar's arrows). Widgets that report none (panels, pages, decoration) are left out, and their
//   visible children take their place, in tree order.
// - Bounds are on the screen in DIPs with the origin at the top left; a layer converts them to its
//   own screen units (device pixels on Windows, points from the bottom left on macOS).
// - Actions run through `perform`, `scroll_to` and `set_focus`, which refuse elements that are
//   hidden or disabled; a layer also refuses them while its window takes no input (a question is
//   open over it), as the mouse and the keyboard are refused. An action may open a question and
//   run its modal loop before it returns, so a layer that must not block (UI Automation's Invoke,
//   an accessibility press on macOS) starts it from its own event loop instead.
// - The toolkit announces changes through native_window::announce: the focus moved, a check box
//   changed its state, the elements under an element changed (some appeared, disappeared or were
//   renamed: a page change), a window was shown (a question). Nothing is announced for a window
//   that is not created.
namespace accessibility {

enum class role { window, button, check_box, static_text, scroll_pane, scroll_bar, picture };

// What an element does when a user activates it without saying how.
enum class action { none, press, toggle, scroll };

// The widget's serial (widget::serial), and the number of one of the parts it draws, from 1; part
// 0 is the widget itself. The null id names nothing.
struct element_id {
    std::uint64_t widget = 0;
    int part = 0;

    explicit operator bool() const { return widget != 0; }
    friend bool operator==(const element_id&, const element_id&) = default;
};

// A scrolling pane's position along its one direction, in DIPs.
struct scroll_state {
    bool vertical = true;
    int position = 0; // scrolled from the start
    int maximum = 0;  // the largest position; 0 when everything fits
    int page = 0;     // the visible extent
    int step = 0;     // one line
};

// A part of a widget that the widget draws itself; bounds are in the widget's coordinates.
struct part {
    role kind = role::button;
    std::string name;
    rect_i bounds;
    action default_action = action::none;
};

// What a widget says about itself when asked with event 34, whose parameter points to this: its
// own handler fills it in, and handlers that other objects registered later may add to it (a
// help text). A widget that sets no role is not an element.
struct description {
    std::optional<role> kind;
    std::string name;
    std::string help;
    action default_action = action::none;
    std::optional<bool> checked;
    std::optional<scroll_state> scroll;
    std::vector<part> parts;
};

// What a widget is asked to do with event 35, whose parameter points to this. The handler that
// does it sets `done`.
struct request {
    int part = 0;
    action what = action::none;
    int position = 0; // for scroll: where to
    bool done = false;
};

// What events 34 and 35 carry, for the widgets' handlers.
inline description& described(const event_info& info) { return *reinterpret_cast<description*>(info.param); }
inline request& requested(const event_info& info) { return *reinterpret_cast<request*>(info.param); }

// One element as it is now.
struct element {
    element_id id;
    role kind = role::window;
    std::string name;
    std::string help; // a longer explanation, where the name alone would not say enough
    bool focused = false;
    bool focusable = false;
    bool enabled = true;
    bool visible = true;
    std::optional<bool> checked;           // check boxes
    std::optional<scroll_state> scroll;    // scrolling panes
    action default_action = action::none;
    rect_i bounds;                         // screen DIPs
    element_id parent;                     // null for the window
    std::vector<element_id> children;      // the visible ones, in reading order
};

// The window's own element.
element_id window_element(const window& target);
// The element now, or nothing when the id names nothing in this window any more. A hidden element
// is still described (visible false) while its widget lives.
std::optional<element> describe(const window& target, element_id id);
// The element with the keyboard focus, or the null id when the focus rests on no element below
// the window.
element_id focused_element(const window& target);
// The element under a point on the screen (DIPs), or the null id outside the window.
element_id element_at(const window& target, vec2i screen_point);

enum class outcome { done, gone, not_enabled, not_supported };

// Presses or toggles an element the way the keyboard or the mouse would.
outcome perform(window& target, element_id id, action what);
// Scrolls a scrolling pane to `position`, clamped to 0 .. its maximum.
outcome scroll_to(window& target, element_id id, int position);
// Gives an element the keyboard focus, as the program would; only elements that take it.
outcome set_focus(window& target, element_id id);

// ---- Announcements (made by the toolkit; the layer passes them on) ----

enum class change {
    focus,     // subject: the focused element, or the window when no element has the focus
    toggled,   // subject: the check box
    structure, // subject: the element whose descendants appeared, disappeared or were renamed
    shown,     // subject: the window, shown
};

struct notification {
    change what = change::structure;
    element_id subject;

    friend bool operator==(const notification&, const notification&) = default;
};

void announce_focus(window& target);
void announce_toggled(const widget& check_box);
// `changed` appeared, disappeared or was renamed: the element above it announces a structure change.
void announce_content_changed(const widget& changed);
void announce_shown(window& target);

} // namespace accessibility
} // namespace lcsdk::ui
