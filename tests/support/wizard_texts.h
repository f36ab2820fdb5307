#pragma once

// Every text the wizard can show, measured by its window's drawer against the box it is drawn in:
// with a platform's own fonts and text engine, whether any line of the wizard is cut off there.

#include "installer/installer_ui.h"
#include "lcsdk/ui/geometry.h"

#include <string>
#include <vector>

namespace installer::testing {

struct placed_text {
    std::string place; // the label or question, and which of its texts
    lcsdk::ui::vec2i box;    // the room the text is drawn in
    lcsdk::ui::vec2i needed; // what the drawer measures for it, wrapped at the box's width

    bool fits() const { return needed.x <= box.x && needed.y <= box.y; }
};

// Puts each text of each page into its label of `wizard` (just built and not shown; every version
// offered, with long folders) and each question of the wizard into a popup over it, and measures
// them. The wizard's labels keep the last texts, so it is of no further use.
std::vector<placed_text> walk_wizard_texts(InstallerUI& wizard);

// One line per text, "cut" before those that do not fit.
std::string describe(const std::vector<placed_text>& texts);

} // namespace installer::testing
