#include "lcsdk/ui/native_bitmap.h"

#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/win32/native_bitmap_impl.h"
#include "lcsdk/ui/win32/native_drawer_impl.h"

#include <algorithm>
#include <limits>

namespace lcsdk::ui {

using namespace win32;

native_bitmap::native_bitmap() : impl_(std::make_unique<impl>())
{
    throw_if_failed(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                     __uuidof(IWICImagingFactory), reinterpret_cast<void**>(&impl_->imaging_factory)),
                    "unable to create the imaging factory");
}

native_bitmap::~native_bitmap()
{
    impl_->drop_device_bitmaps(*this);
    // The pixels, the factory and finally the apartment go with the impl, in reverse member order.
}

std::optional<_vec2<std::uint32_t>> native_bitmap::decode(std::span<const unsigned char> bytes)
{
    auto& state = *impl_;
    // WIC takes a 32-bit length; anything longer is not one of our images.
    if (bytes.size() > std::numeric_limits<DWORD>::max())
        return std::nullopt;

    // The stream only reads the bytes; WIC's signature just lacks the const.
    IWICStreamPtr stream;
    IWICBitmapDecoderPtr decoder;
    IWICBitmapFrameDecodePtr frame;
    if (FAILED(state.imaging_factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()))) ||
        FAILED(state.imaging_factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnLoad, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || !frame)
        return std::nullopt;

    IWICFormatConverterPtr converter;
    throw_if_failed(state.imaging_factory->CreateFormatConverter(&converter),
                    "unable to create the bitmap format converter");
    // The decoder may read the pixels only here, when they are converted and copied: damaged pixel
    // data behind a valid header fails these two calls. Only a lack of memory is the system's.
    HRESULT result = converter->Initialize(frame, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                           WICBitmapPaletteTypeMedianCut);
    IWICBitmapPtr decoded;
    if (SUCCEEDED(result))
        result = state.imaging_factory->CreateBitmapFromSource(converter, WICBitmapCacheOnLoad, &decoded);
    if (result == E_OUTOFMEMORY)
        throw_if_failed(result, "unable to create a bitmap from the format converter");
    if (FAILED(result))
        return std::nullopt;

    UINT width = 0;
    UINT height = 0;
    converter->GetSize(&width, &height);

    // Device bitmaps made from earlier pixels would keep showing the old picture.
    state.drop_device_bitmaps(*this);
    state.pixels = decoded;
    return _vec2<std::uint32_t>{width, height};
}

void native_bitmap::release_pixels()
{
    impl_->drop_device_bitmaps(*this);
    impl_->pixels = nullptr;
}

ID2D1Bitmap* native_bitmap::impl::device_bitmap(native_bitmap& self, native_drawer& drawer)
{
    ID2D1RenderTarget* target = drawer.get_impl().render_target;
    if (const auto found = device_bitmaps.find(target); found != device_bitmaps.end())
        return found->second;

    // 96 DPI, the documented default, spelled out: one bitmap DIP is one image pixel, so source
    // rectangles address pixels at any screen DPI (Wine would otherwise take the target's DPI).
    const D2D1_BITMAP_PROPERTIES properties{{DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED}, 96.0f, 96.0f};
    ID2D1BitmapPtr from_pixels;
    throw_if_failed(target->CreateBitmapFromWicBitmap(pixels, properties, &from_pixels),
                    "unable to create a bitmap from a WIC bitmap");
    ID2D1BitmapPtr shared;
    throw_if_failed(target->CreateSharedBitmap(__uuidof(ID2D1Bitmap), from_pixels.GetInterfacePtr(), nullptr, &shared),
                    "unable to create a shared bitmap");

    ID2D1Bitmap* result = shared;
    device_bitmaps.emplace(target, std::move(shared));
    drawer.get_impl().register_bitmap(self);
    if (std::find(drawers.begin(), drawers.end(), &drawer) == drawers.end())
        drawers.push_back(&drawer);
    return result;
}

void native_bitmap::impl::forget_drawer(native_drawer& drawer)
{
    device_bitmaps.erase(drawer.get_impl().render_target.GetInterfacePtr());
    std::erase(drawers, &drawer);
}

void native_bitmap::impl::drop_device_bitmaps(const native_bitmap& self)
{
    for (native_drawer* drawer : drawers)
        drawer->get_impl().unregister_bitmap(self);
    drawers.clear();
    device_bitmaps.clear();
}

} // namespace lcsdk::ui
