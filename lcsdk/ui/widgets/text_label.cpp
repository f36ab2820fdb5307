#include "lcsdk/ui/widgets/text_label.h"

#include "lcsdk/ui/accessibility.h"
#include "lcsdk/ui/markup_layout.h"
#include "lcsdk/ui/native_platform.h"
#include "lcsdk/ui/widgets/markup_text.h"
#include "lcsdk/ui/widgets/widget_drawing.h"

#include <functional>

namespace lcsdk::ui {

using widget_drawing::drawer_of;

namespace {

void apply_label_font(native_drawer& drawer, const style_table& theme)
{
    drawer.set_font(get_string(theme, "label_font_name"), get_float(theme, "label_font_size"),
                    get_int(theme, "label_font_weight"), get_int(theme, "label_font_style"));
}

void apply_label_alignment(native_drawer& drawer, const style_table& theme)
{
    drawer.set_text_alignment(get_int(theme, "label_text_align"), get_int(theme, "label_text_valign"));
}

} // namespace

TextLabel::TextLabel()
{
    add_handler(this, this, paint_event, std::bind(&TextLabel::draw, this));
    add_handler(this, this, style_changed, std::bind(&TextLabel::on_style_changed, this));
    add_handler(this, this, accessibility_describe, std::bind(&TextLabel::on_describe, this, std::placeholders::_1));
}

TextLabel::~TextLabel() = default;

void TextLabel::set_text(std::string new_text, bool fit_width, bool fit_height)
{
    auto_width = fit_width;
    auto_height = fit_height;
    text = std::move(new_text);
    fit_to_text();
    invalidate();
    accessibility::announce_content_changed(*this);
}

void TextLabel::set_markup(markup_text* content)
{
    markup = content;
    markup_mode = content != nullptr;
    invalidate();
}

// A label without text says nothing, and is left out.
void TextLabel::on_describe(const event_info& info)
{
    if (text.empty())
        return;
    accessibility::description& said = accessibility::described(info);
    said.kind = accessibility::role::static_text;
    said.name = text;
}

void TextLabel::on_style_changed()
{
    fit_to_text();
    invalidate();
}

void TextLabel::fit_to_text()
{
    if (!auto_width && !auto_height)
        return;
    if (drawer_of(*this) == nullptr)
        return;
    const vec2i measured = measure({auto_width ? 0 : size.x, auto_height ? 0 : size.y});
    set_rect({position, {auto_width ? measured.x : size.x, auto_height ? measured.y : size.y}});
}

vec2i TextLabel::measure(vec2i limit)
{
    native_drawer* drawer = drawer_of(*this);
    if (drawer == nullptr || text.empty())
        return {};
    apply_label_font(*drawer, theme);
    apply_label_alignment(*drawer, theme);
    return drawer->measure_text(text, limit);
}

void TextLabel::draw()
{
    native_drawer* drawer = drawer_of(*this);
    if (drawer == nullptr)
        return;
    const rect_i whole{{0, 0}, size};

    drawer->set_fill_color(get_color(theme, "default_back_color"));
    drawer->fill_rect(whole);

    if (markup_mode) {
        apply_label_alignment(*drawer, theme);
        if (markup == nullptr || !markup->has_content)
            return;
        const auto factory = make_markup_factory(*drawer);
        markup_layout& layout = markup->get_layout(factory.get(), static_cast<float>(size.x),
                                                   static_cast<float>(size.y));
        drawer->draw_html(layout, {0, 0});
        return;
    }

    color4f color = get_color(theme, "label_font_color");
    if (!is_enabled())
        color.a = 0.5f;
    drawer->set_text_color(color);
    apply_label_font(*drawer, theme);
    apply_label_alignment(*drawer, theme);
    if (!text.empty())
        drawer->draw_text(whole, text);
}

} // namespace lcsdk::ui
