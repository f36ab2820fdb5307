#pragma once

// Text layout with Pango, set up to behave like the drawer's text on Windows: absolute sizes in
// DIPs, the drawer's weight and style, wrapping at word boundaries within the box width.

#include "lcsdk/ui/offscreen/cairo_handles.h"
#include "lcsdk/ui/offscreen/offscreen_platform.h"

#include <optional>
#include <string>

namespace lcsdk::ui::offscreen::detail {

gobject_ptr<PangoContext> make_text_context();

// No width means unlimited (one line per paragraph).
gobject_ptr<PangoLayout> make_text_layout(PangoContext* context, const drawer_state& font, const std::string& text_utf8,
                                          std::optional<int> max_width);

struct text_extent {
    double width = 0;  // including trailing whitespace
    double height = 0;
};

text_extent measure_layout(PangoLayout* layout);

} // namespace lcsdk::ui::offscreen::detail
