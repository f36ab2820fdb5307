#include "lcsdk/ui/drawing_geometry.h"
#include "lcsdk/ui/screen_geometry.h"

#include <gtest/gtest.h>

using namespace lcsdk::ui;

TEST(DrawingGeometry, FitImageKeepsTheAspectRatioAndCentres)
{
    struct row {
        rect_i area;
        vec2i image;
        rect_i expected;
    };
    const row rows[] = {
        // area                  image       fitted
        {{{10, 20}, {200, 100}}, {50, 50}, {{60, 20}, {100, 100}}},   // wide area: full height, centred across
        {{{0, 0}, {100, 300}}, {40, 20}, {{0, 125}, {100, 50}}},      // tall area: full width, centred down
        {{{5, 5}, {30, 30}}, {300, 150}, {{5, 12}, {30, 15}}},        // reduced as well as enlarged
        {{{0, 0}, {101, 50}}, {10, 10}, {{25, 0}, {50, 50}}},         // an odd leftover rounds down
        {{{7, 7}, {100, 100}}, {0, 10}, {}},                          // no aspect ratio: nothing
    };
    for (const row& r : rows)
        EXPECT_EQ(fit_image(r.area, r.image), r.expected) << r.image.x << "x" << r.image.y;
}

TEST(DrawingGeometry, ShadowPiecesSurroundTheMovedRectangle)
{
    // size 10: k = 7 outward, 3 inward of the rectangle moved to {12, 23, 112, 73}.
    const shadow_geometry g = shadow_pieces({{10, 20}, {100, 50}}, {2, 3}, 10);
    EXPECT_EQ(g.radius, 10);
    EXPECT_EQ(g.core, (rect_ltrb{15, 26, 109, 70}));
    // Bottom-right corner first, round the core's corner; the left band fades outward.
    EXPECT_EQ(g.corners[0].area, (rect_ltrb{109, 70, 119, 80}));
    EXPECT_EQ(g.corners[0].centre, (vec2i{109, 70}));
    EXPECT_EQ(g.bands[0].area, (rect_ltrb{5, 26, 15, 70}));
    EXPECT_EQ(g.bands[0].opaque_end, (vec2i{15, 26}));
    EXPECT_EQ(g.bands[0].clear_end, (vec2i{5, 26}));
    // The nine pieces tile the outer rectangle without gaps: their areas add up to it.
    long long covered = 0;
    const auto area = [](rect_ltrb r) { return static_cast<long long>(r.right - r.left) * (r.bottom - r.top); };
    for (const auto& c : g.corners)
        covered += area(c.area);
    for (const auto& b : g.bands)
        covered += area(b.area);
    EXPECT_EQ(covered + area(g.core), area({5, 16, 119, 80}));

    // Without a soft border the core is the moved rectangle itself.
    EXPECT_EQ(shadow_pieces({{10, 20}, {100, 50}}, {2, 3}, 0).core, (rect_ltrb{12, 23, 112, 73}));
}

TEST(ScreenGeometry, PixelCrossingsRoundLikeMulDivAndDirtyRectanglesWidenOutward)
{
    EXPECT_EQ(mul_div(5, 3, 2), 8);    // 7.5 rounds away from zero
    EXPECT_EQ(mul_div(-5, 3, 2), -8);
    EXPECT_EQ(mul_div(1, 1, 0), -1);   // as MulDiv reports a zero divisor
    EXPECT_EQ(dips_to_pixels(101, 144), 152);
    EXPECT_EQ(pixels_to_dips(152, 144), 101);
    EXPECT_EQ(dirty_pixels_to_dips({1, 2, 151, 152}, 144, 144), (rect_ltrb{0, 1, 101, 102}));
}
