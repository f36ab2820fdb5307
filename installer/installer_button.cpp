#include "installer/installer_button.h"

#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/window.h"

#include <functional>

namespace installer {

namespace {

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
    lcsdk::ui::add_handler(this, this, lcsdk::ui::paint_event, std::bind(&InstallerButton::paint, this));
    lcsdk::ui::add_handler(this, this, lcsdk::ui::mouse_enter, std::bind(&InstallerButton::on_hover, this, true));
    lcsdk::ui::add_handler(this, this, lcsdk::ui::mouse_leave, std::bind(&InstallerButton::on_hover, this, false));
}

InstallerButton::~InstallerButton() = default;

void InstallerButton::set_text(std::string caption)
{
    text = std::move(caption);
    invalidate();
}

void InstallerButton::on_hover(bool entered)
{
    border_color = entered ? hover_border : resting_border;
    invalidate();
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
    drawer.set_line_color(border_color, 1.0f);
    drawer.draw_rect(whole);

    drawer.set_font("Tahoma", 11.0f, lcsdk::ui::font_weight_normal, lcsdk::ui::font_style_normal);
    drawer.set_text_alignment(lcsdk::ui::h_align_center, lcsdk::ui::v_align_center);
    drawer.set_text_color(active ? enabled_text : disabled_text);
    if (!text.empty())
        drawer.draw_text(whole, text);
}

} // namespace installer
