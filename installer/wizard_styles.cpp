#include "installer/wizard_styles.h"

namespace installer {

lcsdk::ui::style_map wizard_styles()
{
    using namespace lcsdk::ui;
    constexpr color4f text_grey{0.784f, 0.784f, 0.784f, 1.0f};
    style_map styles = make_style_map();
    styles.emplace("label_font_color", color_style(text_grey));
    styles.emplace("label_font_name", string_style("verdana"));
    styles.emplace("checkbox_font_color", color_style(text_grey));
    styles.emplace("checkbox_font_name", string_style("verdana"));
    styles.emplace("title_font_size", float_style(15.0f));
    styles.emplace("title_font_weight", int_style(2));
    styles.emplace("label_intro_text_valign", int_style(1));
    styles.emplace("label_path_text_valign", int_style(1));
    styles.emplace("label_path_font_size", float_style(10.0f));
    styles.emplace("label_adobe_version_weight", int_style(2));
    styles.emplace("label_assets_weight", int_style(2));
    styles.emplace("label_install_weight", int_style(2));
    return styles;
}

} // namespace installer
