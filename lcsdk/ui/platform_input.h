#pragma once

#include "lcsdk/ui/geometry.h"

#include <cstdint>

namespace lcsdk::ui {

class window;

// Translation of native input into toolkit events, shared by every platform layer so that
// each one raises the same events with the same parameters.

// MulDiv semantics: a * b / c rounded half away from zero, computed in 64 bits.
int mul_div(int a, int b, int c);
int dips_to_pixels(int dips, int dpi);
int pixels_to_dips(int pixels, int dpi);
// A dirty rectangle in device pixels, widened outward to whole DIPs so it covers every pixel.
rect_ltrb dirty_pixels_to_dips(rect_ltrb pixels, int dpi_x, int dpi_y);

// Top-left corner for center_window: centred on the reference rectangle (the owner's window or the
// screen), then pulled back inside the work area by the outer frame's bottom-right corner (the
// frame that AdjustWindowRectEx puts round a client area at 0, 0); a window that still starts
// before the work area ends one unit inside it.
vec2i centred_position(rect_ltrb reference, rect_ltrb work_area, vec2i client_size, vec2i outer_bottom_right);

enum mouse_button : int { button_left = 0, button_middle = 1, button_right = 2 };

// Returns true for the first move into the window: it raises no event, and the platform must
// start watching for the mouse leaving.
bool translate_mouse_move(window& target);
void translate_mouse_leave(window& target);
void translate_button_down(window& target, int button);
void translate_button_up(window& target, int button);
// A double click is event 3 only when the widget under the mouse can take it; otherwise a press.
void translate_double_click(window& target, int button);
// Raw wheel delta (120 per notch away from the user); the event carries delta * 0.5 as a double.
void translate_wheel(window& target, int delta);
void translate_key_down(window& target, std::uint32_t key_code, std::uint32_t native_detail);
void translate_key_up(window& target, std::uint32_t key_code);
void translate_char(window& target, std::uint16_t code_unit);
void translate_client_size(window& target, vec2i size_dips);
void translate_focus(window& target, bool gained);
void translate_close(window& target);

} // namespace lcsdk::ui
