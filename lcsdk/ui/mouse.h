#pragma once

#include "lcsdk/ui/geometry.h"

namespace lcsdk::ui {

class widget;

// Mouse capture: one widget per process receives every move and the release while a button is
// held. The capture is kept by the router of the widget's window; a widget that belongs to no
// window receives no mouse input and cannot take it.
void capture_widget(widget& widget_to_capture);
// Requires that the widget holds the capture.
void release_widget(widget& widgetToRelease);
widget* get_captured_widget();

// Mouse position in DIPs relative to the widget's top-left corner; for a widget that belongs to no
// window, the position on the screen.
vec2i get_mouse_position(const widget& target);

} // namespace lcsdk::ui
