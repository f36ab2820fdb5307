#pragma once

#include "lcsdk/ui/widget_themes.h"
#include "lcsdk_ui_images.h"

// The toolkit's own pictures as image_refs: the embedded bytes with their frame count, at scale 1.0.
namespace lcsdk::ui::images {

inline image_ref embedded_image(const unsigned char* data, std::size_t size, std::int32_t frames = 1)
{
    return {data, size, frames, 1.0f};
}

// Scroll bar buttons: the up arrow fills the top 8 x 4 half, the down arrow the bottom half.
inline image_ref scroll_arrow_image() { return embedded_image(scroll_arrow_png, scroll_arrow_png_size); }

// Pictures behind theme entries.
// Two 14 x 14 frames stacked vertically: unchecked, checked.
inline image_ref checkbox_image() { return embedded_image(checkbox_png, checkbox_png_size, 2); }
inline image_ref dropdown_arrow_image() { return embedded_image(dropdown_arrow_png, dropdown_arrow_png_size); }
inline image_ref browser_folder_image() { return embedded_image(browser_folder_png, browser_folder_png_size); }
inline image_ref browser_pack_image() { return embedded_image(browser_pack_png, browser_pack_png_size); }
inline image_ref browser_virtual_image() { return embedded_image(browser_virtual_png, browser_virtual_png_size); }
inline image_ref multiwindow_button_image() { return embedded_image(multiwindow_button_png, multiwindow_button_png_size); }

} // namespace lcsdk::ui::images
