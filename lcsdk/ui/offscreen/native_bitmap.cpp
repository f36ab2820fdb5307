#include "lcsdk/ui/native_bitmap.h"

#include "lcsdk/ui/offscreen/native_bitmap_impl.h"
#include "lcsdk/ui/widget_themes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <span>

namespace lcsdk::ui {

namespace {

using offscreen::detail::context_ptr;
using offscreen::detail::surface_ptr;

constexpr std::array<unsigned char, 8> png_signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

struct byte_reader {
    std::span<const unsigned char> rest;
};

cairo_status_t read_bytes(void* closure, unsigned char* data, unsigned int length)
{
    auto& reader = *static_cast<byte_reader*>(closure);
    if (length > reader.rest.size())
        return CAIRO_STATUS_READ_ERROR;
    std::memcpy(data, reader.rest.data(), length);
    reader.rest = reader.rest.subspan(length);
    return CAIRO_STATUS_SUCCESS;
}

// Opaque PNGs decode to RGB24 and deep ones to other formats: draw them into premultiplied ARGB32.
surface_ptr as_argb32(surface_ptr decoded)
{
    if (cairo_image_surface_get_format(decoded.get()) == CAIRO_FORMAT_ARGB32)
        return decoded;
    surface_ptr converted(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(decoded.get()),
                                                     cairo_image_surface_get_height(decoded.get())));
    if (cairo_surface_status(converted.get()) != CAIRO_STATUS_SUCCESS)
        return nullptr;
    const context_ptr cr(cairo_create(converted.get()));
    cairo_set_source_surface(cr.get(), decoded.get(), 0, 0);
    cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr.get());
    cairo_surface_flush(converted.get());
    return converted;
}

} // namespace

native_bitmap::native_bitmap() : impl_(std::make_unique<impl>()) {}

native_bitmap::~native_bitmap() = default;

bool native_bitmap::load_from_memory(const void* bytes, std::size_t byte_count, float scale)
{
    // A scale of zero or less (or not a number) would make every DIP size meaningless.
    if (!bytes || byte_count < png_signature.size() || !std::isfinite(scale) || scale <= 0)
        return false;
    const std::span<const unsigned char> data(static_cast<const unsigned char*>(bytes), byte_count);
    if (!std::equal(png_signature.begin(), png_signature.end(), data.begin()))
        return false;

    byte_reader reader{data};
    surface_ptr decoded(cairo_image_surface_create_from_png_stream(&read_bytes, &reader));
    if (!decoded || cairo_surface_status(decoded.get()) != CAIRO_STATUS_SUCCESS)
        return false;
    surface_ptr pixels = as_argb32(std::move(decoded));
    if (!pixels)
        return false;

    auto& d = *impl_;
    d.pixel_size = {static_cast<std::uint32_t>(cairo_image_surface_get_width(pixels.get())),
                    static_cast<std::uint32_t>(cairo_image_surface_get_height(pixels.get()))};
    d.pixels = std::move(pixels);
    d.scale = scale;
    d.loaded = true;
    return true;
}

bool native_bitmap::load(const image_ref& image)
{
    if (!image.data)
        return false;
    return load_from_memory(image.data, static_cast<std::size_t>(image.size), image.scale);
}

void native_bitmap::unload()
{
    // Size and scale stay known, as they do on Windows; the pixels go.
    impl_->pixels.reset();
    impl_->loaded = false;
}

bool native_bitmap::is_loaded() const { return impl_->loaded; }

_vec2<std::uint32_t> native_bitmap::pixel_size() const { return impl_->pixel_size; }

float native_bitmap::scale() const { return impl_->scale; }

vec2i native_bitmap::dip_size() const
{
    const auto& d = *impl_;
    return {static_cast<int>(static_cast<float>(d.pixel_size.x) / d.scale),
            static_cast<int>(static_cast<float>(d.pixel_size.y) / d.scale)};
}

} // namespace lcsdk::ui
