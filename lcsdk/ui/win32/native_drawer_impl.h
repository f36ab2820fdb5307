#pragma once

#include "lcsdk/ui/geometry.h"
#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/win32/com_support.h"

#include <string>
#include <vector>

namespace lcsdk::ui {

// Direct2D and DirectWrite state of one window's drawer. Bitmaps reach the render target through
// it, and register here when they create a device bitmap for this drawer.
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

    // The stroke of draw_rect and draw_line: dotted for line style 1, solid otherwise.
    ID2D1StrokeStyle* current_stroke() const { return line_style == 1 ? dotted_stroke.GetInterfacePtr() : nullptr; }
    void register_bitmap(native_bitmap& bitmap);
    void unregister_bitmap(const native_bitmap& bitmap);
};

} // namespace lcsdk::ui
