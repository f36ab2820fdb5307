#include "gallery_window.h"

#include "example_window.h"

#include "lcsdk/ui/event_bus.h"
#include "lcsdk/ui/message_popup.h"
#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/widget_themes.h"

namespace ui = lcsdk::ui;

namespace widget_gallery {

namespace {

using examples::marker_color;
using examples::rgb;

// Colours the tests look for on screen.
constexpr ui::color4f root_color = rgb(30, 31, 35);
constexpr ui::color4f viewport_color = rgb(17, 18, 20);
constexpr ui::color4f content_color = rgb(40, 44, 52);
constexpr ui::color4f markup_back_color = rgb(235, 235, 235);

const char* const set_names[] = {"OK", "OK / Cancel", "Yes / No"};
const char* const popup_messages[] = {
    "The files were copied.",
    "Leave the gallery question unanswered?\nPress Cancel to stay.",
    "Do you like this gallery?",
};

} // namespace

gallery_window::gallery_window(examples::event_log& log) : log_(log) { build(); }

gallery_window::~gallery_window() = default;

void gallery_window::build()
{
    // Widgets without a back colour of their own take the root's; the built-in default is magenta.
    ui::style_map styles = ui::make_style_map();
    styles["default_back_color"] = ui::color_style(root_color);
    ui::set_global_styles(styles);

    create("Widget gallery", {{0, 0}, {580, 390}});
    ui::add_handler(&root, this, ui::paint_event, [this](const ui::event_info&) { paint_root(); });
    ui::add_handler(this, this, ui::shown, [this](const ui::event_info&) { log_.line("event window 25 0"); });
    examples::end_on_escape(*this);

    title_.theme.values["label_font_size"] = ui::float_style(16.0f);
    title_.theme.values["label_font_weight"] = ui::int_style(ui::font_weight_bold);
    title_.create(root, {{16, 10}, {400, 24}});
    title_.set_text("Widget gallery");

    // Buttons: normal, toggle mode (already toggled), disabled, and one with the keyboard focus.
    normal_.create(root, {{16, 44}, {100, 30}});
    normal_.set_text("Normal");
    toggle_.create(root, {{126, 44}, {100, 30}});
    toggle_.set_text("Toggle");
    toggle_.toggled = true;
    disabled_.create(root, {{236, 44}, {100, 30}});
    disabled_.set_text("Disabled");
    disabled_.set_enabled(false);
    focused_.create(root, {{346, 44}, {100, 30}});
    focused_.set_text("Focused");
    for (auto [button, name] : {std::pair{&normal_, "normal"}, std::pair{&toggle_, "toggle"}}) {
        for (std::int32_t kind : {ui::mouse_enter, ui::mouse_leave, ui::button_clicked}) {
            ui::add_handler(button, this, kind, [this, name = std::string(name)](const ui::event_info& e) {
                log_.line("event " + name + " " + std::to_string(e.kind) + " " + std::to_string(e.param));
            });
        }
    }

    // Check boxes: bound and clear, bound and set, unbound (so disabled), and three placements.
    flag_box_.create(root, {{16, 90}, {220, 20}});
    flag_box_.set_text("Bound flag");
    flag_box_.set_placement(0, 5);
    flag_box_.bind_value(&flag_);
    checked_box_.create(root, {{16, 116}, {220, 20}});
    checked_box_.set_text("Checked");
    checked_box_.set_placement(0, 5);
    checked_box_.bind_value(&checked_);
    unbound_box_.create(root, {{16, 142}, {220, 20}});
    unbound_box_.set_text("Not bound (disabled)");
    unbound_box_.set_placement(0, 5);
    const char* const placement_texts[] = {"Flush right", "Text first", "Spread out"};
    const int placements[] = {1, 4, 7};
    for (std::size_t i = 0; i < placement_boxes_.size(); ++i) {
        ui::CheckBox& box = placement_boxes_[i];
        box.create(root, {{250, 90 + 26 * static_cast<int>(i)}, {200, 20}});
        box.set_text(placement_texts[i]);
        box.set_placement(placements[i], 5);
        box.bind_value(&unused_);
    }

    flag_label_.create(root, {{16, 168}, {300, 18}});
    flag_label_.set_text("Flag: off");
    ui::add_handler(&flag_box_, this, ui::checkbox_toggled, [this](const ui::event_info&) {
        flag_label_.set_text(flag_ ? "Flag: on" : "Flag: off");
        log_.line(std::string("flag ") + (flag_ ? "1" : "0"));
    });

    // Labels: plain, right aligned, disabled, and one in markup mode.
    plain_label_.create(root, {{16, 196}, {200, 18}});
    plain_label_.set_text("Plain label");
    right_label_.theme.values["label_text_align"] = ui::int_style(ui::h_align_right);
    right_label_.create(root, {{16, 216}, {200, 18}});
    right_label_.set_text("Right aligned");
    disabled_label_.create(root, {{16, 236}, {200, 18}});
    disabled_label_.set_text("Disabled label");
    disabled_label_.set_enabled(false);
    markup_.set_markup("<b>Bold</b>, <u>underlined</u>, <font color=\"#d03030\">red</font> and "
                       "<font face=\"Tahoma\" size=\"16\" color=\"#2060c0\">big blue</font> markup");
    markup_label_.create(root, {{16, 258}, {310, 40}});
    // Where the drawer draws no markup (macOS), the label shows its words as plain text.
    if (drawer->draws(ui::drawer_feature::markup)) {
        markup_label_.set_back_color(markup_back_color);
        markup_label_.set_markup(&markup_);
    } else {
        markup_label_.set_text("Bold, underlined, red and big blue markup");
    }

    // A scrolled panel: the content is taller than its viewport and the bar moves it.
    viewport_.create(root, {{340, 196}, {200, 150}});
    viewport_.set_back_color(viewport_color);
    content_.create(viewport_, {{0, 0}, {200, 420}});
    content_.set_back_color(content_color);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        ui::TextLabel& row = rows_[i];
        row.create(content_, {{8, 6 + 30 * static_cast<int>(i)}, {184, 24}});
        row.set_back_color(i % 2 ? content_color : rgb(52, 58, 68));
        row.set_text("Row " + std::to_string(i + 1));
    }
    scroll_bar_.create(root, {{540, 196}, {16, 150}});
    scroll_bar_.set_scroll_panel(&content_);
    ui::add_handler(&content_, this, ui::moved,
                    [this](const ui::event_info&) { log_.line("scroll " + std::to_string(content_.position.y)); });

