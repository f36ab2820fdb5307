#pragma once

#include "lcsdk/ui/widgets/check_box.h"
#include "lcsdk/ui/widgets/generic_button.h"
#include "lcsdk/ui/window.h"

#include <string>

namespace lcsdk::ui {

// The toolkit's modal message box: a title, a message and one or two answer buttons, shown over
// an owner window. show_modal returns 1 for the first button, 0 for the second or when closed;
// Escape answers 0 as well, the answer that cancels.
class MessagePopup : public window {
public:
    enum button_set : int { buttons_ok = 0, buttons_ok_cancel = 1, buttons_yes_no = 2 };

    MessagePopup();
    ~MessagePopup() override;

    void create_popup(window* owner_window, const std::string& title, std::string text, int button_set_kind);
    // Sizes the window to the message, places text and buttons, and centres it over the owner.
    void layout();
    // The size the message needs in its font within `limit` (0: no limit in that direction), as the
    // drawer measures it; (0, 0) for an empty message or before the popup is created.
    vec2i measure_message(vec2i limit);

    GenericButton first_button;
    GenericButton second_button;
    CheckBox check;
    vec2i button_size{100, 30};
    int check_height = 0;
    int margin = 20;
    int gap = 10;
    rect_i text_rect;
    // Kept as a copy so a caller's temporary text cannot dangle while the popup runs.
    std::string message;
    int text_align = h_align_left;
    int buttons = buttons_ok;

private:
    void paint();
    void on_click(const event_info& info);
    void on_key_down(const event_info& info);
    void on_describe(const event_info& info);
};

} // namespace lcsdk::ui
