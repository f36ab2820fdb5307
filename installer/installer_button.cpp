#include "installer/installer_button.h"

#include "lcsdk/ui/accessibility.h"
#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/native_platform.h"
#include "lcsdk/ui/window.h"

#include <functional>

namespace installer {

namespace {

using namespace std::placeholders;
using lcsdk::ui::color4f;

constexpr color4f resting_border{0.4f, 0.4f, 0.4f, 1.0f};
constexpr color4f hover_border{0.6f, 0.6f, 0.6f, 1.0f};
constexpr color4f enabled_face{0.212f, 0.212f, 0.212f, 1.0f};
constexpr color4f enabled_text{0.831f, 0.831f, 0.831f, 1.0f};
constexpr color4f disabled_face{0.157f, 0.157f, 0.157f, 1.0f};
constexpr color4f disabled_text{0.831f, 0.831f, 0.831f, 0.5f};

} // namespace

InstallerButton::InstallerButton()
{
    set_name("InstallerButton");
    focusable = true;
    lcsdk::ui::add_handler(this, this, lcsdk::ui::paint_event, std::bind(&InstallerButton::paint, this));
    lcsdk::ui::add_handler(this, this, lcsdk::ui::mouse_enter, std::bind(&InstallerButton::on_hover, this, true));
    lcsdk::ui::add_handler(this, this, lcsdk::ui::mouse_leave, std::bind(&InstallerButton::on_hover, this, false));
    lcsdk::ui::add_handler(this, this, lcsdk::ui::focus_gained, std::bind(&InstallerButton::invalidate, this));
    lcsdk::ui::add_handler(this, this, lcsdk::ui::focus_lost, std::bind(&InstallerButton::invalidate, this));
    lcsdk::ui::add_handler(this, this, lcsdk::ui::key_down, std::bind(&InstallerButton::on_key, this, _1, true));
    lcsdk::ui::add_handler(this, this, lcsdk::ui::key_up, std::bind(&InstallerButton::on_key, this, _1, false));
    lcsdk::ui::add_handler(this, this, lcsdk::ui::accessibility_describe,
                           std::bind(&InstallerButton::on_describe, this, _1));
    lcsdk::ui::add_handler(this, this, lcsdk::ui::accessibility_request,
                           std::bind(&InstallerButton::on_request, this, _1));
}

InstallerButton::~InstallerButton() = default;

void InstallerButton::set_text(std::string caption)
{
    text = std::move(caption);
    invalidate();
    lcsdk::ui::accessibility::announce_content_changed(*this);
}

void InstallerButton::on_hover(bool entered)
{
    border_color = entered ? hover_border : resting_border;
    invalidate();
}

// Enter presses on the way down, the space bar on the way up, as with the system's buttons: a
// held space bar does not repeat.
void InstallerButton::on_key(const lcsdk::ui::event_info& info, bool down)
{
    const lcsdk::ui::key pressed = lcsdk::ui::key_of(info.param);
    if (pressed == (down ? lcsdk::ui::key::enter : lcsdk::ui::key::space))
        lcsdk::ui::dispatch(this, lcsdk::ui::button_clicked, 0);
}

void InstallerButton::on_describe(const lcsdk::ui::event_info& info)
{
    lcsdk::ui::accessibility::description& said = lcsdk::ui::accessibility::described(info);
    said.kind = lcsdk::ui::accessibility::role::button;
    said.name = text;
    said.default_action = lcsdk::ui::accessibility::action::press;
}

void InstallerButton::on_request(const lcsdk::ui::event_info& info)
{
    lcsdk::ui::accessibility::request& asked = lcsdk::ui::accessibility::requested(info);
    if (asked.part != 0 || asked.what != lcsdk::ui::accessibility::action::press)
        return;
    asked.done = true;
    lcsdk::ui::dispatch(this, lcsdk::ui::button_clicked, 0);
}

// Only for keyboard users: a mouse click that focuses the button leaves its look unchanged.
bool InstallerButton::shows_focus() const
{
    return top_window != nullptr && top_window->routing().focus_visible() && top_window->routing().is_focused(*this);
}

void InstallerButton::paint()
{
    if (top_window == nullptr || !top_window->drawer)
        return;
    lcsdk::ui::native_drawer& drawer = *top_window->drawer;

    const bool active = is_enabled();
    // A button disabled under the mouse gets no leave event until the mouse moves, so its border
    // is reset here.
    if (!active)
        border_color = resting_border;
    const lcsdk::ui::rect_i whole{{0, 0}, size};
    drawer.set_fill_color(active ? enabled_face : disabled_face);
    drawer.fill_rect(whole);
    // The line style is whatever the widget painted before left behind (a focused check box leaves
    // it dotted), so it is set every time.
    if (shows_focus()) {
        drawer.set_line_style(1);
        drawer.set_line_color(lcsdk::ui::get_color(theme, "button_border_color_focus"), 1.0f);
    } else {
        drawer.set_line_style(0);
        drawer.set_line_color(border_color, 1.0f);
    }
    drawer.draw_rect(whole);

    drawer.set_font("Tahoma", 11.0f, lcsdk::ui::font_weight_normal, lcsdk::ui::font_style_normal);
    drawer.set_text_alignment(lcsdk::ui::h_align_center, lcsdk::ui::v_align_center);
    drawer.set_text_color(active ? enabled_text : disabled_text);
    if (!text.empty())
        drawer.draw_text(whole, text);
}

} // namespace installer
