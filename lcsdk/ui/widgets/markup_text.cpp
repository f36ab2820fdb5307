#include "lcsdk/ui/widgets/markup_text.h"

#include "lcsdk/ui/widgets/markup_parser.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace lcsdk::ui {

markup_text::markup_text() = default;
markup_text::~markup_text() = default;

void markup_text::set_markup(std::string_view source_utf8)
{
    parsed_markup parsed = parse_markup(source_utf8);
    set_content(std::move(parsed.plain_text), std::move(parsed.ranges));
}

void markup_text::set_content(std::u16string text, std::vector<markup_range> tagged_ranges)
{
    plain_text = std::move(text);
    ranges = std::move(tagged_ranges);
    has_content = true;
    // The cache is keyed on the size only, so new content must drop it.
    layout_valid = false;
}

void markup_text::clear()
{
    plain_text.clear();
    ranges.clear();
    layout.reset();
    layout_valid = false;
    has_content = false;
}

markup_layout& markup_text::get_layout(markup_layout_factory* factory, float max_width, float max_height)
{
    if (layout_valid && layout && max_width == layout_size.x && max_height == layout_size.y)
        return *layout;

    layout.reset();
    layout_valid = false;
    if (factory == nullptr)
        throw std::runtime_error("factory is a null pointer");
    layout = factory->create_layout(plain_text, max_width, max_height);
    if (!layout)
        throw std::runtime_error("unable to initialize a new layout");

    // In list order, so where ranges overlap a later range's setting of the same property wins.
    for (const markup_range& range : ranges)
        apply_markup_range(*layout, range, plain_text.size());

    layout_valid = true;
    layout_size = {max_width, max_height};
    return *layout;
}

void apply_markup_range(markup_layout& layout, const markup_range& range, std::size_t text_length)
{
    if (range.start >= text_length || range.length == 0)
        return;
    const std::size_t available = text_length - range.start;
    const text_range span{range.start,
                          static_cast<std::uint32_t>(range.length < available ? range.length : available)};

    if (range.tag == u"b") {
        layout.set_bold(span);
    } else if (range.tag == u"u") {
        layout.set_underline(span);
    } else if (range.tag == u"font") {
        if (auto face = find_attribute(range.attributes, u"face"))
            layout.set_font_family(span, *face);
        if (auto size_text = find_attribute(range.attributes, u"size"))
            layout.set_font_size(span, parse_font_size(*size_text));
        if (auto color_text = find_attribute(range.attributes, u"color")) {
            if (auto color = parse_color(*color_text))
                layout.set_color(span, *color);
        }
    }
}

std::optional<std::u16string_view> find_attribute(std::u16string_view attributes, std::u16string_view name)
{
    // Search for name, '=' and '"' as one sequence.
    for (std::size_t at = attributes.find(name); at != std::u16string_view::npos;
         at = attributes.find(name, at + 1)) {
        const std::size_t equals = at + name.size();
        if (equals + 1 < attributes.size() && attributes[equals] == u'=' && attributes[equals + 1] == u'"') {
            const std::u16string_view rest = attributes.substr(equals + 2);
            const std::size_t quote = rest.find(u'"');
            return quote == std::u16string_view::npos ? rest : rest.substr(0, quote);
        }
    }
    return std::nullopt;
}

float parse_font_size(std::u16string_view value)
{
    std::size_t at = 0;
    while (at < value.size() && (value[at] == u' ' || (value[at] >= u'\t' && value[at] <= u'\r')))
        ++at;
    // Only ASCII can be part of a number; copy up to the first character that cannot.
    std::string digits;
    for (; at < value.size() && value[at] < 0x80 && value[at] > u' '; ++at)
        digits.push_back(static_cast<char>(value[at]));
    std::string_view number = digits;
    if (!number.empty() && number.front() == '+')
        number.remove_prefix(1);

    double parsed = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), parsed,
                                        std::chars_format::general);
    if (result.ec != std::errc{} || !std::isfinite(parsed))
        return 0.0f;
    const auto narrowed = static_cast<float>(parsed);
    return std::isfinite(narrowed) ? narrowed : 0.0f;
}

namespace {

int hex_digit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// Up to two hex digits from `at`, as a prefix parse: "8z" reads 8, "zz" reads 0.
int hex_pair(std::u16string_view value, std::size_t at)
{
    int result = 0;
    for (std::size_t i = at; i < at + 2; ++i) {
        const int digit = hex_digit(value[i]);
        if (digit < 0)
            break;
        result = result * 16 + digit;
    }
    return result;
}

} // namespace

std::optional<color4f> parse_color(std::u16string_view value)
{
    if (value.size() < 7)
        return std::nullopt;
    constexpr float per_unit = 0.003921569f;
    return color4f{static_cast<float>(hex_pair(value, 1)) * per_unit, static_cast<float>(hex_pair(value, 3)) * per_unit,
                   static_cast<float>(hex_pair(value, 5)) * per_unit, 1.0f};
}

} // namespace lcsdk::ui
