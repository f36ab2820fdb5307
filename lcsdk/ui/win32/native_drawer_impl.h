#pragma once

#include "lcsdk/ui/geometry.h"
#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/win32/com_support.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lcsdk::ui {

// Direct2D and DirectWrite state of one window's drawer. Bitmaps reach the render target through
// it, and register here when they create a device bitmap for this drawer.
//
// The render target and everything made from it (brushes, the shadow gradient, device bitmaps)
// belong to one graphics device. When the device is lost (a driver update, a GPU reset or switch,
// some remote-desktop reconnects) Direct2D answers D2DERR_RECREATE_TARGET; they are then dropped
// together and made again for the next paint. The factories, the text format and the stroke style
// do not depend on the device and live as long as the drawer.
struct native_drawer::impl {
    HWND window_handle = nullptr;
    win32::ID2D1HwndRenderTargetPtr render_target;
    win32::ID2D1FactoryPtr factory;
    win32::IDWriteFactoryPtr write_factory;
    win32::ID2D1SolidColorBrushPtr fill_brush;
    win32::ID2D1SolidColorBrushPtr text_brush;
    win32::ID2D1SolidColorBrushPtr line_brush;
    win32::ID2D1SolidColorBrushPtr shadow_brush;
    win32::ID2D1GradientStopCollectionPtr shadow_gradient;
    win32::ID2D1StrokeStylePtr dotted_stroke;
    win32::IDWriteTextFormatPtr text_format;
    win32::ID2D1SolidColorBrushPtr markup_text_brush;
    win32::ID2D1SolidColorBrushPtr markup_range_brush;
    PAINTSTRUCT paint_record{};
    int font_weight = DWRITE_FONT_WEIGHT_NORMAL;
    int font_style = DWRITE_FONT_STYLE_NORMAL;
    std::wstring font_family;
    float font_size = 12.0f;
    float line_width = 1.0f;
    int line_style = 0;
    std::vector<const widget*> widget_stack;
    vec2i origin;
    std::vector<native_bitmap*> registered_bitmaps;

    // The window's DPI, which the render target draws at; changed when the window moves to a
    // monitor with another scale.
    float dpi_x = 96.0f;
    float dpi_y = 96.0f;
    // The colours the brushes carry, kept so that brushes made again after a lost device match.
    D2D1_COLOR_F fill_color{0.0f, 0.0f, 0.0f, 1.0f};
    D2D1_COLOR_F line_color{1.0f, 1.0f, 1.0f, 1.0f};
    D2D1_COLOR_F text_color{1.0f, 1.0f, 1.0f, 1.0f};
    // Counts the render targets made so far, so that what was made for an earlier one (the brushes
    // of markup text layouts) can tell that it is stale.
    std::uint32_t device_generation = 0;
    // Set when the device resources were dropped; the window paints everything again once the
    // paint message that found them lost has been handled.
    bool repaint_everything = false;
    // For white-box tests: the next EndDraw or Resize reports this result instead of its own.
    std::optional<HRESULT> injected_result;

    // The stroke of draw_rect and draw_line: dotted for line style 1, solid otherwise.
    ID2D1StrokeStyle* current_stroke() const { return line_style == 1 ? dotted_stroke.GetInterfacePtr() : nullptr; }
    void register_bitmap(native_bitmap& bitmap);
    void unregister_bitmap(const native_bitmap& bitmap);

    // The render target at the window's client size and DPI, and its brushes.
    void create_render_target();
    // The gradient of draw_shadow, on the render target.
    void create_shadow_gradient();
    // Everything the render target makes, when a lost device dropped it.
    void ensure_device_resources();
    // Looks at the result of EndDraw or Resize: a lost device drops the render target and all that
    // was made from it, and asks for a paint of the whole window.
    void check_device_result(native_drawer& self, HRESULT result);
    void discard_device_resources(native_drawer& self);
    void set_dpi(float x, float y);
};

} // namespace lcsdk::ui
