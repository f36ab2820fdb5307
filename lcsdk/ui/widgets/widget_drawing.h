#pragma once

#include "lcsdk/ui/native_bitmap.h"
#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/widget.h"
#include "lcsdk/ui/window.h"

#include <cmath>
#include <limits>

// Small helpers the widgets share for reaching their window's drawer and sizing image strips.
namespace lcsdk::ui::widget_drawing {

// The drawer of the widget's window, or null for a widget that belongs to no window yet.
inline native_drawer* drawer_of(const widget& w)
{
    return w.top_window ? w.top_window->drawer.get() : nullptr;
}

inline bool has_focus(const widget& w) { return w.top_window && w.top_window->routing().is_focused(w); }

// Float to int, truncating toward zero. Values that have no int (NaN, infinities, out of range)
// would be undefined behaviour for a plain cast, so they saturate (NaN reads as 0).
inline int truncate_to_int(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

// Size in DIPs of one frame of a vertical strip. A frame count below 1 counts as 1 and a scale
// that is not a positive number as 1.0, so a bad style value can never divide by zero.
inline vec2i frame_size(const native_bitmap& bitmap, int frames)
{
    float scale = bitmap.scale();
    if (!(scale > 0.0f) || !std::isfinite(scale))
        scale = 1.0f;
    const float inverse = 1.0f / scale;
    const auto pixels = bitmap.pixel_size();
    const int width = truncate_to_int(static_cast<float>(pixels.x) * inverse);
    const int height = truncate_to_int(static_cast<float>(pixels.y) * inverse);
    return {width, height / (frames > 1 ? frames : 1)};
}

} // namespace lcsdk::ui::widget_drawing
