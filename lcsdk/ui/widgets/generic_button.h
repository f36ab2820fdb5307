#pragma once

#include "lcsdk/ui/event_bus.h"
#include "lcsdk/ui/native_bitmap.h"
#include "lcsdk/ui/widget.h"

#include <string>

namespace lcsdk::ui {

// Push button with a centred caption and an optional background image strip (frames: normal,
// hover or toggled, disabled, pressed). Raises event 28 on a left release or Enter.
class GenericButton : public widget {
public:
    explicit GenericButton(bool toggle_mode_on = false);
    ~GenericButton() override;

    void set_text(std::string caption);

    std::string text;
    bool hovered = false;
    bool toggled = false;
    bool pressed = false;
    bool toggle_mode = false;
    native_bitmap back_image;
    rect_i image_rect;

protected:
    virtual void draw();

private:
    void on_mouse_enter();
    void on_mouse_leave();
    void on_focus_changed(bool gained);
    void on_mouse_down();
    void on_mouse_up(const event_info& info);
    void on_key_down(const event_info& info);
    void activate_by_key();
    void on_describe(const event_info& info);
    void on_request(const event_info& info);
    void on_style_changed(const event_info& info);
    void draw_back_image();
};

} // namespace lcsdk::ui
