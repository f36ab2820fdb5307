#pragma once

#include "lcsdk/ui/event_bus.h"
#include "lcsdk/ui/geometry.h"
#include "lcsdk/ui/native_platform.h"

#include <cstdint>

namespace lcsdk::ui {

class window;

// Translation of native input into toolkit events, shared by every platform layer so that
// each one raises the same events with the same parameters. The layers reach the window's router
// only through these functions.

// Returns true for the first move into the window: it raises no event, and the platform must
// start watching for the mouse leaving.
bool translate_mouse_move(window& target);
void translate_mouse_leave(window& target);
void translate_button_down(window& target, int button);
void translate_button_up(window& target, int button);
// A native double click (the second press of one): the router decides what it becomes.
void translate_double_click(window& target, int button);
// Raw wheel delta (120 per notch away from the user); the event carries delta * 0.5 as a double.
void translate_wheel(window& target, int delta);
// Key down (event 8), then its native detail (event 9: key code low, detail high).
void translate_key_down(window& target, std::uint32_t key_code, std::uint32_t native_detail);
// The two halves of a key press, for platforms that raise them in another order or alone.
void translate_key_press(window& target, std::uint32_t key_code);
void translate_key_native(window& target, std::uint32_t key_code, std::uint32_t native_detail);
void translate_key_up(window& target, std::uint32_t key_code);
void translate_char(window& target, std::uint16_t code_unit);
void translate_client_size(window& target, vec2i size_dips);
void translate_focus(window& target, bool gained);
void translate_close(window& target);
// Whether the mouse is inside the client area as far as the toolkit knows (the platform keeps the
// cursor the toolkit chose there).
bool is_mouse_inside(const window& target);
// Input-method composition (event 31): 0 started, 1 changed, 2 ended.
void translate_composition(window& target, int stage);
// Files dropped from the shell (event 30), and whether the widget under the mouse would take them.
void translate_files_dropped(window& target, const void* file_list);
bool takes_dropped_files(const window& target);
// The platform took the mouse capture away (another window took it, or the system cancelled the
// mode, as when a window opens over this one): a drag in progress ends as a release would end it.
void translate_capture_lost(window& target);

// The key a Windows virtual-key code stands for; the neutral build uses the same codes.
key key_from_virtual_key(std::uint64_t virtual_key);

// Platforms that track the mouse themselves (macOS tracking areas) report entering the window,
// and every move they report after that is an ordinary move (a drag with the right button carries
// that button, every other move the left one); they count clicks themselves, so the
// second press of a double click is event 3 whatever lies under the mouse; and their wheel moves
// in lines, 40 per line.
void translate_mouse_enter(window& target);
void translate_tracked_move(window& target, int button);
void translate_second_click(window& target, int button);
void translate_wheel_lines(window& target, double lines);

} // namespace lcsdk::ui
