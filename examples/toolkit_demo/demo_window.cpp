#include "demo_window.h"

#include "example_window.h"

#include "installer/wizard_images.h"
#include "lcsdk/ui/event_bus.h"
#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/toolkit_images.h"
#include "lcsdk/ui/widget_themes.h"

#include <cstdio>
#include <string>
#include <vector>

namespace ui = lcsdk::ui;

namespace toolkit_demo {

namespace {

using examples::marker_color;
using examples::rgb;

// Colours the tests look for on screen.
constexpr ui::color4f root_color = rgb(220, 224, 232);
constexpr ui::color4f white = rgb(255, 255, 255);
constexpr ui::color4f black = rgb(0, 0, 0);
constexpr ui::color4f text_color = rgb(0, 0, 128);

std::string param_text(std::int32_t kind, std::uint64_t param)
{
    char text[64];
    switch (kind) {
    case ui::mouse_wheel:
        std::snprintf(text, sizeof text, "%.1f", ui::param_to_double(param));
        return text;
    case ui::key_down_native:
        std::snprintf(text, sizeof text, "%u:%08x", static_cast<unsigned>(param & 0xffffffffu),
                      static_cast<unsigned>(param >> 32));
        return text;
    case ui::size_changed:
        return std::to_string(param & 0xffffffffu) + "x" + std::to_string(param >> 32);
    default:
        return std::to_string(param);
    }
}

std::string files_text(std::uint64_t param)
{
    const auto& files = *reinterpret_cast<const std::vector<std::wstring>*>(param);
    std::string text = std::to_string(files.size());
    for (const std::wstring& path : files) {
        text += ' ';
        for (wchar_t c : path)
            text += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return text;
}

} // namespace

panel::panel(const std::string& panel_name, ui::color4f back_color, painter extra)
    : back_color_(back_color), extra_(std::move(extra))
{
    set_name(panel_name);
    ui::add_handler(this, this, ui::created, [this](const ui::event_info&) { on_created(); });
}

void panel::on_created()
{
    set_back_color(back_color_);
    ui::add_handler(this, this, ui::paint_event, [this](const ui::event_info&) { paint(); });
}

void panel::paint()
{
    ui::native_drawer& drawer = *top_window->drawer;
    drawer.set_fill_color(ui::get_color(theme, "default_back_color"));
    drawer.fill_rect({{0, 0}, size});
    if (extra_)
        extra_(drawer, *this);
}

demo_window::demo_window(examples::event_log& log, const demo_options& options)
    : log_(log),
      options_(options),
      red_("red", rgb(200, 40, 40)),
      green_("green", rgb(40, 160, 60)),
      blue_("blue", rgb(40, 80, 200)),
      text_("text", white, [this](ui::native_drawer& d, const panel& p) { paint_text(d, p); }),
      images_("images", white, [this](ui::native_drawer& d, const panel&) { paint_images(d); }),
      lines_("lines", white, [this](ui::native_drawer& d, const panel&) { paint_lines(d); }),
      banner_panel_("banner", rgb(250, 250, 250), [this](ui::native_drawer& d, const panel& p) { paint_banner(d, p); }),
      shadowed_("shadowed", rgb(240, 200, 60))
{
    checkbox_.load(lcsdk::ui::images::checkbox_image());
    folder_.load(lcsdk::ui::images::browser_folder_image());
    pack_.load(lcsdk::ui::images::browser_pack_image());
    virtual_.load(lcsdk::ui::images::browser_virtual_image());
    scroll_arrow_.load(lcsdk::ui::images::scroll_arrow_image());
    // The wizard's picture serves as a large image to fit.
    banner_.load(installer::images::wizard_banner_image());
    build();
}

demo_window::~demo_window() = default;

void demo_window::build()
{
    create("Toolkit demo", options_.rect);
    ui::add_handler(&root, this, ui::paint_event, [this](const ui::event_info&) { paint_root(*drawer); });

    red_.focusable = green_.focusable = blue_.focusable = true;
    red_.create(root, {{16, 16}, {88, 48}});
    green_.create(root, {{120, 16}, {88, 48}});
    blue_.create(root, {{224, 16}, {88, 48}});
    text_.create(root, {{16, 80}, {296, 120}});
    images_.create(root, {{16, 216}, {296, 40}});
    lines_.create(root, {{16, 272}, {296, 64}});
    banner_panel_.create(root, {{328, 16}, {136, 150}});
    // Where the drawer draws no shadows (macOS), the panel is plain.
    shadowed_.has_shadow = true;
    shadowed_.shadow_offset = {4, 4};
    shadowed_.shadow_size = 20;
    shadowed_.create(root, {{340, 200}, {110, 60}});

    for (panel* p : {&red_, &green_, &blue_, &text_, &images_, &lines_, &banner_panel_, &shadowed_})
        watch(*p, p->name);
    watch(root, "root");
    watch(*this, "window");

    ui::add_handler(&text_, this, ui::files_dropped,
                    [this](const ui::event_info& e) { log_.event("text", e.kind, files_text(e.param)); });
    ui::add_handler(&root, this, ui::timer_tick, [this](const ui::event_info& e) {
        log_.line("event root 15 " + std::to_string(e.param) + " at=" + std::to_string(examples::steady_milliseconds()));
    });
    examples::end_on_escape(*this);

    if (options_.centred)
        native->center_window();
    log_measurements();
}

void demo_window::watch(ui::event_object& sender, const std::string& sender_name)
{
    static constexpr std::int32_t kinds[] = {
        ui::mouse_up,    ui::mouse_down,  ui::mouse_double_click, ui::mouse_wheel,  ui::mouse_enter,
        ui::mouse_leave, ui::mouse_move,  ui::key_down,           ui::key_down_native, ui::key_up,
        ui::key_char,    ui::size_changed, ui::focus_gained,      ui::focus_lost,   ui::shown,
        ui::hidden,      ui::ime_composition,
    };
    for (std::int32_t kind : kinds) {
        ui::add_handler(&sender, this, kind, [this, sender_name](const ui::event_info& e) {
            log_.event(sender_name, e.kind, param_text(e.kind, e.param));
        });
    }
}

int demo_window::run()
{
    native->add_timer(&root, 1, options_.timer_interval_ms, false);
    log_.line("root " + std::to_string(root.size.x) + "x" + std::to_string(root.size.y));
    const int result = show_modal();
    native->remove_timer(&root, 1);
    log_.line("modal_result " + std::to_string(result));
    return result;
}

void demo_window::paint_root(ui::native_drawer& d)
{
    d.set_fill_color(root_color);
    d.fill_rect({{0, 0}, root.size});
    d.set_fill_color(marker_color);
    d.fill_rect({{0, 0}, {6, 6}});
}

void demo_window::paint_text(ui::native_drawer& d, const panel& target)
{
    const int width = target.size.x - 16;
    d.set_text_color(text_color);
    d.set_font("Tahoma", 13.0f, ui::font_weight_normal, ui::font_style_normal);
    d.set_text_alignment(ui::h_align_left, ui::v_align_center);
    d.draw_text({{8, 6}, {width, 30}}, "Tahoma left");
    d.set_font("Verdana", 14.0f, ui::font_weight_bold, ui::font_style_normal);
    d.set_text_alignment(ui::h_align_center, ui::v_align_center);
    d.draw_text({{8, 44}, {width, 30}}, "Verdana bold centre");
    d.set_font("Tahoma", 12.0f, ui::font_weight_light, ui::font_style_italic);
    d.set_text_alignment(ui::h_align_right, ui::v_align_bottom);
    d.draw_text({{8, 82}, {width, 30}}, "Tahoma italic right");
}

void demo_window::paint_images(ui::native_drawer& d)
{
    if (checkbox_.is_loaded()) {
        const ui::vec2i frame = checkbox_.dip_size();
        const int frame_height = frame.y / 2;
        d.draw_image({8, 8}, checkbox_, {{0, 0}, {frame.x, frame_height}});
        d.draw_image({30, 8}, checkbox_, {{0, frame_height}, {frame.x, frame_height}});
    }
    int x = 52;
    for (ui::native_bitmap* image : {&folder_, &pack_, &virtual_, &scroll_arrow_}) {
        if (image->is_loaded())
            d.draw_image({x, 8}, *image, {{0, 0}, image->dip_size()});
        x += 28;
    }
}

void demo_window::paint_lines(ui::native_drawer& d)
{
    d.set_line_color(black, 1.0f);
    d.set_line_style(1);
    d.draw_line({8, 16}, {288, 16});
    d.draw_rect({{8, 28}, {120, 28}});
    d.set_line_style(0);
    d.set_line_color(black, 2.0f);
    d.draw_line({150, 42}, {288, 42});
}

void demo_window::paint_banner(ui::native_drawer& d, const panel& target)
{
    if (banner_.is_loaded())
        d.draw_image_fit({{0, 0}, target.size}, banner_);
}

void demo_window::log_measurements()
{
    // Text extents in each named font; a family DirectWrite cannot find would measure like the
    // fallback font, so the tests compare these.
    struct sample {
        const char* family;
        int weight;
    };
    for (const sample& s : {sample{"Tahoma", ui::font_weight_normal}, sample{"Verdana", ui::font_weight_normal},
                            sample{"Verdana", ui::font_weight_bold}, sample{"NoSuchFamily", ui::font_weight_normal}}) {
        drawer->set_font(s.family, 20.0f, s.weight, ui::font_style_normal);
        const ui::vec2i extent = drawer->measure_text("Wide sample text", {});
        log_.line(std::string("measure ") + s.family + " " + std::to_string(s.weight) + " " + std::to_string(extent.x) +
                  "x" + std::to_string(extent.y));
    }
}

} // namespace toolkit_demo
