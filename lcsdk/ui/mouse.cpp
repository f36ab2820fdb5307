// The capture and mouse-position functions, through the router of the widget's window.
#include "lcsdk/ui/mouse.h"

#include "lcsdk/ui/native_platform.h"
#include "lcsdk/ui/widget.h"
#include "lcsdk/ui/window.h"

#include <cassert>

namespace lcsdk::ui {

void capture_widget(widget& widget_to_capture)
{
    if (window* owner = widget_to_capture.top_window)
        owner->routing().capture(widget_to_capture);
}

void release_widget(widget& widgetToRelease)
{
    assert(get_captured_widget() == &widgetToRelease && "The widget to be released is different from the captured widget");
    if (window* owner = widgetToRelease.top_window)
        owner->routing().release(widgetToRelease);
}

widget* get_captured_widget() { return window_routing::process_capture(); }

vec2i get_mouse_position(const widget& target)
{
    const window* owner = target.top_window;
    return owner ? owner->routing().mouse_position(target) : screen_mouse_position();
}

} // namespace lcsdk::ui
