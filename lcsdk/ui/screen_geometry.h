#pragma once

#include "lcsdk/ui/geometry.h"

// DIP/pixel arithmetic and window placement, shared by the platform layers that work in pixels.
namespace lcsdk::ui {

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

} // namespace lcsdk::ui
