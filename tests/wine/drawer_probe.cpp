// Draws every drawer primitive at a known place so that a screenshot can be checked pixel by pixel,
// and writes the results of the checks that need no screen to a text file:
//   drawer_probe.exe <results file>
// The file appears (complete) once the first paint has reached the screen; the probe then keeps its
// window open until it is closed or killed.
#include "installer/wizard_images.h"
#include "lcsdk/ui/native_bitmap.h"
#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/toolkit_images.h"
#include "lcsdk/ui/widget.h"
#include "lcsdk/ui/win32/com_support.h"
#include "lcsdk/ui/win32/native_bitmap_impl.h"
#include "lcsdk/ui/win32/native_drawer_impl.h"
#include "lcsdk/ui/win32/native_window_impl.h"
#include "lcsdk/ui/window.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace ui = lcsdk::ui;
namespace win32 = lcsdk::ui::win32;

namespace {

constexpr ui::color4f white{1, 1, 1, 1};
constexpr ui::color4f black{0, 0, 0, 1};
constexpr ui::color4f red{1, 0, 0, 1};
constexpr ui::color4f green{0, 1, 0, 1};
constexpr ui::color4f blue{0, 0, 1, 1};
constexpr ui::color4f yellow{1, 1, 0, 1};
constexpr ui::color4f cyan{0, 1, 1, 1};
constexpr ui::color4f magenta{1, 0, 1, 1};

std::string hex(HRESULT value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lx", static_cast<unsigned long>(value));
    return text;
}

std::string size_text(ui::vec2i size) { return std::to_string(size.x) + "x" + std::to_string(size.y); }

// A widget that paints itself with a caller-supplied function.
class painted_widget : public ui::widget {
public:
    template <typename Paint>
    void on_paint(Paint paint)
    {
        ui::add_handler(this, this, ui::paint_event, [this, paint](const ui::event_info&) {
            paint(*top_window->drawer);
        });
    }
};

struct text_box {
    ui::rect_i rect;
    const char* family;
    int weight;
    int style;
    int h_align;
    int v_align;
};

// Left/top, right/bottom and centre/centre boxes; the checker finds ink only where the alignment puts it.
constexpr text_box text_boxes[] = {
    {{{130, 200}, {150, 40}}, "Verdana", ui::font_weight_normal, ui::font_style_normal, ui::h_align_left, ui::v_align_top},
    {{{130, 250}, {150, 40}}, "tahoma", ui::font_weight_bold, ui::font_style_normal, ui::h_align_right, ui::v_align_bottom},
    {{{130, 300}, {150, 40}}, "Verdana", ui::font_weight_normal, ui::font_style_italic, ui::h_align_center, ui::v_align_center},
    {{{130, 350}, {150, 40}}, "Verdana", ui::font_weight_bold, ui::font_style_normal, ui::h_align_center, ui::v_align_top},
};

void paint_root(ui::native_drawer& drawer, ui::native_bitmap& checkbox, ui::native_bitmap& banner)
{
    drawer.set_fill_color(white);
    drawer.fill_rect({{0, 0}, {480, 400}});

    drawer.set_fill_color(red);
    drawer.fill_rect({{10, 10}, {40, 20}});

    drawer.set_line_style(0);
    drawer.set_line_color(blue, 1.0f);
    drawer.draw_rect({{10, 40}, {40, 20}});
    drawer.set_line_color(green, 2.0f);
    drawer.draw_rect({{60, 40}, {40, 20}});

    drawer.set_line_color(black, 1.0f);
    drawer.set_line_style(1);
    drawer.draw_line({10, 70}, {110, 70});
    drawer.set_line_style(0);
    drawer.set_line_color(black, 2.0f);
    drawer.draw_line({10, 80}, {110, 80});
    drawer.set_line_color(black, 1.0f);
    drawer.draw_line({10, 90}, {110, 90});

    // Both frames of the check box strip: unchecked at (10, 100), checked at (30, 100).
    drawer.draw_image({10, 100}, checkbox, {{0, 0}, {14, 14}});
    drawer.draw_image({30, 100}, checkbox, {{0, 14}, {14, 14}});

    drawer.draw_image_fit({{10, 200}, {100, 100}}, banner);

    for (const auto& box : text_boxes) {
        drawer.set_line_style(0);
        drawer.set_line_color(blue, 1.0f);
        drawer.draw_rect({{box.rect.position.x - 1, box.rect.position.y - 1}, {box.rect.size.x + 2, box.rect.size.y + 2}});
        drawer.set_text_color(black);
        drawer.set_font(box.family, 14.0f, box.weight, box.style);
        drawer.set_text_alignment(box.h_align, box.v_align);
        drawer.draw_text(box.rect, "Probe");
    }
}

// CRC-32 as PNG chunks carry it, over a chunk's type and data.
std::uint32_t png_crc(const unsigned char* bytes, std::size_t count)
{
    std::uint32_t crc = 0xffffffffu;
    for (std::size_t i = 0; i < count; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1u) != 0 ? (crc >> 1) ^ 0xedb88320u : crc >> 1;
    }
    return ~crc;
}

