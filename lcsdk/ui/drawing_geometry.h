#pragma once

#include "lcsdk/ui/geometry.h"

#include <array>
#include <optional>

// Geometry that every drawer computes the same way, whatever it draws with.
namespace lcsdk::ui {

// Where an image of `image_size` DIPs lands when fitted into `area`: scaled by the largest factor
// that keeps its aspect ratio (enlarging as well as reducing) and centred. An image less than one
// DIP across has no aspect ratio to keep: the result is then empty.
rect_i fit_image(rect_i area, vec2i image_size);

// A soft shadow is nine pieces round a rectangle moved by the offset: four corners (radial
// gradients), four bands (linear gradients) and the opaque core. Each piece reaches k = size · 7/10
// outward and size − k inward of the moved rectangle's edges.
struct shadow_corner {
    rect_ltrb area;
    vec2i centre; // the gradient is opaque here and clear at `radius`
};
struct shadow_band {
    rect_ltrb area;
    vec2i opaque_end; // the gradient runs from opaque here to clear at `clear_end`
    vec2i clear_end;
};
struct shadow_geometry {
    int radius = 0;
    // In painting order: bottom-right, top-right, bottom-left, top-left.
    std::array<shadow_corner, 4> corners;
    // In painting order: left, top, right, bottom; corner i is painted before band i.
    std::array<shadow_band, 4> bands;
    rect_ltrb core;
};
shadow_geometry shadow_pieces(rect_i rect, vec2i offset, unsigned size);

// The box measure_text lays text out in: a zero extent means no limit in that direction (a label
// sizing itself to its text). Each drawer turns a missing extent into its text engine's own
// "unlimited".
struct text_box_limit {
    std::optional<int> width;
    std::optional<int> height;
};
text_box_limit text_limit(vec2i limit);

} // namespace lcsdk::ui