    // Buttons that open the three popup sets; the answer is shown below them.
    for (std::size_t i = 0; i < popup_buttons_.size(); ++i) {
        ui::GenericButton& button = popup_buttons_[i];
        button.create(root, {{16 + 105 * static_cast<int>(i), 310}, {100, 30}});
        button.set_text(set_names[i]);
        ui::add_handler(&button, this, ui::button_clicked,
                        [this, set = static_cast<int>(i)](const ui::event_info&) { ask(set); });
    }
    answer_label_.create(root, {{16, 350}, {500, 18}});
    answer_label_.set_text("Last answer: none");

    set_focus(&focused_, ui::focus_by_program);
    native->center_window();
}

void gallery_window::ask(int button_set)
{
    ui::MessagePopup popup;
    // Keys reach the popup only once it is the active window; tests wait for this line.
    ui::add_handler(&popup, this, ui::focus_gained, [this, button_set](const ui::event_info&) {
        log_.line("popup " + std::to_string(button_set) + " active");
    });
    popup.create_popup(this, set_names[button_set], popup_messages[button_set], button_set);
    log_.line("popup " + std::to_string(button_set) + " size " + std::to_string(popup.root.size.x) + "x" +
              std::to_string(popup.root.size.y));
    const int answer = popup.show_modal();
    log_.line("popup " + std::to_string(button_set) + " result " + std::to_string(answer));
    answer_label_.set_text("Last answer: " + std::to_string(answer) + " from the " + set_names[button_set] + " popup");
}

int gallery_window::run()
{
    log_.line("root " + std::to_string(root.size.x) + "x" + std::to_string(root.size.y));
    const int result = show_modal();
    log_.line("modal_result " + std::to_string(result));
    return result;
}

void gallery_window::paint_root()
{
    drawer->set_fill_color(root_color);
    drawer->fill_rect({{0, 0}, root.size});
    drawer->set_fill_color(marker_color);
    drawer->fill_rect({{0, 0}, {6, 6}});
}

} // namespace widget_gallery
