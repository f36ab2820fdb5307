#include "lcsdk/ui/message_popup.h"

#include "lcsdk/ui/accessibility.h"
#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/native_platform.h"
#include "lcsdk/ui/native_window.h"

#include <algorithm>
#include <cassert>
#include <functional>

namespace lcsdk::ui {

using namespace std::placeholders;

namespace {

constexpr color4f popup_back_color{0.2313f, 0.2313f, 0.2549f, 1.0f};
constexpr color4f message_color{0.882f, 0.882f, 0.882f, 1.0f};
constexpr const char* message_font = "Tahoma";
constexpr float message_font_size = 12.0f;

void apply_message_font(native_drawer& drawer)
{
    drawer.set_font(message_font, message_font_size, font_weight_normal, font_style_normal);
}

} // namespace

MessagePopup::MessagePopup() : first_button(false), second_button(false) {}

// Members go before the window part, in the reverse order of their declaration: check box,
// second button, first button.
MessagePopup::~MessagePopup() = default;

void MessagePopup::create_popup(window* owner_window, const std::string& title, std::string text, int button_set_kind)
{
    assert(button_set_kind >= buttons_ok && button_set_kind <= buttons_yes_no && "Unknown button set");
    create(title, {{0, 0}, {400, 200}}, 0, owner_window);
    message = std::move(text);
    buttons = button_set_kind;

    root.set_back_color(popup_back_color);
    add_handler(&root, this, paint_event, std::bind(&MessagePopup::paint, this));
    add_handler(&root, this, accessibility_describe, std::bind(&MessagePopup::on_describe, this, _1));
    add_handler(this, this, key_down, std::bind(&MessagePopup::on_key_down, this, _1));

    // The "do not show again" row exists but stays hidden and takes no room (check_height is 0).
    check.create(root, {{20, 50}, {320, 20}});
    check.set_text("Do not show this again");
    check.set_checked(false);
    check.set_placement(0, 5);
    check.set_visible(false);

    text_rect = {{20, 20}, {360, 20}};

    const rect_i left_place{{170, 150}, {100, 30}};
    const rect_i right_place{{280, 150}, {100, 30}};
    if (buttons == buttons_ok_cancel || buttons == buttons_yes_no) {
        first_button.create(root, left_place);
        first_button.set_text(buttons == buttons_yes_no ? "Yes" : "OK");
        second_button.create(root, right_place);
        second_button.set_text(buttons == buttons_yes_no ? "No" : "Cancel");
        add_handler(&first_button, this, button_clicked, std::bind(&MessagePopup::on_click, this, _1));
        add_handler(&second_button, this, button_clicked, std::bind(&MessagePopup::on_click, this, _1));
    } else if (buttons == buttons_ok) {
        first_button.create(root, right_place);
        first_button.set_text("OK");
        add_handler(&first_button, this, button_clicked, std::bind(&MessagePopup::on_click, this, _1));
    }

    if (first_button.created)
        set_focus(&first_button, focus_by_program);
    layout();
}

void MessagePopup::layout()
{
    if (!drawer)
        return;
    const int min_width = 3 * button_size.x + 2 * gap + 2 * margin;
    const vec2i measured = measure_message({0, 0});
    const int width = std::max(min_width, measured.x + 2 * margin);
    const int height = measured.y + 2 * margin + 2 * gap + check_height + button_size.y;

    native->set_window_rect({root.position, {width, height}});
    text_rect = {{margin, margin}, {width - 2 * margin, measured.y}};
    check.set_rect({{margin, margin + gap + measured.y}, {width, check_height}});

    const int bw = button_size.x;
    const int bh = button_size.y;
    const int button_y = height - bh - margin;
    if (buttons == buttons_ok_cancel || buttons == buttons_yes_no) {
        first_button.set_rect({{width - 2 * bw - margin - gap, button_y}, {bw, bh}});
        second_button.set_rect({{width - bw - margin, button_y}, {bw, bh}});
    } else if (buttons == buttons_ok) {
        first_button.set_rect({{width - bw - margin, button_y}, {bw, bh}});
    }
    native->center_window();
}

vec2i MessagePopup::measure_message(vec2i limit)
{
    if (!drawer || message.empty())
        return {};
    apply_message_font(*drawer);
    drawer->set_text_alignment(h_align_left, v_align_top);
    return drawer->measure_text(message, limit);
}

void MessagePopup::paint()
{
    drawer->set_fill_color(get_color(root.theme, "default_back_color"));
    drawer->fill_rect({{0, 0}, root.size});
    drawer->set_text_color(message_color);
    apply_message_font(*drawer);
    drawer->set_text_alignment(text_align, v_align_top);
    if (!message.empty())
        drawer->draw_text(text_rect, message);
}

// The message is drawn by the window itself: a reader finds it as a text of the window.
void MessagePopup::on_describe(const event_info& info)
{
    if (!message.empty())
        accessibility::described(info).parts.push_back(
            {accessibility::role::static_text, message, text_rect, accessibility::action::none});
}

// Keys reach the window after the focused button, which takes Enter; Escape is the window's.
void MessagePopup::on_key_down(const event_info& info)
{
    if (key_of(info.param) == key::escape)
        end_modal(0);
}

void MessagePopup::on_click(const event_info& info)
{
    if (info.sender == &first_button)
        end_modal(1);
    else if (info.sender == &second_button)
        end_modal(0);
}

} // namespace lcsdk::ui
