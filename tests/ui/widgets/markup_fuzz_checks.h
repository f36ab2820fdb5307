#pragma once

#include "lcsdk/ui/widgets/markup_parser.h"
#include "lcsdk/ui/widgets/markup_text.h"

#include <cmath>
#include <string>
#include <string_view>

// Properties that must hold for any input to the markup parser and the attribute look-up.
// Shared by the bounded random test and the libFuzzer target. Returns an empty string when
// everything holds, else what went wrong.
namespace lcsdk::testing {

// A layout that checks every range it receives against the text it was built for.
class bounds_checking_layout : public ui::markup_layout {
public:
    bounds_checking_layout(std::size_t length, std::string& problem) : text_length(length), error(problem) {}

    void set_bold(ui::text_range r) override { check(r); }
    void set_underline(ui::text_range r) override { check(r); }
    void set_font_family(ui::text_range r, std::u16string_view) override { check(r); }
    void set_font_size(ui::text_range r, float size) override
    {
        check(r);
        if (!std::isfinite(size))
            error = "font size is not finite";
    }
    void set_color(ui::text_range r, ui::color4f c) override
    {
        check(r);
        for (float channel : {c.r, c.g, c.b, c.a})
            if (!(channel >= 0.0f && channel <= 1.0001f))
                error = "colour channel out of range";
    }

private:
    void check(ui::text_range r)
    {
        if (r.length == 0 || static_cast<std::size_t>(r.start) + r.length > text_length)
            error = "layout range outside the text";
    }
    std::size_t text_length;
    std::string& error;
};

class bounds_checking_factory : public ui::markup_layout_factory {
public:
    explicit bounds_checking_factory(std::string& problem) : error(problem) {}
    std::unique_ptr<ui::markup_layout> create_layout(std::u16string_view text, float, float) override
    {
        return std::make_unique<bounds_checking_layout>(text.size(), error);
    }

private:
    std::string& error;
};

inline std::string check_markup_properties(std::string_view source)
{
    const ui::parsed_markup parsed = ui::parse_markup(source);
    // Every byte yields at most one UTF-16 unit, except 4-byte sequences which yield two.
    if (parsed.plain_text.size() > source.size())
        return "plain text longer than its source";
    for (const ui::markup_range& range : parsed.ranges) {
        if (range.length == 0)
            return "empty range kept";
        if (static_cast<std::size_t>(range.start) + range.length > parsed.plain_text.size())
            return "range outside the plain text";
        if (range.tag.empty())
            return "range without a tag name";
        for (char16_t c : range.tag)
            if (!((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')))
                return "tag name not lower-case alphanumeric";
        for (std::u16string_view name : {u"face", u"size", u"color"}) {
            if (auto value = ui::find_attribute(range.attributes, name)) {
                const auto* begin = range.attributes.data();
                const auto* end = begin + range.attributes.size();
                if (value->data() < begin || value->data() + value->size() > end)
                    return "attribute value outside the attribute text";
                if (!std::isfinite(ui::parse_font_size(*value)))
                    return "size not finite";
                ui::parse_color(*value);
            }
        }
    }

    std::string error;
    ui::markup_text text;
    text.set_content(parsed.plain_text, parsed.ranges);
    bounds_checking_factory factory(error);
    text.get_layout(&factory, 100.0f, 50.0f);
    return error;
}

} // namespace lcsdk::testing
