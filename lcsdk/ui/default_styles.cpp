#include "lcsdk/ui/widget_themes.h"

#include "lcsdk/ui/toolkit_images.h"

#include <cassert>
#include <utility>

namespace lcsdk::ui {

namespace {

style_map build_default_styles()
{
    style_map styles = make_style_map();
    styles.reserve(201);
    const auto add = [&styles](const char* key, style_value value) {
        [[maybe_unused]] const bool added = styles.emplace(key, std::move(value)).second;
        assert(added && "Duplicate default style");
    };
    const image_ref no_image{};

    add("default_back_color", color_style({1, 0, 1, 1}));
    add("checkbox_back_color", color_style({0, 0, 0, 0}));
    add("checkbox_border_color_normal", color_style({0.294f, 0.294f, 0.294f, 1}));
    add("checkbox_border_color_hover", color_style({1, 1, 1, 1}));
    add("checkbox_border_color_focus", color_style({0.255f, 0.584f, 0.753f, 1}));
    add("checkbox_border_width", float_style(1.0f));
    add("checkbox_font_name", string_style("tahoma"));
    add("checkbox_font_style", int_style(font_style_normal));
    add("checkbox_font_weight", int_style(font_weight_normal));
    add("checkbox_font_color", color_style({1, 1, 1, 1}));
    add("checkbox_font_size", float_style(11.0f));
    add("checkbox_image", image_style(images::checkbox_image()));
    add("colorcontrol_gradient_1", color_style({0.18f, 0.2f, 0.196f, 1}));
    add("colorcontrol_gradient_2", color_style({0.3f, 0.3f, 0.3f, 1}));
    add("colorcontrol_border_color_normal", color_style({0.318f, 0.329f, 0.345f, 1}));
    add("colorcontrol_border_color_hover", color_style({1, 1, 1, 1}));
    add("colorcontrol_border_color_focus", color_style({0.255f, 0.584f, 0.753f, 1}));
    add("colorcontrol_back_color_disabled", color_style({0.45f, 0.45f, 0.45f, 1}));
    add("dropdown_text_part_color", color_style({0.071f, 0.071f, 0.075f, 1}));
    add("dropdown_text_part_color_hover", color_style({0.071f, 0.071f, 0.075f, 1}));
    add("dropdown_gradient_text", bool_style(true));
    add("dropdown_gradient_text_1", color_style({0.553f, 0.545f, 0.545f, 1}));
    add("dropdown_gradient_text_2", color_style({0.796f, 0.784f, 0.784f, 1}));
    add("dropdown_button_part_color", color_style({0.322f, 0.322f, 0.322f, 1}));
    add("dropdown_button_part_color_hover", color_style({0.322f, 0.322f, 0.322f, 1}));
    add("dropdown_gradient_button", bool_style(true));
    add("dropdown_gradient_button_1", color_style({0.4f, 0.4f, 0.4f, 1}));
    add("dropdown_gradient_button_2", color_style({0.263f, 0.263f, 0.263f, 1}));
    add("dropdown_button_image", image_style(images::dropdown_arrow_image()));
    add("dropdown_border_color_normal", color_style({0.294f, 0.294f, 0.294f, 1}));
    add("dropdown_border_color_hover", color_style({1, 1, 1, 1}));
    add("dropdown_border_color_focus", color_style({0.255f, 0.584f, 0.753f, 1}));
    add("dropdown_font_name", string_style("tahoma"));
    add("dropdown_font_style", int_style(font_style_normal));
    add("dropdown_font_weight", int_style(font_weight_normal));
    add("dropdown_font_color", color_style({1, 1, 1, 1}));
    add("dropdown_font_color_extra", color_style({1, 1, 1, 1}));
    add("dropdown_font_size", float_style(11.0f));
    add("dropdown_font_size_extra", float_style(10.0f));
    add("dropdown_text_align", int_style(h_align_left));
    add("button_color_normal", color_style({0.173f, 0.176f, 0.192f, 1}));
    add("button_color_hover", color_style({0.239f, 0.247f, 0.263f, 1}));
    add("button_color_toggle", color_style({0.188f, 0.29f, 0.506f, 1}));
    add("button_border_color_normal", color_style({0, 0, 0, 0}));
    add("button_border_color_hover", color_style({1, 1, 1, 1}));
    add("button_border_color_focus", color_style({0.6f, 0.6f, 0.6f, 1}));
    add("button_font_name", string_style("tahoma"));
    add("button_font_style", int_style(font_style_normal));
    add("button_font_weight", int_style(font_weight_bold));
    add("button_font_color", color_style({1, 1, 1, 1}));
    add("button_font_color_hover", color_style({1, 1, 1, 1}));
    add("button_font_color_pressed", color_style({1, 1, 1, 1}));
    add("button_font_size", float_style(11.0f));
    add("button_back_image", image_style(no_image));
    add("menubar_back_color_selected", color_style({0.255f, 0.255f, 0.255f, 1}));
    add("menubar_back_color_highlight", color_style({0.255f, 0.255f, 0.255f, 1}));
    add("menubar_font_name", string_style("tahoma"));
    add("menubar_font_style", int_style(font_style_normal));
    add("menubar_font_weight", int_style(font_weight_normal));
    add("menubar_font_color", color_style({0.588f, 0.588f, 0.588f, 1}));
    add("menubar_font_color_selected", color_style({0.784f, 0.784f, 0.784f, 1}));
    add("menubar_font_color_highlight", color_style({0.784f, 0.784f, 0.784f, 1}));
    add("menubar_font_size", float_style(11.0f));
    add("splitpanel_back_color", color_style({0, 0, 0, 1}));
    add("splitpanel_border_color", color_style({0.314f, 0.314f, 0.322f, 1}));
    add("splitpanel_mark_color", color_style({1, 1, 1, 0.5f}));
    add("splitpanel_split_thickness", int_style(10));
    add("tooltip_back_color", color_style({0.106f, 0.106f, 0.11f, 1}));
    add("tooltip_border_color", color_style({0.29f, 0.31f, 0.325f, 1}));
    add("tooltip_border_color_1", color_style({0, 0, 0, 1}));
    add("tooltip_font_name", string_style("tahoma"));
    add("tooltip_font_style", int_style(font_style_normal));
    add("tooltip_font_weight", int_style(font_weight_normal));
    add("tooltip_font_color", color_style({0.655f, 0.655f, 0.655f, 1}));
    add("tooltip_font_size", float_style(11.0f));
    add("tooltip_title_font_name", string_style("tahoma"));
    add("tooltip_title_font_style", int_style(font_style_normal));
    add("tooltip_title_font_weight", int_style(font_weight_bold));
    add("tooltip_title_font_color", color_style({1, 1, 1, 1}));
    add("tooltip_title_font_size", float_style(11.0f));
    add("multicolumn_header_color", color_style({0.133f, 0.137f, 0.149f, 1}));
    add("multicolumn_header_divider_color", color_style({0.055f, 0.055f, 0.059f, 1}));
    add("multicolumn_header_font_name", string_style("verdana"));
    add("multicolumn_header_font_style", int_style(font_style_normal));
    add("multicolumn_header_font_weight", int_style(font_weight_normal));
    add("multicolumn_header_font_color", color_style({1, 1, 1, 1}));
    add("multicolumn_header_font_size", float_style(11.0f));
    add("multicolumn_font_name", string_style("verdana"));
    add("multicolumn_font_style", int_style(font_style_normal));
    add("multicolumn_font_weight", int_style(font_weight_normal));
    add("multicolumn_font_size", float_style(11.0f));
    add("multicolumn_font_color", color_style({0.659f, 0.663f, 0.675f, 1}));
    add("multicolumn_font_color_selected", color_style({1, 1, 1, 1}));
    add("multicolumn_font_color_disabled", color_style({0.359f, 0.363f, 0.375f, 1}));
    add("multicolumn_back_color_selected", color_style({0.145f, 0.29f, 0.522f, 1}));
    add("multicolumn_font_color_highlighted", color_style({0.118f, 0.125f, 0.141f, 1}));
    add("multicolumn_divider_color", color_style({0.075f, 0.078f, 0.086f, 1}));
    add("multicolumn_line_color", color_style({0.153f, 0.153f, 0.157f, 1}));
    add("tabcontainer_line_color", color_style({0.455f, 0.784f, 0.953f, 1}));
    add("tabbutton_gradient_1", color_style({0.2f, 0.2f, 0.2f, 1}));
    add("tabbutton_gradient_2", color_style({0.1f, 0.1f, 0.1f, 1}));
    add("tabbutton_gradient_1_selected", color_style({0.3f, 0.3f, 0.3f, 1}));
    add("tabbutton_gradient_2_selected", color_style({0.2f, 0.2f, 0.2f, 1}));
    add("tabbutton_gradient_1_hover", color_style({0.25f, 0.25f, 0.25f, 1}));
    add("tabbutton_font_name", string_style("tahoma"));
    add("tabbutton_font_style", int_style(font_style_normal));
    add("tabbutton_font_weight", int_style(font_weight_normal));
    add("tabbutton_font_size", float_style(11.0f));
    add("tabbutton_font_color", color_style({0.531f, 0.531f, 0.531f, 1}));
    add("tabbutton_font_color_selected", color_style({0.831f, 0.831f, 0.831f, 1}));
    add("float_font_name", string_style("tahoma"));
    add("float_font_style", int_style(font_style_normal));
    add("float_font_weight", int_style(font_weight_normal));
    add("float_font_size", float_style(10.0f));
    add("float_font_color", color_style({0.455f, 0.784f, 0.953f, 1}));
    add("float_font_color_disabled", color_style({0.655f, 0.655f, 0.655f, 1}));
    add("float_input_back_color", color_style({1, 1, 1, 1}));
    add("float_input_font_color", color_style({0, 0, 0, 1}));
    add("float_input_font_default_text_color", color_style({0.5f, 0.5f, 0.5f, 1}));
    add("multifloat_font_name", string_style("tahoma"));
    add("multifloat_font_size", float_style(10.0f));
    add("multifloat_font_weight", int_style(font_weight_normal));
    add("multifloat_font_style", int_style(font_style_normal));
    add("multifloat_font_color", color_style({0.455f, 0.784f, 0.953f, 1}));
    add("input_border_color", color_style({1, 1, 1, 1}));
    add("input_selection_color", color_style({0.2f, 0.6f, 1, 1}));
    add("input_ime_cursor_color", color_style({0.578f, 0.578f, 0.578f, 1}));
    add("input_ime_block_color", color_style({0.278f, 0.278f, 0.278f, 1}));
    add("input_font_name", string_style("tahoma"));
    add("input_font_style", int_style(font_style_normal));
    add("input_font_weight", int_style(font_weight_normal));
    add("input_font_size", float_style(12.0f));
    add("input_font_color", color_style({1, 1, 1, 1}));
    add("input_font_default_text_color", color_style({0.5f, 0.5f, 0.5f, 1}));
    add("scroll_button_back_color", color_style({0.22f, 0.235f, 0.251f, 1}));
    add("scroll_button_line_color", color_style({0.325f, 0.325f, 0.325f, 1}));
    add("scroll_bar_back_color", color_style({0.145f, 0.149f, 0.165f, 1}));
    add("scroll_bar_line_color", color_style({0.314f, 0.314f, 0.314f, 1}));
    add("scroll_back_color", color_style({0.067f, 0.071f, 0.078f, 1}));
    add("scroll_border_color_focus", color_style({0.255f, 0.584f, 0.753f, 1}));
    add("label_font_name", string_style("tahoma"));
    add("label_font_style", int_style(font_style_normal));
    add("label_font_weight", int_style(font_weight_normal));
    add("label_font_size", float_style(11.0f));
    add("label_font_color", color_style({1, 1, 1, 1}));
    add("label_text_align", int_style(h_align_left));
    add("label_text_valign", int_style(v_align_center));
    add("browser_back_color", color_style({0.067f, 0.067f, 0.071f, 1}));
    add("browser_back_color_hover", color_style({0.169f, 0.173f, 0.176f, 1}));
    add("browser_back_color_selected", color_style({0.145f, 0.29f, 0.522f, 1}));
    add("browser_font_color", color_style({0.882f, 0.882f, 0.882f, 1}));
    add("browser_font_color_hover", color_style({0.882f, 0.882f, 0.882f, 1}));
    add("browser_font_color_selected", color_style({0.882f, 0.882f, 0.882f, 1}));
    add("browser_font_name", string_style("tahoma"));
    add("browser_font_style", int_style(font_style_normal));
    add("browser_font_weight", int_style(font_weight_normal));
    add("browser_font_weight_selected", int_style(font_weight_bold));
    add("browser_font_size", float_style(11.0f));
    add("browser_folder_image", image_style(images::browser_folder_image()));
    add("browser_pack_image", image_style(images::browser_pack_image()));
    add("browser_stared_image", image_style(images::browser_pack_image()));
    add("browser_alien_image", image_style(images::browser_pack_image()));
    add("browser_virtual_image", image_style(images::browser_virtual_image()));
    add("editparam_height", int_style(22));
    add("editparam_back_color", color_style({0.118f, 0.122f, 0.133f, 1}));
    add("editparam_back_color_hover", color_style({0.157f, 0.161f, 0.173f, 1}));
    add("editparam_font_color", color_style({0.69f, 0.694f, 0.694f, 1}));
    add("editparam_font_color_disabled", color_style({0.69f, 0.694f, 0.694f, 0.5f}));
    add("editparam_font_name", string_style("tahoma"));
    add("editparam_font_style", int_style(font_style_normal));
    add("editparam_font_weight", int_style(font_weight_normal));
    add("editparam_font_size", float_style(11.0f));
    add("editparam_title_height", int_style(28));
    add("editparam_title_back_color", color_style({0.094f, 0.098f, 0.11f, 1}));
    add("editparam_title_font_weight", int_style(font_weight_bold));
    add("editparam_title_font_color", color_style({0.925f, 0.929f, 0.929f, 1}));
    add("editparam_icon_image", image_style(no_image));
    add("multiwindow_back_color", color_style({0.039f, 0.039f, 0.039f, 1}));
    add("multiwindow_border_color", color_style({0.173f, 0.18f, 0.192f, 1}));
    add("multiwindow_title_back_color", color_style({0.114f, 0.118f, 0.133f, 1}));
    add("multiwindow_tab_color", color_style({0.165f, 0.169f, 0.176f, 1}));
    add("multiwindow_tab_color_selected", color_style({0.216f, 0.224f, 0.243f, 1}));
    add("multiwindow_tab_gradient", bool_style(true));
    add("multiwindow_tab_gradient_1", color_style({0.165f, 0.169f, 0.176f, 1}));
    add("multiwindow_tab_gradient_2", color_style({0.122f, 0.125f, 0.133f, 1}));
    add("multiwindow_tab_gradient_1_selected", color_style({0.216f, 0.224f, 0.243f, 1}));
    add("multiwindow_tab_gradient_2_selected", color_style({0.165f, 0.173f, 0.192f, 1}));
    add("multiwindow_tab_line_color", color_style({0.267f, 0.271f, 0.275f, 1}));
    add("multiwindow_tab_line_color_selected", color_style({0.294f, 0.298f, 0.314f, 1}));
    add("multiwindow_tab_split_line_color", color_style({0.055f, 0.059f, 0.067f, 1}));
    add("multiwindow_tab_font_name", string_style("Verdana"));
    add("multiwindow_tab_font_style", int_style(font_style_normal));
    add("multiwindow_tab_font_weight", int_style(font_weight_bold));
    add("multiwindow_tab_font_size", float_style(11.0f));
    add("multiwindow_tab_font_color", color_style({0.824f, 0.824f, 0.824f, 1}));
    add("multiwindow_button_color", color_style({0.165f, 0.169f, 0.176f, 1}));
    add("multiwindow_button_gradient", bool_style(true));
    add("multiwindow_button_gradient_1", color_style({0.18f, 0.184f, 0.2f, 1}));
    add("multiwindow_button_gradient_2", color_style({0.141f, 0.141f, 0.161f, 1}));
    add("multiwindow_button_line_color", color_style({0.055f, 0.059f, 0.067f, 1}));
    add("multiwindow_button_image", image_style(images::multiwindow_button_image()));
    add("multiwindow_button_border_color_hover", color_style({1, 1, 1, 1}));

    return styles;
}

// Widgets may be constructed during static initialisation of other files, so the table is built on
// first use; the namespace-scope reference below makes sure that happens before main in any case.
[[maybe_unused]] const style_map& defaults_built_at_startup = default_styles();

} // namespace

const style_map& default_styles()
{
    static const style_map styles = build_default_styles();
    return styles;
}

} // namespace lcsdk::ui
