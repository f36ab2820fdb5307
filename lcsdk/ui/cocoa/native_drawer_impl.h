#pragma once

#include "lcsdk/ui/cocoa/owned.h"
#include "lcsdk/ui/geometry.h"
#include "lcsdk/ui/native_drawer.h"

#import <AppKit/AppKit.h>

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace lcsdk::ui {

// The Cocoa drawer's state. It draws into the current graphics context inside the view's
// drawRect:, so it keeps no device resources; colours become NSColor at each call.
struct native_drawer::impl {
    // Widgets entered by begin_widget; each one has a graphics state saved for it.
    std::vector<const widget*> widget_stack;
    color4f text_color;
    // The fonts made so far, by family, traits, weight and size (its bits): the font manager is
    // asked once per font, not at every set_font of every paint.
    std::map<std::tuple<std::string, NSUInteger, int, std::uint32_t>, cocoa::owned<NSFont>> fonts;
    NSFont* font = nil; // one of `fonts`
    color4f fill_color;
    color4f line_color;
    float line_width = 0.0f;
    int horizontal_alignment = h_align_left;
    int vertical_alignment = v_align_top;
    int line_style = 0;
};

} // namespace lcsdk::ui
