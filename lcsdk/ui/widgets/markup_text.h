#pragma once

#include "lcsdk/ui/geometry.h"
#include "lcsdk/ui/markup_layout.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lcsdk::ui {

// One tagged span of a markup text: "b", "u" or "font" (any other tag has no effect), with the
// tag's attribute text, e.g. face="Tahoma" size="14" color="#ff8000".
struct markup_range {
    std::uint32_t start = 0;  // first UTF-16 unit of the plain text covered
    std::uint32_t length = 0; // number of UTF-16 units covered
    std::u16string tag;
    std::u16string attributes;

    friend bool operator==(const markup_range&, const markup_range&) = default;
};

// A text with tagged ranges that turns into a formatted platform layout on request. A text label
// in markup mode draws it. The layout is cached per maximum size.
class markup_text {
public:
    markup_text();
    ~markup_text();
    markup_text(const markup_text&) = delete;
    markup_text& operator=(const markup_text&) = delete;

    // Fills the object from the tag syntax of markup_parser.h.
    void set_markup(std::string_view source_utf8);
    void set_content(std::u16string text, std::vector<markup_range> tagged_ranges);
    void clear();

    // The layout for this maximum size, built when the cached one was made for another size.
    // Throws std::runtime_error "factory is a null pointer" without a factory and "unable to
    // initialize a new layout" when the factory cannot make one. Owned by this object.
    markup_layout& get_layout(markup_layout_factory* factory, float max_width, float max_height);

    std::u16string plain_text;
    std::vector<markup_range> ranges;
    std::unique_ptr<markup_layout> layout;
    bool layout_valid = false;
    _vec2<float> layout_size;
    bool has_content = false;
};

// Applies one tagged range to a layout; ranges are clipped to text_length.
void apply_markup_range(markup_layout& layout, const markup_range& range, std::size_t text_length);

// The value of the first `name="..."` in an attribute text, by plain substring search (so
// "typeface" also answers "face"). The value ends at the next double quote or the end of the text.
std::optional<std::u16string_view> find_attribute(std::u16string_view attributes, std::u16string_view name);

// A decimal number after optional leading white space; anything that is not a finite number reads as 0.
float parse_font_size(std::u16string_view value);

// "#RRGGBB": the first character is not examined, each pair is read as hexadecimal (reading
// stops at the first character that is not a hex digit). Values shorter than seven characters
// name no colour.
std::optional<color4f> parse_color(std::u16string_view value);

} // namespace lcsdk::ui
