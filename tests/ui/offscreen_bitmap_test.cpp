#include "lcsdk/ui/native_bitmap.h"
#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/offscreen/offscreen_platform.h"
#include "lcsdk/ui/widget_themes.h"
#include "lcsdk/ui/window.h"

#include "support/png_bytes.h"
#include "support/toolkit_test.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

using namespace lcsdk::ui;
namespace off = lcsdk::ui::offscreen;

namespace {

using BitmapTest = lcsdk::testing::toolkit_test;

TEST_F(BitmapTest, DecodesToPremultipliedPixelsWithSizeAndScale)
{
    // Straight ARGB: half-transparent red, opaque green, transparent, opaque white.
    const auto png = lcsdk::testing::encode_png(2, 2, {0x80ff0000u, 0xff00ff00u, 0x00000000u, 0xffffffffu});
    native_bitmap bitmap;
    EXPECT_FALSE(bitmap.is_loaded());
    EXPECT_EQ(bitmap.scale(), 1.0f);
    ASSERT_TRUE(bitmap.load_from_memory(png.data(), png.size(), 1.0f));
    EXPECT_TRUE(bitmap.is_loaded());
    EXPECT_EQ(bitmap.pixel_size(), (_vec2<std::uint32_t>{2, 2}));
    EXPECT_EQ(bitmap.dip_size(), (vec2i{2, 2}));

    const std::uint32_t half_red = off::bitmap_pixel_argb(bitmap, 0, 0);
    EXPECT_EQ(half_red >> 24, 0x80u);
    EXPECT_NEAR(static_cast<int>((half_red >> 16) & 0xff), 0x80, 1);
    EXPECT_EQ(half_red & 0xffff, 0u);
    EXPECT_EQ(off::bitmap_pixel_argb(bitmap, 1, 0), 0xff00ff00u);
    EXPECT_EQ(off::bitmap_pixel_argb(bitmap, 0, 1), 0u);
    EXPECT_EQ(off::bitmap_pixel_argb(bitmap, 1, 1), 0xffffffffu);
}

TEST_F(BitmapTest, OpaqueImagesWithoutAlphaBecomeOpaqueArgb)
{
    const auto png = lcsdk::testing::solid_png(14, 28, 0xff336699u);
    native_bitmap bitmap;
    ASSERT_TRUE(bitmap.load_from_memory(png.data(), png.size(), 1.0f));
    EXPECT_EQ(off::bitmap_pixel_argb(bitmap, 13, 27), 0xff336699u);
}

TEST_F(BitmapTest, DipSizeIsThePixelSizeOverTheScaleTruncated)
{
    struct row {
        int w, h;
        float scale;
        vec2i dips;
    };
    for (const row r : {row{160, 310, 1.0f, {160, 310}}, row{5, 9, 2.0f, {2, 4}}, row{8, 8, 0.5f, {16, 16}},
                        row{10, 10, 3.0f, {3, 3}}}) {
        const auto png = lcsdk::testing::solid_png(r.w, r.h, 0xff000000u);
        native_bitmap bitmap;
        ASSERT_TRUE(bitmap.load_from_memory(png.data(), png.size(), r.scale));
        EXPECT_EQ(bitmap.scale(), r.scale);
        EXPECT_EQ(bitmap.dip_size(), r.dips) << r.w << "x" << r.h << " at " << r.scale;
    }
}

TEST_F(BitmapTest, BytesThatAreNotAPngLeaveTheBitmapAsItWas)
{
    const auto good = lcsdk::testing::solid_png(3, 5, 0xff102030u);
    const std::vector<unsigned char> signature_only(good.begin(), good.begin() + 8);
    const std::vector<unsigned char> truncated(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2));
    std::vector<unsigned char> corrupt = good;
    for (std::size_t i = 40; i < corrupt.size() - 12; ++i)
        corrupt[i] = static_cast<unsigned char>(corrupt[i] ^ 0x5a);
    const std::string text = "definitely not an image";
    const std::vector<unsigned char> gif{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0};

    struct row {
        const char* what;
        const void* bytes;
        std::size_t size;
        float scale;
    };
    const std::vector<row> rows{
        {"null", nullptr, 100, 1.0f},
        {"empty", good.data(), 0, 1.0f},
        {"seven bytes of the signature", good.data(), 7, 1.0f},
        {"the signature alone", signature_only.data(), signature_only.size(), 1.0f},
        {"half a png", truncated.data(), truncated.size(), 1.0f},
        {"corrupt data", corrupt.data(), corrupt.size(), 1.0f},
        {"text", text.data(), text.size(), 1.0f},
        {"another format", gif.data(), gif.size(), 1.0f},
        {"zero scale", good.data(), good.size(), 0.0f},
        {"negative scale", good.data(), good.size(), -1.0f},
        {"scale not a number", good.data(), good.size(), std::numeric_limits<float>::quiet_NaN()},
    };

