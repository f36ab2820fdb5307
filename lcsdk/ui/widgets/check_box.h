#pragma once

#include "lcsdk/ui/event_bus.h"
#include "lcsdk/ui/native_bitmap.h"
#include "lcsdk/ui/widget.h"

#include <string>

namespace lcsdk::ui {

// A two-state box drawn from the "checkbox_image" strip (frames: unchecked, checked, and with
// four frames their hovered looks) with a one-line text beside it. Its state can mirror a
// caller's bool; until one is bound the check box stays disabled. Raises event 27 on a toggle.
class CheckBox : public widget {
public:
    CheckBox();
    ~CheckBox() override;

    void bind_value(bool* value);
    // Eight arrangements of box and text: 0-3 box first (left, flush right, centred, spread),
    // 4-7 text first in the same four ways. Other values keep the current positions.
    void set_placement(int new_placement, int new_spacing);
    void set_text(std::string new_text);
    // Sets the state without raising event 27, writing the bound value too.
    void set_checked(bool value);

    std::string text;
    bool checked = false;
    rect_i box_rect;
    rect_i text_rect;
    int spacing = 5;
    bool hovered = false;
    vec2i box_size;
    int placement = 0;
    bool* bound_value = nullptr;
    native_bitmap image;

protected:
    virtual void draw();

private:
    void on_created();
    void toggle();
    void on_mouse_up();
    void on_hover(bool entered);
    void on_focus_changed(bool gained);
    void on_key_up(const event_info& info);
    void on_style_changed(const event_info& info);
    void on_describe(const event_info& info);
    void on_request(const event_info& info);
};

} // namespace lcsdk::ui
