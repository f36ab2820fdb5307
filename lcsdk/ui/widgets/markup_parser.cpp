#include "lcsdk/ui/widgets/markup_parser.h"

#include <array>
#include <cstdint>
#include <optional>

namespace lcsdk::ui {

namespace {

constexpr char32_t replacement_character = 0xFFFD;

void append_code_point(std::u16string& out, char32_t cp)
{
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

// Decodes one code point at `at` and advances past it; never reads beyond the end.
char32_t decode_utf8(std::string_view text, std::size_t& at)
{
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80)
        return lead;

    int continuation = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        continuation = 1;
        cp = lead & 0x1Fu;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        continuation = 2;
        cp = lead & 0x0Fu;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        continuation = 3;
        cp = lead & 0x07u;
        minimum = 0x10000;
    } else {
        return replacement_character;
    }

    for (int i = 0; i < continuation; ++i) {
        if (at >= text.size())
            return replacement_character;
        const auto next = static_cast<unsigned char>(text[at]);
        if ((next & 0xC0) != 0x80)
            return replacement_character; // the byte starts something new; leave it for the next call
        cp = (cp << 6) | (next & 0x3Fu);
        ++at;
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return replacement_character;
    return cp;
}

bool is_name_char(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

std::string_view trim(std::string_view text)
{
    while (!text.empty() && is_space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_space(text.back()))
        text.remove_suffix(1);
    return text;
}

struct tag_token {
    bool closing = false;
    std::string name; // lower case
    std::string_view attributes;
    std::size_t end = 0; // index just past '>'
};

// A tag starting at the '<' at `at`, or nothing when the text there is not a complete tag.
std::optional<tag_token> read_tag(std::string_view source, std::size_t at)
{
    tag_token tag;
    std::size_t i = at + 1;
    if (i < source.size() && source[i] == '/') {
        tag.closing = true;
        ++i;
    }
    const std::size_t name_start = i;
    while (i < source.size() && is_name_char(source[i]))
        ++i;
    if (i == name_start || i >= source.size())
        return std::nullopt;
    if (source[i] != '>' && source[i] != '/' && !is_space(source[i]))
        return std::nullopt;
    for (std::size_t n = name_start; n < i; ++n) {
        char c = source[n];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        tag.name.push_back(c);
    }

    // The tag ends at the first '>' outside double quotes.
    const std::size_t attributes_start = i;
    bool quoted = false;
    for (; i < source.size(); ++i) {
        if (source[i] == '"')
            quoted = !quoted;
        else if (source[i] == '>' && !quoted)
            break;
    }
    if (i >= source.size())
        return std::nullopt;

    std::string_view attributes = trim(source.substr(attributes_start, i - attributes_start));
    if (!attributes.empty() && attributes.back() == '/')
        attributes = trim(attributes.substr(0, attributes.size() - 1));
    tag.attributes = attributes;
    tag.end = i + 1;
    return tag;
}

struct entity {
    std::string_view name;
    char16_t value;
};
constexpr std::array<entity, 5> entities{{{"&lt;", u'<'}, {"&gt;", u'>'}, {"&amp;", u'&'}, {"&quot;", u'"'}, {"&apos;", u'\''}}};

struct open_tag {
    std::string name;
    std::size_t range_index;
};

std::uint32_t to_u32(std::size_t value)
{
    return value > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(value);
}

} // namespace

std::u16string utf8_to_utf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();)
        append_code_point(out, decode_utf8(text, at));
    return out;
}

parsed_markup parse_markup(std::string_view source)
{
    parsed_markup result;
    std::u16string& text = result.plain_text;
    std::vector<open_tag> open;

    std::size_t at = 0;
    while (at < source.size()) {
        const char c = source[at];
        if (c == '<') {
            if (auto tag = read_tag(source, at)) {
                at = tag->end;
                if (tag->name == "br") {
                    if (!tag->closing)
                        text.push_back(u'\n');
                } else if (!tag->closing) {
                    // The range is listed now so that ranges keep their opening order; its length is set on close.
                    open.push_back({tag->name, result.ranges.size()});
                    result.ranges.push_back({to_u32(text.size()), 0, utf8_to_utf16(tag->name),
                                             utf8_to_utf16(tag->attributes)});
                } else {
                    for (auto it = open.rbegin(); it != open.rend(); ++it) {
                        if (it->name == tag->name) {
                            markup_range& range = result.ranges[it->range_index];
                            range.length = to_u32(text.size() - range.start);
                            open.erase(std::next(it).base());
                            break;
                        }
                    }
                }
                continue;
            }
        } else if (c == '&') {
            bool matched = false;
            for (const entity& e : entities) {
                if (source.substr(at, e.name.size()) == e.name) {
                    text.push_back(e.value);
                    at += e.name.size();
                    matched = true;
                    break;
                }
            }
            if (matched)
                continue;
        }
        append_code_point(text, decode_utf8(source, at));
    }

    for (const open_tag& still_open : open) {
        markup_range& range = result.ranges[still_open.range_index];
        range.length = to_u32(text.size() - range.start);
    }
    std::erase_if(result.ranges, [](const markup_range& range) { return range.length == 0; });
    return result;
}

} // namespace lcsdk::ui
