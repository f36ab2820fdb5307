#pragma once

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
    bool visible = false;
    vec2i minimum_size{0, 0};
    vec2i maximum_size{100000, 100000};
    vec2i device_resolution;
    // The last rectangle given to creation or set_window_rect, in Cocoa screen coordinates.
    NSRect content_rect = NSZeroRect;

    void set_visible(bool shown);
    // Raises event 15 for a tick of the run-loop timer with this key; unknown keys are ignored.
    void timer_tick(native_window& self, std::uint32_t key);
};

} // namespace lcsdk::ui
