#pragma once

#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/offscreen/cairo_handles.h"
#include "lcsdk/ui/offscreen/offscreen_platform.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace lcsdk::ui {

struct native_drawer::impl {
    struct entered_widget {
        const widget* target = nullptr;
        vec2i origin_before;
    };

    native_window* target = nullptr;
    offscreen::detail::surface_ptr image;           // premultiplied ARGB32, one pixel per DIP
    offscreen::detail::context_ptr frame;           // exists only during a paint pass
    offscreen::detail::gobject_ptr<PangoContext> draw_text_context;
    offscreen::detail::gobject_ptr<PangoContext> measure_context;
    offscreen::drawer_state state;
    std::vector<entered_widget> stack;
    std::vector<rect_ltrb> clips;
    vec2i origin;
    std::optional<vec2i> pending_size; // a resize asked for during a paint pass
    std::vector<offscreen::draw_op> ops;
    std::size_t frames = 0;

    // Appends an operation with the state, origin and clips in force now.
    offscreen::draw_op& record(offscreen::op_kind kind);
};

} // namespace lcsdk::ui
