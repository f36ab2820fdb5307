#pragma once

#include "lcsdk/ui/cocoa/accessibility_elements.h"
#include "lcsdk/ui/cocoa/cocoa_classes.h"
#include "lcsdk/ui/cocoa/owned.h"
#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/timer_table.h"

#include <cstdint>
#include <unordered_map>

namespace lcsdk::ui {

// The Cocoa state behind one native_window. One toolkit unit is one point: nothing is scaled.
struct native_window::impl {
    cocoa::owned<NativeWindow> window;
    cocoa::owned<NativeWindowDelegate> delegate;
    // Also held by the window as its content view; this reference keeps it alive until it has
    // been unlinked.
    cocoa::owned<NativeView> view;
    lcsdk::ui::window* toolkit_window = nullptr;
    timer_table timers;
    // The run-loop timer of each entry of `timers`, under the same key.
    std::unordered_map<std::uint32_t, cocoa::owned<NSTimer>> run_loop_timers;
    NSModalSession modal_session = nullptr;
    cocoa::accessibility_elements accessibility;

    void set_visible(bool shown);
    // A point on the screen (Cocoa's coordinates) in client DIPs, truncated; a rectangle in client
    // DIPs on the screen. Both go through the window and the flipped view.
    vec2i client_point(NSPoint screen) const;
    NSRect screen_rect(rect_i client) const;
};

} // namespace lcsdk::ui
