#pragma once

#include "lcsdk/ui/widget_themes.h"

namespace installer {

// The wizard's look: light grey Verdana text, a bold title and the aliased label styles.
lcsdk::ui::style_map wizard_styles();

} // namespace installer
