#pragma once

#include "lcsdk/ui/widget.h"

#include <string>

namespace installer {

// The wizard's flat push button: a face, a one-pixel border that lightens under the mouse, and a
// centred caption. It takes the keyboard focus by Tab, shows it with a dotted border while the
// keyboard is in use, and raises event 28 when Enter or the space bar presses it or assistive
// technology does; the mouse leaves it to its owner, who acts on its mouse-button-released event.
class InstallerButton : public lcsdk::ui::widget {
public:
    InstallerButton();
    ~InstallerButton() override;

    void set_text(std::string caption);

    std::string text;
    lcsdk::ui::color4f border_color{0.4f, 0.4f, 0.4f, 1.0f};

private:
    void paint();
    void on_hover(bool entered);
    void on_key(const lcsdk::ui::event_info& info, bool down);
    void on_describe(const lcsdk::ui::event_info& info);
    void on_request(const lcsdk::ui::event_info& info);
    bool shows_focus() const;
};

} // namespace installer
