#include "lcsdk/ui/drawing_geometry.h"

#include <algorithm>

namespace lcsdk::ui {

rect_i fit_image(rect_i area, vec2i image_size)
{
    if (image_size.x <= 0 || image_size.y <= 0)
        return {};
    const float factor = std::min(static_cast<float>(area.size.y) / static_cast<float>(image_size.y),
                                  static_cast<float>(area.size.x) / static_cast<float>(image_size.x));
    const int height = static_cast<int>(static_cast<float>(image_size.y) * factor);
    const int width = static_cast<int>(static_cast<float>(image_size.x) * factor);
    return {{(area.size.x - width) / 2 + area.position.x, (area.size.y - height) / 2 + area.position.y},
            {width, height}};
}

text_box_limit text_limit(vec2i limit)
{
    const auto extent = [](int value) { return value == 0 ? std::nullopt : std::optional<int>(value); };
    return {extent(limit.x), extent(limit.y)};
}

shadow_geometry shadow_pieces(rect_i rect, vec2i offset, unsigned size)
{
    const int a = static_cast<int>(size);
    const int k = a * 7 / 10;
    const int x = rect.position.x + offset.x;
    const int y = rect.position.y + offset.y;
    const rect_ltrb outer{x - k, y - k, x + rect.size.x + k, y + rect.size.y + k};
    const rect_ltrb inner{outer.left + a, outer.top + a, outer.right - a, outer.bottom - a};

    shadow_geometry g;
    g.radius = a;
    g.corners = {{
        {{inner.right, inner.bottom, outer.right, outer.bottom}, {inner.right, inner.bottom}},
        {{inner.right, outer.top, outer.right, inner.top}, {inner.right, inner.top}},
        {{outer.left, inner.bottom, inner.left, outer.bottom}, {inner.left, inner.bottom}},
        {{outer.left, outer.top, inner.left, inner.top}, {inner.left, inner.top}},
    }};
    g.bands = {{
        {{outer.left, inner.top, inner.left, inner.bottom}, {inner.left, inner.top}, {outer.left, inner.top}},
        {{inner.left, outer.top, inner.right, inner.top}, {inner.left, inner.top}, {inner.left, outer.top}},
        {{inner.right, inner.top, outer.right, inner.bottom}, {inner.right, inner.top}, {outer.right, inner.top}},
        {{inner.left, inner.bottom, inner.right, outer.bottom}, {inner.left, inner.bottom}, {inner.left, outer.bottom}},
    }};
    g.core = inner;
    return g;
}

} // namespace lcsdk::ui
