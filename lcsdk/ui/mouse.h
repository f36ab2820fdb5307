#pragma once

#include "lcsdk/ui/geometry.h"

namespace lcsdk::ui {

class widget;
class window;

// Mouse capture: one widget per process receives every move and the release while a button is held.
void capture_widget(widget& widget_to_capture);
void release_widget(widget& widgetToRelease);
widget* get_captured_widget();

// Mouse position in DIPs relative to the widget's top-left corner.
vec2i get_mouse_position(const widget& target);

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

} // namespace lcsdk::ui

namespace lcsdk::ui::detail {

// Drops the capture when the captured widget goes away, so the capture never dangles.
void forget_captured_widget(const widget* gone);

} // namespace lcsdk::ui::detail
