#pragma once

#include "lcsdk/ui/geometry.h"

#include <cstdint>

namespace lcsdk::ui {

class window;

// Translation of native input into toolkit events, shared by every platform layer so that
// each one raises the same events with the same parameters.

enum mouse_button : int { button_left = 0, button_middle = 1, button_right = 2 };

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
void translate_key_down(window& target, std::uint32_t key_code, std::uint32_t native_detail);
void translate_key_up(window& target, std::uint32_t key_code);
void translate_char(window& target, std::uint16_t code_unit);
void translate_client_size(window& target, vec2i size_dips);
void translate_focus(window& target, bool gained);
void translate_close(window& target);
// The platform took the mouse capture away (another window took it, or the system cancelled the
// mode, as when a window opens over this one): a drag in progress ends as a release would end it.
void translate_capture_lost(window& target);

} // namespace lcsdk::ui
