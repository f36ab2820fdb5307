#include "lcsdk/ui/native_drawer.h"

#include "lcsdk/ui/drawing_geometry.h"
#include "lcsdk/ui/native_bitmap.h"
#include "lcsdk/ui/widget.h"
#include "lcsdk/ui/win32/native_bitmap_impl.h"
#include "lcsdk/ui/win32/native_drawer_impl.h"
#include "lcsdk/ui/win32/native_window_impl.h"
#include "lcsdk/ui/win32/wide_text.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>

namespace lcsdk::ui {

using namespace win32;

namespace {

constexpr D2D1_COLOR_F opaque_black{0.0f, 0.0f, 0.0f, 1.0f};

constexpr D2D1_MATRIX_3X2_F translation(float x, float y) { return {1.0f, 0.0f, 0.0f, 1.0f, x, y}; }

constexpr D2D1_RECT_F rect_f(int left, int top, int right, int bottom)
{
    return {static_cast<float>(left), static_cast<float>(top), static_cast<float>(right), static_cast<float>(bottom)};
}

constexpr D2D1_POINT_2F point_f(int x, int y) { return {static_cast<float>(x), static_cast<float>(y)}; }

D2D1_COLOR_F to_d2d(color4f color) { return {color.r, color.g, color.b, color.a}; }

// Opaque black at the inner edge fading outward along a Gaussian-like curve in base 3; the last stop
// sits at 20/21 and the clamp repeats it beyond.
std::array<D2D1_GRADIENT_STOP, 21> shadow_stops()
{
    std::array<D2D1_GRADIENT_STOP, 21> stops{};
    for (int i = 0; i < 21; ++i) {
        const float m = 1.0f - 0.1f * static_cast<float>(i);
        const float alpha = powf(3.0f, -((m - 1.0f) * (m - 1.0f)) / (2.0f * 0.6f * 0.6f));
        stops[static_cast<std::size_t>(i)] = {static_cast<float>(i) / 21.0f, {0.0f, 0.0f, 0.0f, alpha}};
    }
    return stops;
}

DWRITE_TEXT_ALIGNMENT horizontal_alignment(int kind)
{
    switch (kind) {
    case h_align_left: return DWRITE_TEXT_ALIGNMENT_LEADING;
    case h_align_right: return DWRITE_TEXT_ALIGNMENT_TRAILING;
    default: return DWRITE_TEXT_ALIGNMENT_CENTER;
    }
}

DWRITE_PARAGRAPH_ALIGNMENT vertical_alignment(int kind)
{
    switch (kind) {
    case v_align_top: return DWRITE_PARAGRAPH_ALIGNMENT_NEAR;
    case v_align_bottom: return DWRITE_PARAGRAPH_ALIGNMENT_FAR;
    default: return DWRITE_PARAGRAPH_ALIGNMENT_CENTER;
    }
}

} // namespace

native_drawer::native_drawer(native_window& target) : impl_(std::make_unique<impl>())
{
    auto& d = *impl_;
    const native_window::impl& window_state = target.get_impl();
    d.window_handle = window_state.handle;
    d.dpi_x = static_cast<float>(window_state.dpi_x);
    d.dpi_y = static_cast<float>(window_state.dpi_y);

    throw_if_failed(D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, __uuidof(ID2D1Factory), nullptr,
                                      reinterpret_cast<void**>(&d.factory)),
                    "unable to create a d2d resource factory");
    d.create_render_target();

    throw_if_failed(DWriteCreateFactory(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                                        reinterpret_cast<IUnknown**>(&d.write_factory)),
                    "unable to create the write factory");
    throw_if_failed(d.write_factory->CreateTextFormat(L"Verdana", nullptr, DWRITE_FONT_WEIGHT_NORMAL,
                                                      DWRITE_FONT_STYLE_NORMAL, DWRITE_FONT_STRETCH_NORMAL, 12.0f,
                                                      L"en-us", &d.text_format),
                    "unable to initialize the d2d write factory");

    d.create_shadow_gradient();

