#include "lcsdk/ui/mouse.h"

#include "lcsdk/ui/native_platform.h"
#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/widget.h"
#include "lcsdk/ui/window.h"

#include <cassert>

namespace lcsdk::ui {

namespace {

widget* captured_widget = nullptr;

native_window* native_of(const widget& target)
{
    return target.top_window ? target.top_window->native.get() : nullptr;
}

} // namespace

void capture_widget(widget& widget_to_capture)
{
    // The native capture first: another window that held it hears of the loss while its widget
    // still holds the toolkit capture, so that widget's drag ends.
    if (native_window* native = native_of(widget_to_capture))
        native->set_mouse_capture();
    captured_widget = &widget_to_capture;
}

void release_widget(widget& widgetToRelease)
{
    assert(get_captured_widget() == &widgetToRelease && "The widget to be released is different from the captured widget");
    if (native_window* native = native_of(widgetToRelease))
        native->release_mouse_capture();
    captured_widget = nullptr;
}

widget* get_captured_widget() { return captured_widget; }

vec2i get_mouse_position(const widget& target)
{
    const window* owner = target.top_window;
    if (!owner || !owner->native)
        return screen_mouse_position();

    vec2i position = owner->native->client_mouse_position();
    for (const widget* w = &target; w && w != &owner->root; w = w->parent)
        position = position - w->position;
    return position;
}

namespace detail {

void forget_captured_widget(const widget* gone)
{
    if (captured_widget != gone)
        return;
    if (native_window* native = native_of(*captured_widget))
        native->release_mouse_capture();
    captured_widget = nullptr;
}

} // namespace detail

} // namespace lcsdk::ui
