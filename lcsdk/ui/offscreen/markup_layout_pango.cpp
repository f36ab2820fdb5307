// Markup text layouts on Pango: the offscreen half of the markup text and the drawer's draw_html.

#include "lcsdk/ui/markup_layout.h"
#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/native_platform.h"
#include "lcsdk/ui/offscreen/native_drawer_impl.h"
#include "lcsdk/ui/offscreen/text_layout.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

namespace lcsdk::ui {

namespace {

using namespace offscreen::detail;
using attr_list_ptr = std::unique_ptr<PangoAttrList, release_with<&pango_attr_list_unref>>;

// Text runs without a colour of their own are drawn opaque black, like the Windows markup text brush.
constexpr color4f markup_text_color{0, 0, 0, 1};
// Pango keeps sizes in integer 1/1024 units; larger sizes would overflow them.
constexpr float largest_font_size = 4096.0f;

// UTF-16 to UTF-8 with the byte offset of every UTF-16 unit (plus one for the end), so ranges in
// UTF-16 units become Pango's byte indices. A range edge inside a surrogate pair moves past the
// pair; a lone surrogate becomes U+FFFD.
struct utf8_text {
    std::string bytes;
    std::vector<std::uint32_t> offsets;
};

void append_utf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

utf8_text to_utf8(std::u16string_view text)
{
    utf8_text result;
    result.offsets.reserve(text.size() + 1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        result.offsets.push_back(static_cast<std::uint32_t>(result.bytes.size()));
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            append_utf8(result.bytes, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            result.offsets.push_back(static_cast<std::uint32_t>(result.bytes.size()));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            append_utf8(result.bytes, 0xFFFD);
        } else {
            append_utf8(result.bytes, unit);
        }
    }
    result.offsets.push_back(static_cast<std::uint32_t>(result.bytes.size()));
    return result;
}

std::uint16_t to_channel16(float value)
{
    return static_cast<std::uint16_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 65535.0f));
}

class pango_markup_layout final : public markup_layout {
public:
    pango_markup_layout(gobject_ptr<PangoLayout> text_layout, utf8_text text, v_align vertical, vec2i box)
        : layout_(std::move(text_layout)), text_(std::move(text)), attributes_(pango_attr_list_new()),
          vertical_(vertical), box_(box)
    {
    }

    void set_bold(text_range range) override { apply(pango_attr_weight_new(PANGO_WEIGHT_BOLD), range); }
    void set_underline(text_range range) override { apply(pango_attr_underline_new(PANGO_UNDERLINE_SINGLE), range); }

    void set_font_family(text_range range, std::u16string_view family) override
    {
        apply(pango_attr_family_new(to_utf8(family).bytes.c_str()), range);
    }

    // A size the engine cannot use leaves the range at its current size, as DirectWrite rejects it.
    void set_font_size(text_range range, float size) override
    {
        if (!(size > 0.0f) || !std::isfinite(size))
            return;
        const double units = static_cast<double>(std::min(size, largest_font_size)) * PANGO_SCALE;
        apply(pango_attr_size_new_absolute(static_cast<int>(units)), range);
    }

    void set_color(text_range range, color4f color) override
    {
        apply(pango_attr_foreground_new(to_channel16(color.r), to_channel16(color.g), to_channel16(color.b)), range);
        apply(pango_attr_foreground_alpha_new(to_channel16(color.a)), range);
    }

    PangoLayout* get() const { return layout_.get(); }
    const std::string& text() const { return text_.bytes; }
    v_align vertical() const { return vertical_; }
    vec2i box() const { return box_; }

private:
    // Each attribute replaces earlier ones of its kind over its range, so later ranges win.
    void apply(PangoAttribute* attribute, text_range range)
    {
        const std::size_t units = text_.offsets.size() - 1;
        const std::size_t start = std::min<std::size_t>(range.start, units);
        const std::size_t end = std::min<std::size_t>(start + range.length, units);
        attribute->start_index = text_.offsets[start];
        attribute->end_index = text_.offsets[end];
        pango_attr_list_change(attributes_.get(), attribute);
        pango_layout_set_attributes(layout_.get(), attributes_.get());
    }

    gobject_ptr<PangoLayout> layout_;
    utf8_text text_;
    attr_list_ptr attributes_;
    v_align vertical_;
    vec2i box_;
};

// Layouts start from the drawer's base text format: the default family and size of every drawer,
// with the alignment last set on it. Fonts set with set_font belong to plain text only.
class pango_markup_factory final : public markup_layout_factory {
public:
    explicit pango_markup_factory(native_drawer::impl& drawer) : drawer_(drawer) {}

    std::unique_ptr<markup_layout> create_layout(std::u16string_view text, float max_width, float max_height) override
    {
        offscreen::drawer_state base;
        base.h_align_kind = drawer_.state.h_align_kind;
        base.v_align_kind = drawer_.state.v_align_kind;
        base.text_h = drawer_.state.text_h;
        base.text_v = drawer_.state.text_v;
        if (!std::isfinite(max_width) || !std::isfinite(max_height) || max_width < 0 || max_height < 0)
            return nullptr;

        utf8_text converted = to_utf8(text);
        const int width = static_cast<int>(std::min(max_width, 1.0e6f));
        const int height = static_cast<int>(std::min(max_height, 1.0e6f));
        auto layout = make_text_layout(drawer_.draw_text_context.get(), base, converted.bytes, width);
        if (!layout)
            return nullptr;
        return std::make_unique<pango_markup_layout>(std::move(layout), std::move(converted), base.text_v,
                                                     vec2i{width, height});
    }

private:
    native_drawer::impl& drawer_;
};


} // namespace

std::unique_ptr<markup_layout_factory> make_markup_factory(native_drawer& drawer)
{
    return std::make_unique<pango_markup_factory>(drawer.get_impl());
}

void native_drawer::draw_html(markup_layout& layout, vec2i position)
{
    auto& d = *impl_;
    auto& pango = dynamic_cast<pango_markup_layout&>(layout);

    offscreen::draw_op& op = d.record(offscreen::op_kind::draw_html);
    op.rect = {position, pango.box()};
    op.text = pango.text();
    if (!d.frame)
        return;

    cairo_t* cr = d.frame.get();
    cairo_save(cr);
    pango_cairo_update_context(cr, d.draw_text_context.get());
    pango_layout_context_changed(pango.get());
    // Like a paragraph alignment inside the layout's maximum height.
    const double text_height = measure_layout(pango.get()).height;
    double top = position.y;
    if (pango.vertical() == v_align_center)
        top += (pango.box().y - text_height) / 2;
    else if (pango.vertical() == v_align_bottom)
        top += pango.box().y - text_height;
    cairo_set_source_rgba(cr, markup_text_color.r, markup_text_color.g, markup_text_color.b, markup_text_color.a);
    cairo_move_to(cr, position.x, top);
    pango_cairo_show_layout(cr, pango.get());
    cairo_restore(cr);
}

} // namespace lcsdk::ui
