#include "lcsdk/ui/offscreen/text_layout.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

namespace lcsdk::ui::offscreen::detail {

namespace {

// A size the layout cannot take leaves the default text size in force, as on Windows.
constexpr float default_font_size = 12.0f;

PangoAlignment pango_alignment(h_align horizontal)
{
    switch (horizontal) {
    case h_align_left:
        return PANGO_ALIGN_LEFT;
    case h_align_right:
        return PANGO_ALIGN_RIGHT;
    default:
        return PANGO_ALIGN_CENTER;
    }
}

} // namespace

gobject_ptr<PangoContext> make_text_context()
{
    gobject_ptr<PangoContext> context(pango_font_map_create_context(pango_cairo_font_map_get_default()));
    // Unhinted metrics keep measuring and drawing identical wherever the text lands.
    font_options_ptr options(cairo_font_options_create());
    cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
    pango_cairo_context_set_font_options(context.get(), options.get());
    pango_cairo_context_set_resolution(context.get(), 96.0);
    return context;
}

gobject_ptr<PangoLayout> make_text_layout(PangoContext* context, const drawer_state& font, const std::string& text_utf8,
                                          std::optional<int> max_width)
{
    gobject_ptr<PangoLayout> layout(pango_layout_new(context));

    font_description_ptr description(pango_font_description_new());
    pango_font_description_set_family(description.get(), font.font_family.c_str());
    const float size = (std::isfinite(font.font_size) && font.font_size > 0) ? font.font_size : default_font_size;
    pango_font_description_set_absolute_size(description.get(), static_cast<double>(size) * PANGO_SCALE);
    pango_font_description_set_weight(description.get(), static_cast<PangoWeight>(font.font_weight));
    pango_font_description_set_style(description.get(), font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_layout_set_font_description(layout.get(), description.get());

    // Words that do not fit on a line of their own are broken, as DirectWrite does.
    pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
    pango_layout_set_width(layout.get(), max_width ? std::max(*max_width, 0) * PANGO_SCALE : -1);
    pango_layout_set_alignment(layout.get(), pango_alignment(font.text_h));

    // Malformed UTF-8 becomes replacement characters instead of being rejected.
    const glib_string_ptr valid(g_utf8_make_valid(text_utf8.data(), static_cast<gssize>(text_utf8.size())));
    pango_layout_set_text(layout.get(), valid.get(), -1);
    return layout;
}

text_extent measure_layout(PangoLayout* layout)
{
    PangoRectangle logical{};
    pango_layout_get_extents(layout, nullptr, &logical);
    return {static_cast<double>(logical.width) / PANGO_SCALE, static_cast<double>(logical.height) / PANGO_SCALE};
}

} // namespace lcsdk::ui::offscreen::detail

#if defined(__SANITIZE_ADDRESS__)
// Fontconfig, under Pango, keeps font data for the life of the process and never frees some of
// it; without this every test that lays out text would be blamed for the library's leak.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif

#if defined(__SANITIZE_THREAD__)
// Pango resolves fonts on helper threads of its own ("[pango] FcInit", "[pango] FcFontSetMatch")
// and hands the results back under GLib locks, bare futexes that ThreadSanitizer cannot see, so it
// reports the hand-over inside these uninstrumented libraries. Only they are listed, one a line:
extern "C" const char* __tsan_default_suppressions()
{
    return "race:libfontconfig.so\n"   // fontconfig's configuration, cache and patterns built there
           "race:libpangoft2-1.0.so\n" // Pango's font map and pattern cache filled there
           "race:libglib-2.0.so\n";    // GLib's string and table helpers running there
}
#endif