    for (const row& r : rows) {
        native_bitmap fresh;
        EXPECT_FALSE(fresh.load_from_memory(r.bytes, r.size, r.scale)) << r.what;
        EXPECT_FALSE(fresh.is_loaded()) << r.what;

        const auto earlier = lcsdk::testing::solid_png(7, 2, 0xffffffffu);
        native_bitmap loaded;
        ASSERT_TRUE(loaded.load_from_memory(earlier.data(), earlier.size(), 1.0f));
        EXPECT_FALSE(loaded.load_from_memory(r.bytes, r.size, r.scale)) << r.what;
        EXPECT_TRUE(loaded.is_loaded()) << r.what;
        EXPECT_EQ(loaded.pixel_size(), (_vec2<std::uint32_t>{7, 2})) << r.what;
        EXPECT_EQ(loaded.scale(), 1.0f) << r.what;
        EXPECT_EQ(off::bitmap_pixel_argb(loaded, 6, 1), 0xffffffffu) << r.what;
    }
}

TEST_F(BitmapTest, LoadTakesAnImageReference)
{
    const auto png = lcsdk::testing::solid_png(14, 28, 0xff000000u);
    native_bitmap bitmap;
    EXPECT_FALSE(bitmap.load(image_ref{}));
    EXPECT_FALSE(bitmap.is_loaded());
    ASSERT_TRUE(bitmap.load(image_ref{png.data(), png.size(), 2, 2.0f}));
    EXPECT_EQ(bitmap.scale(), 2.0f);
    EXPECT_EQ(bitmap.dip_size(), (vec2i{7, 14}));

    // An embedded theme image decodes with the sizes it is known by.
    const style_table defaults;
    native_bitmap checkbox;
    ASSERT_TRUE(checkbox.load(get_image(defaults, "checkbox_image")));
    EXPECT_EQ(checkbox.pixel_size(), (_vec2<std::uint32_t>{14, 28}));
}

TEST_F(BitmapTest, UnloadAndLoadAgain)
{
    const auto png = lcsdk::testing::solid_png(4, 6, 0xff0000ffu);
    native_bitmap bitmap;
    ASSERT_TRUE(bitmap.load_from_memory(png.data(), png.size(), 2.0f));
    bitmap.unload();
    EXPECT_FALSE(bitmap.is_loaded());
    const auto other = lcsdk::testing::solid_png(8, 2, 0xffff0000u);
    ASSERT_TRUE(bitmap.load_from_memory(other.data(), other.size(), 1.0f));
    EXPECT_EQ(bitmap.pixel_size(), (_vec2<std::uint32_t>{8, 2}));
    EXPECT_EQ(off::bitmap_pixel_argb(bitmap, 7, 1), 0xffff0000u);
}

// Drawers and bitmaps may be destroyed in either order; run under the sanitizers this proves that
// neither keeps a pointer to the other.
TEST_F(BitmapTest, DrawersAndBitmapsMayGoInEitherOrder)
{
    const auto png = lcsdk::testing::solid_png(4, 4, 0xff00ff00u);
    auto bitmap = std::make_unique<native_bitmap>();
    ASSERT_TRUE(bitmap->load_from_memory(png.data(), png.size(), 1.0f));
    native_bitmap* shown = bitmap.get();

    auto draw_in_new_window = [&] {
        auto win = std::make_unique<window>();
        win->create("image", {{0, 0}, {20, 20}});
        window* w = win.get();
        add_handler(&w->root, &w->root, paint_event, [w, &shown](const event_info&) {
            w->drawer->set_fill_color({1, 0, 0, 1});
            w->drawer->fill_rect({{0, 0}, {20, 20}});
            if (shown)
                w->drawer->draw_image({1, 1}, *shown, {{0, 0}, {4, 4}});
        });
        off::paint_pending(*w);
        EXPECT_EQ(off::pixel_rgba(*w, 2, 2), (off::rgba8{0, 255, 0, 255}));
        return win;
    };

    auto first = draw_in_new_window();
    auto second = draw_in_new_window();
    second.reset(); // a drawer goes first
    first->root.invalidate();
    EXPECT_TRUE(off::paint_pending(*first));

    bitmap.reset(); // then the bitmap, while a drawer that drew it lives on
    shown = nullptr;
    first->root.invalidate();
    EXPECT_TRUE(off::paint_pending(*first));
    EXPECT_EQ(off::pixel_rgba(*first, 2, 2), (off::rgba8{255, 0, 0, 255}));
}

} // namespace
