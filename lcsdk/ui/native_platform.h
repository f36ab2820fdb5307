#pragma once

// What a platform layer supplies. A layer (lcsdk/ui/win32, lcsdk/ui/cocoa, lcsdk/ui/offscreen) is
// written by defining:
//   - every member of the seam classes: native_window (native_window.h), native_drawer
//     (native_drawer.h), ime_context (ime_context.h), and the platform part of native_bitmap
//     (native_bitmap.h: construction, `decode` and `release_pixels`; the rest is shared);
//   - the functions below.
// The build compiles exactly one layer, chosen by LCSDK_PLATFORM. A layer only translates: native
// input goes through the shared rules of platform_input.h to the window's router (window_routing).

#include "lcsdk/ui/geometry.h"

#include <cstdint>
#include <memory>

namespace lcsdk::ui {

class native_drawer;
class markup_layout_factory;

// Mouse position in DIPs on the screen, for a widget that belongs to no window.
vec2i screen_mouse_position();

enum cursor_kind : int {
    cursor_arrow = 0,
    cursor_cross = 1,
    cursor_size_we = 2,
    cursor_size_ns = 3,
    cursor_size_nwse = 4,
    cursor_ibeam = 5,
    cursor_hand = 6,
    cursor_size_nwse_alt = 7,
    cursor_size_nesw = 8,
};

// Sets the pointer shape to a `cursor_kind`. Any other kind gives the arrow on Windows and in the
// neutral build; macOS, which lacks some shapes, leaves the cursor as it is for those it lacks.
void set_cursor_shape(int kind);

// Whether the Shift key that reverses Tab navigation is held (the platform decides which Shift
// keys count).
bool is_shift_down();

// The keys the toolkit's own rules act on: activating, cancelling, scrolling.
enum class key { other, enter, escape, space, up, down, left, right, page_up, page_down, home, end };

// The key that the code of a key event (8 or 10) stands for. The codes are the platform's own
// (virtual-key codes on Windows and in the neutral build, characters on macOS, where "&" has the
// code of Windows' up arrow), so shared code asks this instead of comparing codes.
key key_of(std::uint64_t key_code);

// A factory of markup layouts over a window's drawer, or null where the platform draws no markup.
std::unique_ptr<markup_layout_factory> make_markup_factory(native_drawer& drawer);

} // namespace lcsdk::ui