// The check box PNG with its header intact and its compressed pixels garbled under a correct
// checksum, so that only decoding the pixels finds the damage.
std::vector<unsigned char> damaged_png()
{
    std::vector<unsigned char> png(lcsdk::ui::images::checkbox_png,
                                   lcsdk::ui::images::checkbox_png + lcsdk::ui::images::checkbox_png_size);
    const auto big_endian = [&png](std::size_t at) {
        return std::uint32_t{png[at]} << 24 | std::uint32_t{png[at + 1]} << 16 | std::uint32_t{png[at + 2]} << 8 | png[at + 3];
    };
    // Chunks follow the 8-byte signature: length, type, data, CRC.
    for (std::size_t at = 8; at + 12 <= png.size(); at += 12 + big_endian(at)) {
        const std::uint32_t length = big_endian(at);
        if (std::memcmp(&png[at + 4], "IDAT", 4) != 0)
            continue;
        for (std::size_t i = 2; i < length; ++i) // past the zlib header
            png[at + 8 + i] ^= 0x5a;
        const std::uint32_t crc = png_crc(&png[at + 4], length + 4);
        for (int i = 0; i < 4; ++i)
            png[at + 8 + length + i] = static_cast<unsigned char>(crc >> (24 - 8 * i));
        break;
    }
    return png;
}