    const D2D1_STROKE_STYLE_PROPERTIES dotted{D2D1_CAP_STYLE_FLAT, D2D1_CAP_STYLE_FLAT,   D2D1_CAP_STYLE_FLAT,
                                             D2D1_LINE_JOIN_MITER, 10.0f,                D2D1_DASH_STYLE_CUSTOM,
                                             0.0f};
    const std::array<float, 2> dashes{1.0f, 1.0f};
    throw_if_failed(d.factory->CreateStrokeStyle(&dotted, dashes.data(), static_cast<UINT32>(dashes.size()),
                                                 &d.dotted_stroke),
                    "unable to initialize the dotted stroke");
}

native_drawer::~native_drawer()
{
    auto& d = *impl_;
    if (!d.widget_stack.empty() && d.render_target) {
        for (std::size_t i = 0; i < d.widget_stack.size(); ++i) {
            d.render_target->PopAxisAlignedClip();
            d.render_target->PopAxisAlignedClip();
        }
        d.widget_stack.clear();
        d.render_target->EndDraw();
        EndPaint(d.window_handle, &d.paint_record);
    }
    // Bitmaps must not keep device bitmaps of a render target that is going away.
    d.discard_device_resources(*this);
    d.dotted_stroke = nullptr;
    d.text_format = nullptr;
    d.write_factory = nullptr;
    d.factory = nullptr;
}

void native_drawer::impl::create_render_target()
{
    RECT client{};
    GetClientRect(window_handle, &client);
    // The window's own DPI, so that every drawing unit below is a DIP wherever the window is.
    const D2D1_RENDER_TARGET_PROPERTIES target_properties{
        D2D1_RENDER_TARGET_TYPE_DEFAULT, {DXGI_FORMAT_UNKNOWN, D2D1_ALPHA_MODE_UNKNOWN}, dpi_x, dpi_y,
        D2D1_RENDER_TARGET_USAGE_NONE,   D2D1_FEATURE_LEVEL_DEFAULT};
    const D2D1_HWND_RENDER_TARGET_PROPERTIES window_properties{
        window_handle,
        {static_cast<UINT32>(client.right - client.left), static_cast<UINT32>(client.bottom - client.top)},
        D2D1_PRESENT_OPTIONS_NONE};
    throw_if_failed(factory->CreateHwndRenderTarget(target_properties, window_properties, &render_target),
                    "unable to create a d2d render target");
    ++device_generation;

    render_target->SetAntialiasMode(D2D1_ANTIALIAS_MODE_PER_PRIMITIVE);
    const char* const brush_failure = "unable to create one or more solid brushes";
    throw_if_failed(render_target->CreateSolidColorBrush(fill_color, &fill_brush), brush_failure);
    throw_if_failed(render_target->CreateSolidColorBrush(line_color, &line_brush), brush_failure);
    throw_if_failed(render_target->CreateSolidColorBrush(text_color, &text_brush), brush_failure);
    throw_if_failed(render_target->CreateSolidColorBrush(opaque_black, &shadow_brush), brush_failure);
    throw_if_failed(render_target->CreateSolidColorBrush(opaque_black, &markup_text_brush), brush_failure);
    throw_if_failed(render_target->CreateSolidColorBrush(opaque_black, &markup_range_brush), brush_failure);
}

void native_drawer::impl::create_shadow_gradient()
{
    const auto stops = shadow_stops();
    throw_if_failed(render_target->CreateGradientStopCollection(stops.data(), static_cast<UINT32>(stops.size()),
                                                                D2D1_GAMMA_2_2, D2D1_EXTEND_MODE_CLAMP,
                                                                &shadow_gradient),
                    "unable to initialize the shadow gradients");
}

void native_drawer::impl::ensure_device_resources()
{
    if (render_target)
        return;
    create_render_target();
    create_shadow_gradient();
    repaint_everything = false;
}

void native_drawer::impl::check_device_result(native_drawer& self, HRESULT result)
{
    if (injected_result) {
        result = *injected_result;
        injected_result.reset();
    }
    if (result != static_cast<HRESULT>(D2DERR_RECREATE_TARGET))
        return;
    discard_device_resources(self);
    repaint_everything = true;
    InvalidateRect(window_handle, nullptr, FALSE);
}

