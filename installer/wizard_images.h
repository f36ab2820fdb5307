#pragma once

#include "installer_images.h"
#include "lcsdk/ui/widget_themes.h"

namespace installer::images {

// The wizard's left-hand picture, 160 x 310.
inline lcsdk::ui::image_ref wizard_banner_image() { return {wizard_banner_png, wizard_banner_png_size, 1, 1.0f}; }

} // namespace installer::images