// A 4 x 4 bitmap whose header promises 48 bytes of pixels, of which 5 follow. Its decoder reads
// the pixels only when they are copied, as the Windows PNG decoder does: the failure comes from
// CreateBitmapFromSource, not from opening the picture.
std::vector<unsigned char> short_bitmap()
{
    const BITMAPFILEHEADER file{0x4d42, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + 48, 0, 0,
                                sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    const BITMAPINFOHEADER info{sizeof(BITMAPINFOHEADER), 4, 4, 1, 24, BI_RGB, 48, 0, 0, 0, 0};
    std::vector<unsigned char> bytes(sizeof file + sizeof info + 5, 0x40);
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
    return bytes;
}

struct replaced_raise {
    HRESULT result;
};

void WINAPI raise_replaced(HRESULT result, IErrorInfo*) { throw replaced_raise{result}; }

// Checks that need a drawer but no screen, one "key=value" line each.
std::string offscreen_checks(ui::window& main_window, ui::native_bitmap& checkbox)
{
    std::ostringstream out;
    ui::native_drawer& drawer = *main_window.drawer;

    {
        ui::native_bitmap garbage;
        const char not_an_image[] = "this is plain text, not a picture";
        out << "garbage_loads=" << garbage.load_from_memory(not_an_image, sizeof not_an_image, 1.0f) << '\n';
        out << "garbage_loaded=" << garbage.is_loaded() << '\n';
        out << "empty_loads=" << garbage.load_from_memory(not_an_image, 0, 1.0f) << '\n';
        out << "null_ref_loads=" << garbage.load(ui::image_ref{}) << '\n';
    }
    {
        // A failed load leaves an earlier picture in place.
        ui::native_bitmap kept;
        kept.load(lcsdk::ui::images::checkbox_image());
        const unsigned char truncated_png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0};
        out << "truncated_loads=" << kept.load_from_memory(truncated_png, sizeof truncated_png, 2.0f) << '\n';
        out << "kept_after_failure=" << kept.is_loaded() << ' ' << kept.pixel_size().x << 'x' << kept.pixel_size().y
            << ' ' << kept.scale() << '\n';
    }

    // Valid headers before damaged pixel data: refused, and the picture loaded before stays.
    for (const auto& [name, bytes] : {std::pair{"damaged_png", damaged_png()}, std::pair{"short_bitmap", short_bitmap()}}) {
        ui::native_bitmap kept;
        kept.load(lcsdk::ui::images::checkbox_image());
        const bool loads = kept.load_from_memory(bytes.data(), bytes.size(), 1.0f);
        out << name << '=' << loads << ' ' << kept.is_loaded() << ' ' << kept.pixel_size().x << 'x'
            << kept.pixel_size().y << '\n';
    }

    {
        // Pictures that open but hold no frame: load returns false, it does not throw. A GIF can
        // be written that way (a header and no image), and the decoder takes any format.
        const unsigned char no_frame[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B};
        win32::IWICImagingFactoryPtr factory;
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IWICImagingFactory),
                         reinterpret_cast<void**>(&factory));
        win32::IWICStreamPtr stream;
        win32::IWICBitmapDecoderPtr decoder;
        win32::IWICBitmapFrameDecodePtr frame;
        factory->CreateStream(&stream);
        stream->InitializeFromMemory(const_cast<BYTE*>(no_frame), sizeof no_frame);
        const bool opened =
            SUCCEEDED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnLoad, &decoder));
        const bool frame_fails = opened && FAILED(decoder->GetFrame(0, &frame));
        out << "no_frame_decoder=" << opened << ' ' << frame_fails << '\n';
        ui::native_bitmap empty;
        out << "no_frame_loads=" << empty.load_from_memory(no_frame, sizeof no_frame, 1.0f) << ' ' << empty.is_loaded()
            << '\n';
    }

    out << "checkbox_loaded=" << checkbox.is_loaded() << '\n';
    out << "checkbox_pixels=" << checkbox.pixel_size().x << 'x' << checkbox.pixel_size().y << '\n';
    out << "checkbox_dips=" << size_text(checkbox.dip_size()) << '\n';
    {
        ui::native_bitmap half;
        half.load_from_memory(lcsdk::ui::images::checkbox_png, lcsdk::ui::images::checkbox_png_size, 2.0f);
        out << "scale2_dips=" << size_text(half.dip_size()) << '\n';
    }

    // Device bitmaps: one per drawer, both sides of the registration kept in step.
    {
        auto& pictures = checkbox.get_impl();
        pictures.device_bitmap(checkbox, drawer);
        auto popup = std::make_unique<ui::window>();
        popup->create("Probe popup", {{60, 60}, {100, 80}}, 0, &main_window);
        ID2D1Bitmap* popup_bitmap = pictures.device_bitmap(checkbox, *popup->drawer);
        const bool reused = pictures.device_bitmap(checkbox, *popup->drawer) == popup_bitmap;
        out << "device_bitmaps_two_windows=" << pictures.device_bitmaps.size() << ' ' << pictures.drawers.size()
            << ' ' << reused << '\n';
        popup.reset();
        const auto& registered = drawer.get_impl().registered_bitmaps;
        out << "device_bitmaps_after_popup=" << pictures.device_bitmaps.size() << ' ' << pictures.drawers.size() << ' '
            << std::count(registered.begin(), registered.end(), &checkbox) << '\n';

        ui::native_bitmap temporary;
        temporary.load(lcsdk::ui::images::checkbox_image());
        temporary.get_impl().device_bitmap(temporary, drawer);
        const auto before = registered.size();
        { ui::native_bitmap gone_soon; gone_soon.load(lcsdk::ui::images::scroll_arrow_image()); gone_soon.get_impl().device_bitmap(gone_soon, drawer); }
        out << "registration_after_bitmap_destroyed=" << (registered.size() == before) << '\n';
        temporary.unload();
        out << "after_unload=" << temporary.is_loaded() << ' ' << temporary.get_impl().device_bitmaps.size() << ' '
            << std::count(registered.begin(), registered.end(), &temporary) << '\n';
        temporary.load(lcsdk::ui::images::checkbox_image());
        ID2D1Bitmap* fresh = temporary.get_impl().device_bitmap(temporary, drawer);
        out << "reload_fresh_device_bitmap=" << (fresh != nullptr) << ' ' << temporary.get_impl().device_bitmaps.size()
            << '\n';
    }

    // The shadow's stops as Direct2D holds them: position and alpha of stops 0, 7, 12, 19 and 20.
    {
        auto& gradient = drawer.get_impl().shadow_gradient;
        D2D1_GRADIENT_STOP stops[32]{};
        const UINT32 count = gradient->GetGradientStopCount();
        gradient->GetGradientStops(stops, std::min<UINT32>(count, 32));
        out << "shadow_stops=" << count;
        char text[32];
        for (int i : {0, 7, 12, 19, 20}) {
            std::snprintf(text, sizeof text, " %.4f/%.4f", static_cast<double>(stops[i].position),
                          static_cast<double>(stops[i].color.a));
            out << text;
        }
        out << '\n';
    }

    // The dotted stroke as Direct2D holds it: dash style, dash count and dashes, caps, join, miter limit.
    {
        auto& stroke = drawer.get_impl().dotted_stroke;
        float dashes[4]{};
        const UINT32 count = stroke->GetDashesCount();
        stroke->GetDashes(dashes, std::min<UINT32>(count, 4));
        out << "dotted_stroke=" << stroke->GetDashStyle() << ' ' << count << ' ' << dashes[0] << ' ' << dashes[1] << ' '
            << stroke->GetStartCap() << stroke->GetEndCap() << stroke->GetDashCap() << ' ' << stroke->GetLineJoin()
            << ' ' << stroke->GetMiterLimit() << ' ' << stroke->GetDashOffset() << '\n';
    }

    // Alignment kinds as DirectWrite sees them on the default format (text, then paragraph alignment).
    for (const auto& [horizontal, vertical] : {std::pair{0, 1}, std::pair{1, 0}, std::pair{2, 2}, std::pair{7, 7}}) {
        drawer.set_text_alignment(horizontal, vertical);
        auto& format = drawer.get_impl().text_format;
        out << "align_" << horizontal << vertical << '=' << format->GetTextAlignment() << ' '
            << format->GetParagraphAlignment() << '\n';
    }
    // Weight and style kinds as DirectWrite values.
    for (const auto& [weight, style] : {std::pair{0, 0}, std::pair{1, 1}, std::pair{2, 0}, std::pair{5, 2}}) {
        drawer.set_font("Verdana", 12.0f, weight, style);
        out << "font_" << weight << style << '=' << drawer.get_impl().font_weight << ' ' << drawer.get_impl().font_style
            << '\n';
    }

    drawer.set_font("Verdana", 12.0f, ui::font_weight_normal, ui::font_style_normal);
    drawer.set_text_alignment(ui::h_align_left, ui::v_align_top);
    out << "measure_empty=" << size_text(drawer.measure_text("", {0, 0})) << '\n';
    out << "measure_word=" << size_text(drawer.measure_text("Probe", {0, 0})) << '\n';
    out << "measure_word_spaces=" << size_text(drawer.measure_text("Probe   ", {0, 0})) << '\n';
    out << "measure_wrapped=" << size_text(drawer.measure_text("Probe probe probe", {40, 0})) << '\n';
    drawer.set_font("Verdana", 24.0f, ui::font_weight_bold, ui::font_style_normal);
    out << "measure_word_24_bold=" << size_text(drawer.measure_text("Probe", {0, 0})) << '\n';

    // Different families must reach different faces, or a fallback hides a missing font.
    drawer.set_font("Verdana", 14.0f, ui::font_weight_normal, ui::font_style_normal);
    out << "measure_verdana_14=" << size_text(drawer.measure_text("Probe", {0, 0})) << '\n';
    drawer.set_font("tahoma", 14.0f, ui::font_weight_normal, ui::font_style_normal);
    out << "measure_tahoma_14=" << size_text(drawer.measure_text("Probe", {0, 0})) << '\n';

    // A layout DirectWrite refuses is not checked by measure_text: the null pointer raises.
    try {
        const auto size = drawer.measure_text("Probe", {-10, -10});
        out << "measure_refused=no_error " << size_text(size) << '\n';
    } catch (const _com_error& error) {
        out << "measure_refused=" << hex(error.Error()) << '\n';
    }

    try {
        // A creation that fails leaves the pointer null.
        win32::IWICImagingFactoryPtr missing;
        CoCreateInstance(CLSID_NULL, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IWICImagingFactory),
                         reinterpret_cast<void**>(&missing));
        IWICStream* stream = nullptr;
        missing->CreateStream(&stream);
        out << "null_interface=no_error\n";
    } catch (const _com_error& error) {
        const TCHAR* message = error.ErrorMessage();
        out << "null_interface=" << hex(error.Error()) << ' ' << (message != nullptr && message[0] != 0) << '\n';
    }
    // The raise routine is replaceable: a program may route COM errors to its own exception.
    _set_com_error_handler(raise_replaced);
    try {
        win32::IDWriteTextLayoutPtr missing;
        drawer.get_impl().write_factory->CreateTextLayout(L"x", 1, drawer.get_impl().text_format, -1.0f, -1.0f,
                                                          &missing);
        missing->SetFontSize(10.0f, {0, 1});
        out << "replaced_raise=no_error\n";
    } catch (const replaced_raise& raised) {
        out << "replaced_raise=" << hex(raised.result) << '\n';
    } catch (const _com_error&) {
        out << "replaced_raise=not_replaced\n";
    }
    _set_com_error_handler(_com_raise_error);
    return out.str();
}

