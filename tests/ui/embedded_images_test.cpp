#include "installer/wizard_images.h"
#include "lcsdk/ui/toolkit_images.h"
#include "lcsdk/ui/widget_themes.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace lcsdk::ui {
namespace {

constexpr int rgb = PNG_COLOR_TYPE_RGB;
constexpr int rgba = PNG_COLOR_TYPE_RGB_ALPHA;

// What the file says about itself, and its pixels decoded to straight RGBA.
struct decoded_png {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int bit_depth = 0;
    int color_type = -1;
    std::vector<std::uint8_t> rgba_pixels;

    const std::uint8_t* pixel(std::uint32_t x, std::uint32_t y) const { return &rgba_pixels[(y * width + x) * 4]; }
};

class png_reader {
public:
    png_reader() { image_.version = PNG_IMAGE_VERSION; }
    ~png_reader() { png_image_free(&image_); }
    png_reader(const png_reader&) = delete;
    png_reader& operator=(const png_reader&) = delete;

    png_image* get() { return &image_; }

private:
    png_image image_{};
};

std::uint32_t big_endian_u32(const unsigned char* p)
{
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | std::uint32_t{p[3]};
}

std::optional<decoded_png> decode(const image_ref& image)
{
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (!image.data || image.size < 33 || std::memcmp(image.data, signature, 8) != 0 ||
        std::memcmp(image.data + 12, "IHDR", 4) != 0)
        return std::nullopt;

    decoded_png result;
    result.width = big_endian_u32(image.data + 16);
    result.height = big_endian_u32(image.data + 20);
    result.bit_depth = image.data[24];
    result.color_type = image.data[25];

    // Decoding the whole file also proves that the data stream and every checksum are sound.
    png_reader reader;
    if (!png_image_begin_read_from_memory(reader.get(), image.data, image.size))
        return std::nullopt;
    reader.get()->format = PNG_FORMAT_RGBA;
    result.rgba_pixels.resize(PNG_IMAGE_SIZE(*reader.get()));
    if (!png_image_finish_read(reader.get(), nullptr, result.rgba_pixels.data(), 0, nullptr))
        return std::nullopt;
    if (reader.get()->width != result.width || reader.get()->height != result.height)
        return std::nullopt;
    return result;
}

struct image_row {
    const char* name;
    image_ref image;
    std::uint32_t width;
    std::uint32_t height;
    int color_type;
    std::int32_t frames;
};

std::vector<image_row> embedded_images()
{
    using namespace images;
    return {
        // name                image                        width height colour frames
        {"wizard banner", installer::images::wizard_banner_image(), 160, 310, rgb, 1},
        {"check box", checkbox_image(), 14, 28, rgb, 2},
        {"drop-down arrow", dropdown_arrow_image(), 8, 5, rgba, 1},
        {"browser folder", browser_folder_image(), 20, 20, rgba, 1},
        {"browser pack", browser_pack_image(), 20, 20, rgba, 1},
        {"browser virtual", browser_virtual_image(), 20, 20, rgba, 1},
        {"multi-window button", multiwindow_button_image(), 5, 10, rgba, 1},
        {"scroll arrow", scroll_arrow_image(), 8, 8, rgba, 1},
    };
}

TEST(embedded_images, decode_to_their_sizes_channels_and_frames)
{
    for (const image_row& row : embedded_images()) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.image.scale, 1.0f);
        EXPECT_EQ(row.image.frames, row.frames);
        const std::optional<decoded_png> png = decode(row.image);
        ASSERT_TRUE(png.has_value());
        EXPECT_EQ(png->width, row.width);
        EXPECT_EQ(png->height, row.height);
        EXPECT_EQ(png->bit_depth, 8);
        EXPECT_EQ(png->color_type, row.color_type);
        EXPECT_EQ(png->height % static_cast<std::uint32_t>(row.frames), 0u);
    }
}

TEST(embedded_images, theme_image_defaults_point_at_decodable_strips)
{
    struct theme_row {
        const char* key;
        std::uint32_t width;
        std::uint32_t height;
        int color_type;
        std::int32_t frames;
    };
    const theme_row rows[] = {
        // key                        width height colour frames
        {"checkbox_image", 14, 28, rgb, 2},
        {"dropdown_button_image", 8, 5, rgba, 1},
        {"browser_folder_image", 20, 20, rgba, 1},
        {"browser_pack_image", 20, 20, rgba, 1},
        {"browser_stared_image", 20, 20, rgba, 1},
        {"browser_alien_image", 20, 20, rgba, 1},
        {"browser_virtual_image", 20, 20, rgba, 1},
        {"multiwindow_button_image", 5, 10, rgba, 1},
    };
    const style_table table;
    for (const theme_row& row : rows) {
        SCOPED_TRACE(row.key);
        const image_ref image = get_image(table, row.key);
        EXPECT_EQ(image.frames, row.frames);
        EXPECT_EQ(image.scale, 1.0f);
        const std::optional<decoded_png> png = decode(image);
        ASSERT_TRUE(png.has_value());
        EXPECT_EQ(png->width, row.width);
        EXPECT_EQ(png->height, row.height);
        EXPECT_EQ(png->bit_depth, 8);
        EXPECT_EQ(png->color_type, row.color_type);
    }
}

int brightness(const std::uint8_t* p)
{
    return p[0] + p[1] + p[2];
}

TEST(embedded_images, check_box_frames_are_an_empty_box_then_a_ticked_box)
{
    const std::optional<decoded_png> png = decode(images::checkbox_image());
    ASSERT_TRUE(png.has_value());
    int bright_inside[2] = {0, 0};
    for (std::uint32_t frame = 0; frame < 2; ++frame) {
        const std::uint32_t top = frame * 14;
        // A light border around a dark face, so the box reads on the dark grey pages.
        EXPECT_GT(brightness(png->pixel(0, top + 7)), brightness(png->pixel(7, top + 1)) + 150);
        EXPECT_GT(brightness(png->pixel(7, top + 13)), brightness(png->pixel(2, top + 12)) + 150);
        for (std::uint32_t y = top + 2; y < top + 12; ++y)
            for (std::uint32_t x = 2; x < 12; ++x)
                bright_inside[frame] += brightness(png->pixel(x, y)) > 3 * 160 ? 1 : 0;
    }
    EXPECT_EQ(bright_inside[0], 0) << "the unchecked frame must be empty";
    EXPECT_GE(bright_inside[1], 8) << "the checked frame must show a tick";
}

TEST(embedded_images, scroll_arrow_points_up_in_its_top_half_and_down_in_its_bottom_half)
{
    const std::optional<decoded_png> png = decode(images::scroll_arrow_image());
    ASSERT_TRUE(png.has_value());
    const auto covered = [&](std::uint32_t y) {
        int count = 0;
        for (std::uint32_t x = 0; x < 8; ++x)
            count += png->pixel(x, y)[3] > 128 ? 1 : 0;
        return count;
    };
    // Each half narrows toward its tip: the top of the upper half, the bottom of the lower half.
    EXPECT_GT(covered(1), 0);
    EXPECT_LT(covered(1), covered(3));
    EXPECT_GT(covered(6), 0);
    EXPECT_LT(covered(6), covered(4));
    for (std::uint32_t y = 0; y < 4; ++y)
        for (std::uint32_t x = 0; x < 8; ++x)
            EXPECT_EQ(png->pixel(x, y)[3], png->pixel(x, 7 - y)[3]) << x << "," << y;
}

} // namespace
} // namespace lcsdk::ui
