#pragma once

#include "lcsdk/ui/geometry.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace lcsdk::ui {


// A span of a layout's text, in UTF-16 code units.
struct text_range {
    std::uint32_t start = 0;
    std::uint32_t length = 0;

    friend constexpr bool operator==(const text_range&, const text_range&) = default;
};

// A formatted text layout of the platform's text engine. The markup text object builds one and
// applies its tagged ranges through these setters; each platform implements them on its engine.
// Ranges may reach past the end of the text; implementations clip them.
class markup_layout {
public:
    virtual ~markup_layout() = default;

    virtual void set_bold(text_range range) = 0;
    virtual void set_underline(text_range range) = 0;
    virtual void set_font_family(text_range range, std::u16string_view family) = 0;
    virtual void set_font_size(text_range range, float size) = 0;
    // Each coloured range keeps its own colour; text without one uses the drawer's markup text colour.
    virtual void set_color(text_range range, color4f color) = 0;
};

// Creates layouts with a drawer's base text format (font, size and alignment at creation time).
// Layouts it creates keep what they need alive, so the factory may go as soon as the layout
// exists. Each platform makes one with make_markup_factory (native_platform.h).
class markup_layout_factory {
public:
    virtual ~markup_layout_factory() = default;

    // Null when the engine cannot create the layout.
    virtual std::unique_ptr<markup_layout> create_layout(std::u16string_view text, float max_width,
                                                         float max_height) = 0;
};

} // namespace lcsdk::ui