void native_drawer::impl::discard_device_resources(native_drawer& self)
{
    // Device bitmaps go first, while the render target they are filed under still exists.
    const auto bitmaps = registered_bitmaps;
    for (native_bitmap* bitmap : bitmaps)
        bitmap->get_impl().forget_drawer(self);
    registered_bitmaps.clear();
    fill_brush = nullptr;
    text_brush = nullptr;
    line_brush = nullptr;
    shadow_brush = nullptr;
    markup_text_brush = nullptr;
    markup_range_brush = nullptr;
    shadow_gradient = nullptr;
    render_target = nullptr;
}

void native_drawer::impl::set_dpi(float x, float y)
{
    dpi_x = x;
    dpi_y = y;
    if (render_target)
        render_target->SetDpi(x, y);
}

void native_drawer::impl::register_bitmap(native_bitmap& bitmap)
{
    if (std::find(registered_bitmaps.begin(), registered_bitmaps.end(), &bitmap) == registered_bitmaps.end())
        registered_bitmaps.push_back(&bitmap);
}

void native_drawer::impl::unregister_bitmap(const native_bitmap& bitmap)
{
    std::erase(registered_bitmaps, &bitmap);
}

bool native_drawer::draws(drawer_feature /*feature: Direct2D draws them all*/) const { return true; }

void native_drawer::set_fill_color(color4f color)
{
    auto& d = *impl_;
    d.fill_color = to_d2d(color);
    if (d.fill_brush)
        d.fill_brush->SetColor(d.fill_color);
}

void native_drawer::set_line_color(color4f color, float width)
{
    auto& d = *impl_;
    d.line_color = to_d2d(color);
    if (d.line_brush)
        d.line_brush->SetColor(d.line_color);
    d.line_width = width;
}

void native_drawer::set_line_style(int style) { impl_->line_style = style; }

void native_drawer::set_text_color(color4f color)
{
    auto& d = *impl_;
    d.text_color = to_d2d(color);
    if (d.text_brush)
        d.text_brush->SetColor(d.text_color);
}

void native_drawer::set_font(const std::string& family_utf8, float size, int weight_kind, int style_kind)
{
    auto& d = *impl_;
    d.font_family = utf8_to_wide(family_utf8);
    d.font_size = size;
    d.font_weight = weight_kind == font_weight_light  ? DWRITE_FONT_WEIGHT_LIGHT
                    : weight_kind == font_weight_bold ? DWRITE_FONT_WEIGHT_BOLD
                                                      : DWRITE_FONT_WEIGHT_NORMAL;
    d.font_style = style_kind == font_style_italic ? DWRITE_FONT_STYLE_ITALIC : DWRITE_FONT_STYLE_NORMAL;
}

void native_drawer::set_text_alignment(int horizontal_kind, int vertical_kind)
{
    auto& d = *impl_;
    d.text_format->SetTextAlignment(horizontal_alignment(horizontal_kind));
    d.text_format->SetParagraphAlignment(vertical_alignment(vertical_kind));
}

void native_drawer::begin_widget(const widget& target, rect_ltrb paint_rect)
{
    auto& d = *impl_;
    if (d.widget_stack.empty()) {
        d.origin = {0, 0};
        d.ensure_device_resources();
        BeginPaint(d.window_handle, &d.paint_record);
        d.render_target->BeginDraw();
    }
    d.widget_stack.push_back(&target);

    // Both clips are pushed in window coordinates: the widget's own bounds translated to its origin
    // are the same rectangle as {0, 0, width, height} under the translation, and Wine's Direct2D
    // leaves the translation of a clip unscaled when the DPI is not 96.
    const vec2i at = d.origin + target.position;
    d.render_target->SetTransform(translation(0.0f, 0.0f));
    d.render_target->PushAxisAlignedClip(rect_f(paint_rect.left, paint_rect.top, paint_rect.right, paint_rect.bottom),
                                         D2D1_ANTIALIAS_MODE_ALIASED);
    d.render_target->PushAxisAlignedClip(rect_f(at.x, at.y, at.x + target.size.x, at.y + target.size.y),
                                         D2D1_ANTIALIAS_MODE_ALIASED);
    d.render_target->SetTransform(translation(static_cast<float>(at.x), static_cast<float>(at.y)));
    d.origin = at;
}