// A lost graphics device, fed to the drawer as the result Direct2D gives for it: the render target
// and everything made from it must go at once, and the next paint must draw everything again with
// new resources. The device resources a drawer holds, kept alive so that a new one can never take
// the address of an old one.
struct device_resources {
    explicit device_resources(ui::native_drawer& drawer, ui::native_bitmap& bitmap)
    {
        auto& d = drawer.get_impl();
        target = d.render_target;
        fill = d.fill_brush;
        text = d.text_brush;
        gradient = d.shadow_gradient;
        const auto found = bitmap.get_impl().device_bitmaps.find(d.render_target.GetInterfacePtr());
        if (found != bitmap.get_impl().device_bitmaps.end())
            image = found->second;
    }

    win32::ID2D1HwndRenderTargetPtr target;
    win32::ID2D1SolidColorBrushPtr fill;
    win32::ID2D1SolidColorBrushPtr text;
    win32::ID2D1GradientStopCollectionPtr gradient;
    win32::ID2D1BitmapPtr image;
};

// "1 1 1 1 1" when every resource of `now` exists and differs from the one in `before`.
std::string all_new(const device_resources& before, const device_resources& now)
{
    std::ostringstream out;
    const auto fresh = [](const auto& old_one, const auto& new_one) {
        return new_one.GetInterfacePtr() != nullptr && new_one.GetInterfacePtr() != old_one.GetInterfacePtr();
    };
    out << fresh(before.target, now.target) << ' ' << fresh(before.fill, now.fill) << ' ' << fresh(before.text, now.text)
        << ' ' << fresh(before.gradient, now.gradient) << ' ' << fresh(before.image, now.image);
    return out.str();
}

