#pragma once

#include "lcsdk/ui/geometry.h"

#include <memory>
#include <string>

namespace lcsdk::ui {

class native_bitmap;
class native_window;
class widget;
class markup_layout;

// What a drawer may not draw. Callers ask `draws` before they rely on one: the macOS drawer draws
// neither, and refuses draw_shadow and draw_html.
enum class drawer_feature { shadows, markup };

// The drawing interface of a window; each platform build defines every member (native_platform.h).
//
// What every drawer promises:
// - Coordinates are integer DIPs relative to the widget entered last (begin_widget); colours are
//   color4f values.
// - The state (colours, line, font, alignment) persists between calls and between widgets; nothing
//   resets it at begin_widget, so every widget sets what it draws with.
// - Drawing happens inside a paint pass, between the outermost begin_widget and its end_widget.
// - Geometry that the drawers share is computed once, in drawing_geometry.h: image fitting, the
//   pieces of a shadow and the limit of measure_text.
// Where the platforms differ, the method says so; Windows is the reference, and the neutral build
// follows it.
class native_drawer {
public:
    // Made by the toolkit window right after its native window exists; destroyed with it.
    explicit native_drawer(native_window& target);
    ~native_drawer();
    native_drawer(const native_drawer&) = delete;
    native_drawer& operator=(const native_drawer&) = delete;

    // Whether this drawer draws `feature`. Where it does not, the method that draws it must not be
    // called; the paint pass leaves shadows out there.
    bool draws(drawer_feature feature) const;

    // The colour of fill_rect.
    void set_fill_color(color4f color);
    // The colour and width (DIPs) of draw_rect and draw_line.
    void set_line_color(color4f color, float width);
    // The dash of draw_line and draw_rect: 0 solid, 1 dotted (one width on, one off). macOS frames
    // rectangles solid whatever the style.
    void set_line_style(int style);
    // The colour of draw_text; markup text keeps its own colours.
    void set_text_color(color4f color);
    // The font of draw_text and measure_text: a family name, a size in DIPs, a `font_weight` and a
    // `font_style` (theme kinds). A family the platform lacks falls back to a font of the same size.
    void set_font(const std::string& family_utf8, float size, int weight_kind, int style_kind);
    // The alignment of draw_text and measure_text inside their box: an `h_align` and a `v_align`
    // (theme kinds); any other value centres (macOS puts text of an unknown vertical kind at the top).
    void set_text_alignment(int horizontal_kind, int vertical_kind);

    // Enters a widget during the paint pass: the origin moves to its top-left corner and drawing is
    // clipped to its bounds and to `paint_rect` (the dirty rectangle, window DIPs); calls nest down
    // the tree. A platform that clips to the dirty area itself (macOS) may ignore `paint_rect`.
    void begin_widget(const widget& target, rect_ltrb paint_rect);
    // Leaves the widget entered last; the outermost end_widget finishes the frame.
    void end_widget();

    // Fills the rectangle with the fill colour.
    void fill_rect(rect_i rect);
    // Frames the rectangle inside its edges with the line colour, width and style.
    void draw_rect(rect_i rect);
    // A line between two points with the line colour, width and style. Windows moves both points by
    // the fractional part of half the width, so thin lines fall on whole pixels.
    void draw_line(vec2i from, vec2i to);
    // A soft shadow round `rect` moved by `offset`, reaching size · 7/10 DIPs outward and fading
    // from opaque black (shadow_pieces). Only where draws(drawer_feature::shadows).
    void draw_shadow(rect_i rect, vec2i offset, unsigned size);
    // Copies the part `source_dips` (in the image's DIPs) of the bitmap to `destination`, at the same
    // size. Both image methods take loaded bitmaps only: callers check is_loaded first. Drawers differ
    // over an unloaded one (Windows draws nothing; the neutral build throws, so that a test catches
    // the caller).
    void draw_image(vec2i destination, native_bitmap& bitmap, rect_i source_dips);
    // Draws the whole bitmap into `rect`, scaled to fit with its aspect ratio kept and centred
    // (fit_image).
    void draw_image_fit(rect_i rect, native_bitmap& bitmap);
    // Lays the text out in a box of the rectangle's size (wrapping at word boundaries within its
    // width) with the font, alignment and text colour, and draws it at the rectangle. Text taller
    // than the box is not cut on Windows; macOS truncates its last visible line.
    void draw_text(rect_i rect, const std::string& text_utf8);
    // The size in whole DIPs that draw_text gives the text in a box of `limit`, trailing spaces
    // included. A zero (never negative) limit means no limit in that direction (text_limit); only
    // the width wraps the text, and on Windows and in the neutral build a height limit does not
    // shorten the result. Windows adds one DIP in each direction before truncating, macOS one to
    // the width only.
    vec2i measure_text(const std::string& text_utf8, vec2i limit);
    // Draws a prepared markup layout (markup_text, made by make_markup_factory) with its top-left
    // corner at `position`. Only where draws(drawer_feature::markup).
    void draw_html(markup_layout& layout, vec2i position);

    // The window's client area changed to `pixel_size` device pixels; called by the platform layer.
    void resize(vec2i pixel_size);

    struct impl;
    impl& get_impl() { return *impl_; }
    const impl& get_impl() const { return *impl_; }

private:
    std::unique_ptr<impl> impl_;
};

} // namespace lcsdk::ui
