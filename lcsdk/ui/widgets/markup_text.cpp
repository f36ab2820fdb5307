#include "lcsdk/ui/widgets/markup_text.h"

#include "lcsdk/ui/widgets/markup_parser.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

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

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The longest prefix of `text` that is a decimal number (an optional minus, digits with at most
// one point and at least one digit, then an optional exponent), read as std::from_chars reads its
// general format; nothing when there is none. Written out because the runtime's from_chars for
// floating types brings about 30 KB into the Windows program. The first 19 significant digits
// count; a number of them below 2^53 times a power of ten up to 22 is exact.
std::optional<double> read_decimal(std::string_view text)
{
    std::size_t at = 0;
    const bool negative = at < text.size() && text[at] == '-';
    if (negative)
        ++at;
    std::uint64_t mantissa = 0;
    int significant = 0;
    long exponent = 0;
    bool any_digit = false;
    for (; at < text.size() && is_digit(text[at]); ++at) {
        any_digit = true;
        if (significant < 19) {
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(text[at] - '0');
            significant += mantissa != 0 ? 1 : 0;
        } else {
            ++exponent;
        }
    }
    if (at < text.size() && text[at] == '.') {
        for (++at; at < text.size() && is_digit(text[at]); ++at) {
            any_digit = true;
            if (significant < 19) {
                mantissa = mantissa * 10 + static_cast<std::uint64_t>(text[at] - '0');
                significant += mantissa != 0 ? 1 : 0;
                --exponent;
            }
        }
    }
    if (!any_digit)
        return std::nullopt;
    // An exponent counts only with digits after it.
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t digits = at + 1;
        const bool below_one = digits < text.size() && text[digits] == '-';
        if (digits < text.size() && (text[digits] == '+' || text[digits] == '-'))
            ++digits;
        long power = 0;
        for (; digits < text.size() && is_digit(text[digits]); ++digits)
            power = std::min(power * 10 + (text[digits] - '0'), 100000L);
        exponent += below_one ? -power : power;
    }

    static constexpr std::array<double, 23> powers{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    double value = 0.0;
    if (mantissa != 0 && mantissa <= (std::uint64_t{1} << 53) && exponent >= -22 && exponent <= 22) {
        const double power = powers[static_cast<std::size_t>(exponent < 0 ? -exponent : exponent)];
        value = exponent < 0 ? static_cast<double>(mantissa) / power : static_cast<double>(mantissa) * power;
    } else if (mantissa != 0) {
        value = static_cast<double>(static_cast<long double>(mantissa) *
                                    std::pow(10.0L, static_cast<long double>(exponent)));
    }
    return negative ? -value : value;
}

} // namespace

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

    const std::optional<double> parsed = read_decimal(number);
    if (!parsed || !std::isfinite(*parsed))
        return 0.0f;
    const auto narrowed = static_cast<float>(*parsed);
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