// "1 1 1 1 1 1": the render target, brushes, gradient, device bitmap and both sides of the bitmap
// registration are gone, and the whole client area waits for a paint.
std::string all_released(ui::window& main_window, ui::native_bitmap& bitmap)
{
    auto& d = main_window.drawer->get_impl();
    RECT update{};
    const HWND handle = main_window.native->get_impl().handle;
    RECT client{};
    GetClientRect(handle, &client);
    const bool everything = GetUpdateRect(handle, &update, FALSE) && EqualRect(&update, &client);
    std::ostringstream out;
    out << (d.render_target == nullptr) << ' ' << (d.fill_brush == nullptr && d.text_brush == nullptr) << ' '
        << (d.shadow_gradient == nullptr) << ' ' << bitmap.get_impl().device_bitmaps.empty() << ' '
        << (d.registered_bitmaps.empty() && bitmap.get_impl().drawers.empty()) << ' ' << everything;
    return out.str();
}

// The rectangle Windows suggests with WM_DPICHANGED: the top-left kept, the client area scaled, in
// the window's frame.
RECT suggested_rect(HWND handle, ui::vec2i client_dips, int dpi)
{
    RECT outer{};
    GetWindowRect(handle, &outer);
    RECT client{};
    GetClientRect(handle, &client);
    const int frame_x = (outer.right - outer.left) - client.right;
    const int frame_y = (outer.bottom - outer.top) - client.bottom;
    return {outer.left, outer.top, outer.left + MulDiv(client_dips.x, dpi, 96) + frame_x,
            outer.top + MulDiv(client_dips.y, dpi, 96) + frame_y};
}

