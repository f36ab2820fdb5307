#include "lcsdk/ui/native_bitmap.h"

#include "lcsdk/ui/offscreen/native_bitmap_impl.h"

#include <algorithm>
#include <array>
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

std::optional<_vec2<std::uint32_t>> native_bitmap::decode(std::span<const unsigned char> data)
{
    if (data.size() < png_signature.size() || !std::equal(png_signature.begin(), png_signature.end(), data.begin()))
        return std::nullopt;

    byte_reader reader{data};
    surface_ptr decoded(cairo_image_surface_create_from_png_stream(&read_bytes, &reader));
    if (!decoded || cairo_surface_status(decoded.get()) != CAIRO_STATUS_SUCCESS)
        return std::nullopt;
    surface_ptr pixels = as_argb32(std::move(decoded));
    if (!pixels)
        return std::nullopt;

    const _vec2<std::uint32_t> size{static_cast<std::uint32_t>(cairo_image_surface_get_width(pixels.get())),
                                    static_cast<std::uint32_t>(cairo_image_surface_get_height(pixels.get()))};
    impl_->pixels = std::move(pixels);
    return size;
}

void native_bitmap::release_pixels() { impl_->pixels.reset(); }

} // namespace lcsdk::ui
