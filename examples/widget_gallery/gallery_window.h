#pragma once

#include "event_log.h"

#include "lcsdk/ui/widgets/check_box.h"
#include "lcsdk/ui/widgets/generic_button.h"
#include "lcsdk/ui/widgets/generic_panel.h"
#include "lcsdk/ui/widgets/markup_text.h"
#include "lcsdk/ui/widgets/scroll_bar.h"
#include "lcsdk/ui/widgets/text_label.h"
#include "lcsdk/ui/window.h"

#include <array>
#include <memory>
#include <string>

namespace widget_gallery {

// The gallery window. Layout in DIPs of the client area:
//   buttons         y 44:  normal (16), toggle (126, toggled), disabled (236), focused (346); 100 x 30
//   check boxes     x 16:  bound flag (y 90), checked (116), not bound (142); 220 x 20
//                   x 250: placements 1, 4, 7 at y 90, 116, 142; 200 x 20
//   labels          x 16:  flag status (168), plain (196), right aligned (216), disabled (236), markup (258, 300 x 40)
//   scrolled panel  viewport (340, 196, 200 x 150), content 200 x 420, vertical bar (540, 196, 16 x 150)
//   popup buttons   y 310: OK (16), OK / Cancel (121), Yes / No (226); 100 x 30
//   answer label    (16, 350)
class gallery_window : public lcsdk::ui::window {
public:
    explicit gallery_window(examples::event_log& log);
    ~gallery_window() override;

    int run();

private:
    void build();
    void paint_root();
    void ask(int button_set);

    examples::event_log& log_;
    bool flag_ = false;
    bool checked_ = true;
    bool unused_ = false;
    lcsdk::ui::markup_text markup_;

    lcsdk::ui::TextLabel title_;
    lcsdk::ui::GenericButton normal_;
    lcsdk::ui::GenericButton toggle_{true};
    lcsdk::ui::GenericButton disabled_;
    lcsdk::ui::GenericButton focused_;
    lcsdk::ui::CheckBox flag_box_;
    lcsdk::ui::CheckBox checked_box_;
    lcsdk::ui::CheckBox unbound_box_;
    std::array<lcsdk::ui::CheckBox, 3> placement_boxes_;
    lcsdk::ui::TextLabel flag_label_;
    lcsdk::ui::TextLabel plain_label_;
    lcsdk::ui::TextLabel right_label_;
    lcsdk::ui::TextLabel disabled_label_;
    lcsdk::ui::TextLabel markup_label_;
    lcsdk::ui::GenericPanel viewport_;
    lcsdk::ui::GenericPanel content_;
    std::array<lcsdk::ui::TextLabel, 14> rows_;
    lcsdk::ui::ScrollBar scroll_bar_{lcsdk::ui::ScrollBar::vertical, true};
    std::array<lcsdk::ui::GenericButton, 3> popup_buttons_;
    lcsdk::ui::TextLabel answer_label_;
};

} // namespace widget_gallery
