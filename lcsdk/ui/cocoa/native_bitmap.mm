#include "lcsdk/ui/native_bitmap.h"

#include "lcsdk/ui/cocoa/native_bitmap_impl.h"

namespace lcsdk::ui {

native_bitmap::native_bitmap() : impl_(std::make_unique<impl>()) {}

native_bitmap::~native_bitmap() = default;

std::optional<_vec2<std::uint32_t>> native_bitmap::decode(std::span<const unsigned char> bytes)
{
    const cocoa::owned<NSData> data([[NSData alloc] initWithBytes:bytes.data() length:bytes.size()]);
    cocoa::owned<NSImage> image([[NSImage alloc] initWithData:data.get()]);
    NSArray* representations = image ? [image.get() representations] : nil;
    if ([representations count] == 0)
        return std::nullopt;
    // Bytes that are not an image give no representation, or one without pixels: either way
    // nothing could be drawn, so the load fails instead of reporting an image that is not there.
    NSImageRep* representation = [representations objectAtIndex:0];
    const NSInteger pixels_wide = [representation pixelsWide];
    const NSInteger pixels_high = [representation pixelsHigh];
    if (pixels_wide <= 0 || pixels_high <= 0)
        return std::nullopt;
    if ([representation isKindOfClass:[NSBitmapImageRep class]] &&
        [static_cast<NSBitmapImageRep*>(representation) bitmapData] == nullptr)
        return std::nullopt;

    impl& d = *impl_;
    d.image = std::move(image);
    d.representation = representation;
    const NSSize points = [representation size];
    d.width = static_cast<int>(points.width);
    d.height = static_cast<int>(points.height);
    return _vec2<std::uint32_t>{static_cast<std::uint32_t>(pixels_wide), static_cast<std::uint32_t>(pixels_high)};
}

void native_bitmap::release_pixels()
{
    impl_->representation = nil;
    impl_->image.reset();
}

} // namespace lcsdk::ui