void native_drawer::end_widget()
{
    auto& d = *impl_;
    if (d.widget_stack.empty())
        return;
    d.origin = d.origin - d.widget_stack.back()->position;
    d.render_target->PopAxisAlignedClip();
    d.render_target->PopAxisAlignedClip();
    d.widget_stack.pop_back();
    if (d.widget_stack.empty()) {
        // A lost device shows up here.
        const HRESULT result = d.render_target->EndDraw();
        EndPaint(d.window_handle, &d.paint_record);
        d.check_device_result(*this, result);
    }
}

void native_drawer::fill_rect(rect_i rect)
{
    auto& d = *impl_;
    d.render_target->FillRectangle(rect_f(rect.left(), rect.top(), rect.right(), rect.bottom()), d.fill_brush);
}

void native_drawer::draw_rect(rect_i rect)
{
    auto& d = *impl_;
    // Inset by half the width so the whole stroke lies inside the rectangle, on whole pixels.
    const float half = d.line_width / 2.0f;
    const D2D1_RECT_F outline{static_cast<float>(rect.left()) + half, static_cast<float>(rect.top()) + half,
                              static_cast<float>(rect.right()) - half, static_cast<float>(rect.bottom()) - half};
    d.render_target->SetAntialiasMode(D2D1_ANTIALIAS_MODE_ALIASED);
    d.render_target->DrawRectangle(outline, d.line_brush, d.line_width, d.current_stroke());
    d.render_target->SetAntialiasMode(D2D1_ANTIALIAS_MODE_PER_PRIMITIVE);
}

void native_drawer::draw_line(vec2i from, vec2i to)
{
    auto& d = *impl_;
    // Odd widths are centred on pixel centres, even widths on pixel edges.
    float whole = 0.0f;
    const float shift = modff(d.line_width / 2.0f, &whole);
    const D2D1_POINT_2F start{static_cast<float>(from.x) + shift, static_cast<float>(from.y) + shift};
    const D2D1_POINT_2F end{static_cast<float>(to.x) + shift, static_cast<float>(to.y) + shift};
    d.render_target->SetAntialiasMode(D2D1_ANTIALIAS_MODE_ALIASED);
    d.render_target->DrawLine(start, end, d.line_brush, d.line_width, d.current_stroke());
    d.render_target->SetAntialiasMode(D2D1_ANTIALIAS_MODE_PER_PRIMITIVE);
}

void native_drawer::draw_shadow(rect_i rect, vec2i offset, unsigned size)
{
    auto& d = *impl_;
    const shadow_geometry g = shadow_pieces(rect, offset, size);
    const float radius = static_cast<float>(g.radius);
    const auto area_f = [](rect_ltrb r) { return rect_f(r.left, r.top, r.right, r.bottom); };

    for (std::size_t i = 0; i < g.corners.size(); ++i) {
        const shadow_corner& corner = g.corners[i];
        ID2D1RadialGradientBrushPtr radial;
        const D2D1_RADIAL_GRADIENT_BRUSH_PROPERTIES round{point_f(corner.centre.x, corner.centre.y), {0.0f, 0.0f},
                                                          radius, radius};
        if (SUCCEEDED(d.render_target->CreateRadialGradientBrush(round, d.shadow_gradient, &radial)))
            d.render_target->FillRectangle(area_f(corner.area), radial);

        const shadow_band& band = g.bands[i];
        ID2D1LinearGradientBrushPtr linear;
        const D2D1_LINEAR_GRADIENT_BRUSH_PROPERTIES straight{point_f(band.opaque_end.x, band.opaque_end.y),
                                                             point_f(band.clear_end.x, band.clear_end.y)};
        if (SUCCEEDED(d.render_target->CreateLinearGradientBrush(straight, d.shadow_gradient, &linear)))
            d.render_target->FillRectangle(area_f(band.area), linear);
    }
    d.render_target->FillRectangle(area_f(g.core), d.shadow_brush);
}

