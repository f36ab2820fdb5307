#pragma once

#include "lcsdk/ui/widget.h"

#include <string>

namespace installer {

// The wizard's flat push button: a face, a one-pixel border that lightens under the mouse, and a
// centred caption. Not focusable; the wizard acts on its mouse-button-released event.
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
};

} // namespace installer
