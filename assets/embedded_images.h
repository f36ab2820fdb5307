#pragma once

#include "lcsdk/ui/widget_themes.h"
#include "lcsdk_assets.h"

// Every embedded picture as an image_ref: the bytes with their frame count, all at scale 1.0.
namespace lcsdk::assets {

inline ui::image_ref embedded_image(const unsigned char* data, std::size_t size, std::int32_t frames = 1)
{
    return {data, size, frames, 1.0f};
}

// Left-hand picture of the installer wizard.
inline ui::image_ref wizard_banner_image() { return embedded_image(wizard_banner_png, wizard_banner_png_size); }
// Scroll bar buttons: the up arrow fills the top 8 x 4 half, the down arrow the bottom half.
inline ui::image_ref scroll_arrow_image() { return embedded_image(scroll_arrow_png, scroll_arrow_png_size); }

// Pictures behind theme entries.
// Two 14 x 14 frames stacked vertically: unchecked, checked.
inline ui::image_ref checkbox_image() { return embedded_image(checkbox_png, checkbox_png_size, 2); }
inline ui::image_ref dropdown_arrow_image() { return embedded_image(dropdown_arrow_png, dropdown_arrow_png_size); }
inline ui::image_ref browser_folder_image() { return embedded_image(browser_folder_png, browser_folder_png_size); }
inline ui::image_ref browser_pack_image() { return embedded_image(browser_pack_png, browser_pack_png_size); }
inline ui::image_ref browser_virtual_image() { return embedded_image(browser_virtual_png, browser_virtual_png_size); }
inline ui::image_ref multiwindow_button_image()
{
    return embedded_image(multiwindow_button_png, multiwindow_button_png_size);
}

} // namespace lcsdk::assets
