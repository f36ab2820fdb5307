#include "lcsdk/ui/native_bitmap.h"

#include "lcsdk/ui/widget_themes.h"

#include <cmath>

namespace lcsdk::ui {

bool native_bitmap::load_from_memory(const void* bytes, std::size_t byte_count, float scale)
{
    // A scale of zero or less (or not a number) would make every DIP size meaningless.
    if (bytes == nullptr || byte_count == 0 || !std::isfinite(scale) || scale <= 0)
        return false;
    const auto decoded = decode({static_cast<const unsigned char*>(bytes), byte_count});
    if (!decoded)
        return false;
    pixel_size_ = *decoded;
    scale_ = scale;
    loaded_ = true;
    return true;
}

bool native_bitmap::load(const image_ref& image)
{
    if (image.data == nullptr)
        return false;
    return load_from_memory(image.data, static_cast<std::size_t>(image.size), image.scale);
}

void native_bitmap::unload()
{
    // Size and scale stay known; the pixels go.
    release_pixels();
    loaded_ = false;
}

vec2i native_bitmap::dip_size() const
{
    return {static_cast<int>(static_cast<float>(pixel_size_.x) / scale_),
            static_cast<int>(static_cast<float>(pixel_size_.y) / scale_)};
}

} // namespace lcsdk::ui
