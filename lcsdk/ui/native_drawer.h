#pragma once

#include "lcsdk/ui/geometry.h"

#include <memory>
#include <string>

namespace lcsdk::ui {

class native_bitmap;
class native_window;
class widget;
class markup_layout;

// The drawing interface of a window. Coordinates are DIPs relative to the widget being painted.
// State (colours, line, font, alignment) persists between calls and between widgets.
class native_drawer {
public:
    explicit native_drawer(native_window& target);
    ~native_drawer();
    native_drawer(const native_drawer&) = delete;
    native_drawer& operator=(const native_drawer&) = delete;

    void set_fill_color(color4f color);
    void set_line_color(color4f color, float width);
    void set_line_style(int style); // 0 solid, 1 dotted
    void set_text_color(color4f color);
    void set_font(const std::string& family_utf8, float size, int weight_kind, int style_kind);
    void set_text_alignment(int horizontal_kind, int vertical_kind);

    void begin_widget(const widget& target, rect_ltrb paint_rect);
    void end_widget();

    void fill_rect(rect_i rect);
    void draw_rect(rect_i rect);
    void draw_line(vec2i from, vec2i to);
    void draw_shadow(rect_i rect, vec2i offset, unsigned size);
    void draw_image(vec2i destination, native_bitmap& bitmap, rect_i source_dips);
    void draw_image_fit(rect_i rect, native_bitmap& bitmap);
    void draw_text(rect_i rect, const std::string& text_utf8);
    vec2i measure_text(const std::string& text_utf8, vec2i limit);
    void draw_html(markup_layout& layout, vec2i position);

    void resize(vec2i pixel_size);

    struct impl;
    impl& get_impl() { return *impl_; }
    const impl& get_impl() const { return *impl_; }

private:
    std::unique_ptr<impl> impl_;
};

} // namespace lcsdk::ui
