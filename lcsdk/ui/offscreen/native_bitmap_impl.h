#pragma once

#include "lcsdk/ui/native_bitmap.h"
#include "lcsdk/ui/offscreen/cairo_handles.h"

namespace lcsdk::ui {

// Decoded pixels live in a premultiplied ARGB32 image that any drawer can paint from, so no
// per-drawer copies are needed and drawers and bitmaps may go in either order.
struct native_bitmap::impl {
    offscreen::detail::surface_ptr pixels;
};

} // namespace lcsdk::ui
