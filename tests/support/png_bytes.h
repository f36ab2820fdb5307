#pragma once

// Small PNG files built in memory for image tests.

#include <cairo.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace lcsdk::testing {

// Encodes straight (unpremultiplied) 0xAARRGGBB pixels, row by row. Fully opaque images become
// RGB PNGs without an alpha channel, as the embedded pictures are.
inline std::vector<unsigned char> encode_png(int width, int height, const std::vector<std::uint32_t>& argb)
{
    bool opaque = true;
    for (const std::uint32_t p : argb)
        opaque = opaque && (p >> 24) == 0xff;
    cairo_surface_t* surface = cairo_image_surface_create(opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32, width, height);
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = argb[static_cast<std::size_t>(y * width + x)];
            const std::uint32_t a = p >> 24;
            const auto pre = [a](std::uint32_t c) { return (c * a + 127) / 255; };
            const std::uint32_t stored = (a << 24) | (pre((p >> 16) & 0xff) << 16) | (pre((p >> 8) & 0xff) << 8) | pre(p & 0xff);
            std::memcpy(data + y * stride + x * 4, &stored, 4);
        }
    cairo_surface_mark_dirty(surface);

    std::vector<unsigned char> bytes;
    cairo_surface_write_to_png_stream(
        surface,
        [](void* closure, const unsigned char* chunk, unsigned int length) {
            auto& out = *static_cast<std::vector<unsigned char>*>(closure);
            out.insert(out.end(), chunk, chunk + length);
            return CAIRO_STATUS_SUCCESS;
        },
        &bytes);
    cairo_surface_destroy(surface);
    return bytes;
}

inline std::vector<unsigned char> solid_png(int width, int height, std::uint32_t argb)
{
    return encode_png(width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width * height), argb));
}

// Top-left, top-right, bottom-left, bottom-right quadrants in one colour each.
inline std::vector<unsigned char> quadrant_png(int width, int height, std::array<std::uint32_t, 4> colours)
{
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(colours[static_cast<std::size_t>((y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0))]);
    return encode_png(width, height, pixels);
}

} // namespace lcsdk::testing