void write_report(const std::filesystem::path& path, const std::string& text)
{
    const auto partial = std::filesystem::path(path).concat(L".part");
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        file << text;
    }
    std::filesystem::rename(partial, path);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::filesystem::path results = argc > 1 ? std::filesystem::path(argv[1]) : L"drawer_probe.txt";
    LocalFree(argv);

    ui::window main_window;
    main_window.create("Drawer probe", {{40, 40}, {480, 400}});

    ui::native_bitmap checkbox;
    ui::native_bitmap banner;
    checkbox.load(lcsdk::ui::images::checkbox_image());
    banner.load(installer::images::wizard_banner_image());

    const std::string report = offscreen_checks(main_window, checkbox);

    int paints = 0;
    // One frame of nothing but magenta, which only a full paint after it can hide.
    bool spoil_next_frame = false;
    ui::add_handler(&main_window.root, &main_window.root, ui::paint_event, [&](const ui::event_info&) {
        if (spoil_next_frame) {
            spoil_next_frame = false;
            main_window.drawer->set_fill_color(magenta);
            main_window.drawer->fill_rect({{0, 0}, {480, 400}});
        } else {
            paint_root(*main_window.drawer, checkbox, banner);
        }
        ++paints;
    });

    // A filled child over its own shadow, and an empty one that shows the whole shadow.
    painted_widget covered;
    covered.has_shadow = true;
    covered.shadow_offset = {4, 4};
    covered.shadow_size = 20;
    covered.create(main_window.root, {{150, 120}, {60, 40}});
    covered.on_paint([](ui::native_drawer& drawer) {
        drawer.set_fill_color(yellow);
        drawer.fill_rect({{0, 0}, {60, 40}});
    });
    ui::widget hollow;
    hollow.has_shadow = true;
    hollow.create(main_window.root, {{300, 120}, {60, 40}});

    // Nesting: the grandchildren draw at accumulated origins and are clipped to their parent.
    painted_widget panel;
    panel.create(main_window.root, {{300, 220}, {120, 80}});
    panel.on_paint([](ui::native_drawer& drawer) {
        drawer.set_fill_color(cyan);
        drawer.fill_rect({{0, 0}, {120, 80}});
    });
    painted_widget inner;
    inner.create(panel, {{10, 10}, {30, 30}});
    painted_widget overhanging;
    overhanging.create(panel, {{100, 60}, {50, 50}});
    for (painted_widget* square : {&inner, &overhanging})
        square->on_paint([](ui::native_drawer& drawer) {
            drawer.set_fill_color(magenta);
            drawer.fill_rect({{-20, -20}, {100, 100}});
        });

    // Each step runs on a tick after a paint pass (timer messages come after paint messages). The
    // report appears once the device has been lost twice and the window has recovered, so a
    // watcher knows the pixels on the screen are those of the recovered drawing. Then a file
    // beside the report asks for a DPI change, and a second report follows its paint.
    const HWND handle = main_window.native->get_impl().handle;
    auto& drawer_state = main_window.drawer->get_impl();
    const auto dpi_request = std::filesystem::path(results).concat(L".dpi");
    const auto dpi_report = std::filesystem::path(results).concat(L".dpi-done");
    std::optional<device_resources> before;
    std::ostringstream device_report;
    int step = 0;
    int paints_then = 0;
    std::uint32_t first_generation = 0;
    ui::add_handler(&main_window.root, &main_window.root, ui::timer_tick, [&](const ui::event_info&) {
        // Every step but the wait for the DPI request follows a paint.
        if (step != 3 && paints == paints_then)
            return;
        switch (step) {
        case 0: {
            // A paint whose EndDraw reports the lost device, over a spoiled frame.
            before.emplace(*main_window.drawer, checkbox);
            first_generation = drawer_state.device_generation;
            spoil_next_frame = true;
            drawer_state.injected_result = static_cast<HRESULT>(D2DERR_RECREATE_TARGET);
            InvalidateRect(handle, nullptr, FALSE);
            break;
        }
        case 1: {
            // Two paints: the lost one and the full one after it.
            if (paints < paints_then + 2)
                return;
            device_report << "device_lost_paints=" << (paints - paints_then) << '\n'
                          << "device_lost_recreated=" << all_new(*before, device_resources(*main_window.drawer, checkbox))
                          << '\n';
            // Resize reports the lost device: everything goes at once, and a full paint is due.
            before.emplace(*main_window.drawer, checkbox);
            RECT client{};
            GetClientRect(handle, &client);
            ValidateRect(handle, nullptr);
            drawer_state.injected_result = static_cast<HRESULT>(D2DERR_RECREATE_TARGET);
            SendMessageW(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
            device_report << "resize_lost_released=" << all_released(main_window, checkbox) << '\n';
            break;
        }
        case 2: {
            device_report << "resize_lost_recreated="
                          << all_new(*before, device_resources(*main_window.drawer, checkbox)) << '\n'
                          << "device_generations=" << (drawer_state.device_generation - first_generation) << '\n';
            before.reset();
            // Where the client area sits on the (virtual) screen, for the screenshot checker.
            POINT origin{0, 0};
            ClientToScreen(handle, &origin);
            std::ostringstream text;
            text << report << device_report.str() << "client_origin=" << origin.x << ' ' << origin.y << '\n'
                 << "dpi=" << main_window.native->get_impl().dpi_x << '\n'
                 << "painted=1\n";
            write_report(results, text.str());
            break;
        }
        case 3: {
            // Waits for the request, then moves to its DPI as a window does on another monitor.
            std::ifstream request(dpi_request);
            int dpi = 0;
            if (!(request >> dpi) || dpi <= 0)
                return;
            RECT suggested = suggested_rect(handle, main_window.root.size, dpi);
            SendMessageW(handle, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
            break;
        }
        case 4: {
            RECT client{};
            GetClientRect(handle, &client);
            POINT origin{0, 0};
            ClientToScreen(handle, &origin);
            std::ostringstream text;
            text << "dpi=" << main_window.native->get_impl().dpi_x << '\n'
                 << "client=" << client.right << 'x' << client.bottom << '\n'
                 << "root=" << size_text(main_window.root.size) << '\n'
                 << "client_origin=" << origin.x << ' ' << origin.y << '\n';
            write_report(dpi_report, text.str());
            break;
        }
        default:
            return;
        }
        ++step;
        paints_then = paints;
    });
    main_window.native->add_timer(&main_window.root, 1, 100, false);

    main_window.show_modal();
    return 0;
}