void native_drawer::draw_image(vec2i destination, native_bitmap& bitmap, rect_i source_dips)
{
    // An image that never decoded (or was unloaded) has no pixels to show.
    if (!bitmap.is_loaded())
        return;
    auto& d = *impl_;
    ID2D1Bitmap* device = bitmap.get_impl().device_bitmap(bitmap, *this);
    const float scale = bitmap.scale();
    const D2D1_RECT_F target = rect_f(destination.x, destination.y, destination.x + source_dips.size.x,
                                      destination.y + source_dips.size.y);
    const D2D1_RECT_F source{static_cast<float>(source_dips.left()) * scale,
                             static_cast<float>(source_dips.top()) * scale,
                             static_cast<float>(source_dips.right()) * scale,
                             static_cast<float>(source_dips.bottom()) * scale};
    d.render_target->DrawBitmap(device, target, 1.0f, D2D1_BITMAP_INTERPOLATION_MODE_LINEAR, source);
}

void native_drawer::draw_image_fit(rect_i rect, native_bitmap& bitmap)
{
    if (!bitmap.is_loaded())
        return;
    const rect_i fitted = fit_image(rect, bitmap.dip_size());
    if (fitted.size.x <= 0 || fitted.size.y <= 0)
        return;
    ID2D1Bitmap* device = bitmap.get_impl().device_bitmap(bitmap, *this);
    impl_->render_target->DrawBitmap(device, rect_f(fitted.left(), fitted.top(), fitted.right(), fitted.bottom()), 1.0f,
                                     D2D1_BITMAP_INTERPOLATION_MODE_LINEAR);
}

namespace {

// A layout of the text with the drawer's font over the whole text; null when DirectWrite refuses it.
IDWriteTextLayoutPtr make_layout(const native_drawer::impl& d, const std::wstring& text, float max_width,
                                 float max_height)
{
    IDWriteTextLayoutPtr layout;
    if (FAILED(d.write_factory->CreateTextLayout(text.c_str(), static_cast<UINT32>(text.size()), d.text_format,
                                                 max_width, max_height, &layout)))
        return nullptr;
    return layout;
}

void apply_font(const native_drawer::impl& d, IDWriteTextLayoutPtr& layout, UINT32 length)
{
    const DWRITE_TEXT_RANGE whole{0, length};
    layout->SetFontWeight(static_cast<DWRITE_FONT_WEIGHT>(d.font_weight), whole);
    layout->SetFontStyle(static_cast<DWRITE_FONT_STYLE>(d.font_style), whole);
    layout->SetFontFamilyName(d.font_family.c_str(), whole);
    layout->SetFontSize(d.font_size, whole);
}

} // namespace

void native_drawer::draw_text(rect_i rect, const std::string& text_utf8)
{
    auto& d = *impl_;
    const std::wstring text = utf8_to_wide(text_utf8);
    IDWriteTextLayoutPtr layout =
        make_layout(d, text, static_cast<float>(rect.size.x), static_cast<float>(rect.size.y));
    if (!layout)
        return;
    apply_font(d, layout, static_cast<UINT32>(text.size()));
    d.render_target->DrawTextLayout(point_f(rect.position.x, rect.position.y), layout, d.text_brush,
                                    D2D1_DRAW_TEXT_OPTIONS_NONE);
}

vec2i native_drawer::measure_text(const std::string& text_utf8, vec2i limit)
{
    auto& d = *impl_;
    const std::wstring text = utf8_to_wide(text_utf8);
    const auto box = text_limit(limit);
    const auto dips = [](std::optional<int> extent) { return extent ? static_cast<float>(*extent) : FLT_MAX; };
    const float max_width = dips(box.width);
    const float max_height = dips(box.height);
    // A missing layout is not checked here: the smart pointer raises _com_error(E_POINTER).
    IDWriteTextLayoutPtr layout = make_layout(d, text, max_width, max_height);
    apply_font(d, layout, static_cast<UINT32>(text.size()));
    DWRITE_TEXT_METRICS metrics{};
    layout->GetMetrics(&metrics);
    return {static_cast<int>(metrics.widthIncludingTrailingWhitespace + 1.0f), static_cast<int>(metrics.height + 1.0f)};
}

void native_drawer::resize(vec2i pixel_size)
{
    auto& d = *impl_;
    // Without a render target (the device was lost) the next one is made at the new size.
    if (!d.render_target)
        return;
    const HRESULT result =
        d.render_target->Resize(D2D1_SIZE_U{static_cast<UINT32>(pixel_size.x), static_cast<UINT32>(pixel_size.y)});
    d.check_device_result(*this, result);
}

} // namespace lcsdk::ui
