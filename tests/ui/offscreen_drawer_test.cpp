#include "lcsdk/ui/native_bitmap.h"
#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/offscreen/offscreen_platform.h"
#include "lcsdk/ui/window.h"

#include "support/png_bytes.h"
#include "support/toolkit_test.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <vector>

using namespace lcsdk::ui;
namespace off = lcsdk::ui::offscreen;

namespace {

constexpr color4f red{1, 0, 0, 1};
constexpr color4f green{0, 1, 0, 1};

// A window whose one widget draws whatever the test asks for in its paint handler.
class DrawerTest : public lcsdk::testing::toolkit_test {
protected:
    DrawerTest()
    {
        win.create("canvas", {{0, 0}, {240, 200}});
        area.create(win.root, {{10, 10}, {200, 160}});
        add_handler(&area, &area, paint_event, [this](const event_info&) {
            if (draw)
                draw(*win.drawer);
        });
    }

    // Paints the whole client area, from a cleared image, with `painter` as the widget's drawing.
    void paint(std::function<void(native_drawer&)> painter)
    {
        draw = std::move(painter);
        off::clear_image(win);
        win.paint({0, 0, 240, 200});
    }

    std::uint8_t alpha(int x, int y) const { return off::pixel_rgba(win, x, y).a; }
    bool painted(int x, int y) const { return alpha(x, y) != 0; }

    // Columns of one image row that hold any paint, between two x values.
    std::set<int> painted_columns(int y, int from, int to) const
    {
        std::set<int> columns;
        for (int x = from; x <= to; ++x)
            if (painted(x, y))
                columns.insert(x);
        return columns;
    }

    std::set<int> painted_rows(int x, int from, int to) const
    {
        std::set<int> rows;
        for (int y = from; y <= to; ++y)
            if (painted(x, y))
                rows.insert(y);
        return rows;
    }

    // Bounding box of every painted pixel, {left, top, right, bottom} exclusive; all -1 when empty.
    rect_ltrb ink_box() const
    {
        rect_ltrb box{-1, -1, -1, -1};
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 240; ++x)
                if (painted(x, y)) {
                    if (box.left < 0 || x < box.left)
                        box.left = x;
                    if (box.top < 0)
                        box.top = y;
                    box.right = std::max(box.right, x + 1);
                    box.bottom = y + 1;
                }
        return box;
    }

    const off::draw_op& last_op(off::op_kind kind) const
    {
        const auto& ops = off::recorded_ops(win);
        for (auto it = ops.rbegin(); it != ops.rend(); ++it)
            if (it->kind == kind)
                return *it;
        throw std::runtime_error("operation not recorded");
    }

    window win;
    widget area;
    std::function<void(native_drawer&)> draw;
};

TEST_F(DrawerTest, FillRectPaintsItsRectangleInWidgetCoordinatesWithItsColour)
{
    paint([](native_drawer& d) {
        d.set_fill_color({1, 0, 0, 0.5f});
        d.fill_rect({{5, 5}, {10, 10}});
    });
    EXPECT_EQ(painted_columns(20, 10, 30), (std::set<int>{15, 16, 17, 18, 19, 20, 21, 22, 23, 24}));
    EXPECT_EQ(painted_rows(20, 10, 30), (std::set<int>{15, 16, 17, 18, 19, 20, 21, 22, 23, 24}));
    const off::rgba8 p = off::pixel_rgba(win, 20, 20);
    EXPECT_EQ(p.r, 255);
    EXPECT_EQ(p.g, 0);
    EXPECT_NEAR(p.a, 128, 1);
    // Stored premultiplied: red carries the alpha.
    EXPECT_NEAR(static_cast<int>((off::pixel_argb(win, 20, 20) >> 16) & 0xff), 128, 1);
}

TEST_F(DrawerTest, DrawRectKeepsItsOutlineInsideTheRectangle)
{
    struct row {
        float width;
        std::set<int> columns; // painted on the middle row of a rectangle at x = 10 + 5, 10 wide
    };
    const std::vector<row> rows{
        {1.0f, {15, 24}},
        {2.0f, {15, 16, 23, 24}},
        {3.0f, {15, 16, 17, 22, 23, 24}},
    };
    for (const row& r : rows) {
        paint([&](native_drawer& d) {
            d.set_line_color(red, r.width);
            d.draw_rect({{5, 5}, {10, 10}});
        });
        EXPECT_EQ(painted_columns(20, 10, 30), r.columns) << "line width " << r.width;
        // Top edge: exactly `width` rows (rounded down for odd halves) at the rectangle's top.
        EXPECT_TRUE(painted(20, 15)) << "line width " << r.width;
        EXPECT_FALSE(painted(20, 14)) << "line width " << r.width;
        // Aliased: every painted pixel is fully opaque.
        EXPECT_EQ(alpha(15, 20), 255);
    }
}

TEST_F(DrawerTest, DrawLineShiftsOddWidthsOntoPixelCentres)
{
    struct row {
        float width;
        vec2i from, to;
        bool horizontal;
        std::set<int> across; // painted rows (horizontal) or columns (vertical)
    };
    const std::vector<row> rows{
        {1.0f, {0, 5}, {10, 5}, true, {15}},
        {2.0f, {0, 5}, {10, 5}, true, {14, 15}},
        {3.0f, {0, 5}, {10, 5}, true, {14, 15, 16}},
        {1.0f, {5, 0}, {5, 10}, false, {15}},
        {2.0f, {5, 0}, {5, 10}, false, {14, 15}},
    };
    for (const row& r : rows) {
        paint([&](native_drawer& d) {
            d.set_line_color(green, r.width);
            d.draw_line(r.from, r.to);
        });
        const auto across = r.horizontal ? painted_rows(15, 5, 25) : painted_columns(15, 5, 25);
        EXPECT_EQ(across, r.across) << "width " << r.width << (r.horizontal ? " horizontal" : " vertical");
        // Along the line: pixel centres from the start up to, not including, the end.
        const auto along = r.horizontal ? painted_columns(15, 5, 25) : painted_rows(15, 5, 25);
        EXPECT_EQ(along, (std::set<int>{10, 11, 12, 13, 14, 15, 16, 17, 18, 19}));
    }
}

TEST_F(DrawerTest, DottedLinesDashInUnitsOfTheLineWidth)
{
    paint([](native_drawer& d) {
        d.set_line_color(red, 2.0f);
        d.set_line_style(1);
        d.draw_line({0, 5}, {20, 5});
    });
    // Dashes of two DIPs on, two off, starting at the line's start (x = 10 in the window).
    EXPECT_EQ(painted_columns(15, 8, 32), (std::set<int>{10, 11, 14, 15, 18, 19, 22, 23, 26, 27}));
    EXPECT_EQ(last_op(off::op_kind::draw_line).state.line_style, 1);
}

TEST_F(DrawerTest, DrawingIsClippedToTheWidgetAndToThePaintRectangle)
{
    paint([](native_drawer& d) {
        d.set_fill_color(red);
        d.fill_rect({{-50, -50}, {400, 400}});
    });
    EXPECT_EQ(painted_columns(50, 0, 239), [] {
        std::set<int> inside;
        for (int x = 10; x < 210; ++x)
            inside.insert(x);
        return inside;
    }());
    EXPECT_FALSE(painted(50, 9));
    EXPECT_FALSE(painted(50, 170));

    // A second pass over part of the window only touches that part.
    draw = [](native_drawer& d) {
        d.set_fill_color(green);
        d.fill_rect({{-50, -50}, {400, 400}});
    };
    win.paint({0, 0, 30, 40});
    EXPECT_EQ(off::pixel_rgba(win, 29, 39), (off::rgba8{0, 255, 0, 255}));
    EXPECT_EQ(off::pixel_rgba(win, 30, 39), (off::rgba8{255, 0, 0, 255}));
    EXPECT_EQ(off::pixel_rgba(win, 29, 40), (off::rgba8{255, 0, 0, 255}));

    const off::draw_op& fill = last_op(off::op_kind::fill_rect);
    EXPECT_EQ(fill.clip, (rect_ltrb{10, 10, 30, 40}));
    EXPECT_EQ(fill.origin, (vec2i{10, 10}));
}

TEST_F(DrawerTest, NestedWidgetsDrawFromTheirAccumulatedOriginInOneFrame)
{
    widget child;
    child.create(area, {{5, 7}, {20, 20}});
    add_handler(&child, &child, paint_event, [this](const event_info&) {
        win.drawer->set_fill_color(red);
        win.drawer->fill_rect({{0, 0}, {3, 3}});
    });
    const std::size_t frames = off::painted_frames(win);
    paint(nullptr);

    EXPECT_EQ(painted_columns(18, 10, 30), (std::set<int>{15, 16, 17}));
    EXPECT_EQ(painted_rows(16, 10, 30), (std::set<int>{17, 18, 19}));
    EXPECT_EQ(off::painted_frames(win), frames + 1);

    const off::draw_op& fill = last_op(off::op_kind::fill_rect);
    EXPECT_EQ(fill.origin, (vec2i{15, 17}));
    ASSERT_EQ(fill.clips.size(), 6u); // paint rectangle and widget, for root, area and child
    EXPECT_EQ(fill.clip, (rect_ltrb{15, 17, 35, 37}));

    std::vector<std::string> nesting;
    for (const off::draw_op& op : off::recorded_ops(win))
        if (op.kind == off::op_kind::begin_widget)
            nesting.push_back("+" + op.widget_name);
        else if (op.kind == off::op_kind::end_widget)
            nesting.push_back("-");
    EXPECT_EQ(nesting, (std::vector<std::string>{"+BaseWidget", "+Widget", "+Widget", "-", "-", "-"}));
}

TEST_F(DrawerTest, DrawingOutsideAPaintPassIsRecordedButPaintsNothing)
{
    paint(nullptr);
    win.drawer->set_fill_color(red);
    win.drawer->fill_rect({{0, 0}, {50, 50}});
    EXPECT_FALSE(last_op(off::op_kind::fill_rect).in_frame);
    EXPECT_FALSE(painted(5, 5));
}

// Expected shadow opacity at a distance from the band's inner (opaque) edge, by the gradient's stops.
double shadow_alpha(double position)
{
    const auto stop_alpha = [](int i) {
        const float m = 1.0f - 0.1f * static_cast<float>(i);
        return static_cast<double>(std::pow(3.0f, -((m - 1.0f) * (m - 1.0f)) / 0.72f));
    };
    if (position >= 20.0 / 21.0)
        return stop_alpha(20);
    const int i = static_cast<int>(position * 21.0);
    const double t = position * 21.0 - i;
    return stop_alpha(i) * (1 - t) + stop_alpha(i + 1) * t;
}

TEST_F(DrawerTest, ShadowReachesFourteenBeyondAndIsOpaqueSixInsideForSizeTwenty)
{
    struct row {
        vec2i offset;
    };
    for (const row r : {row{{0, 0}}, row{{5, -3}}}) {
        paint([&](native_drawer& d) {
            d.draw_shadow({{50, 40}, {80, 60}}, r.offset, 20);
        });
        // The shifted rectangle's left edge in the window and a row through its middle.
        const int left = 10 + 50 + r.offset.x;
        const int right = left + 80;
        const int top = 10 + 40 + r.offset.y;
        const int middle = top + 30;

        EXPECT_FALSE(painted(left - 15, middle)) << "offset " << r.offset.x;
        EXPECT_FALSE(painted(right + 14, middle));
        EXPECT_FALSE(painted(left + 30, top - 15));
        EXPECT_EQ(alpha(left + 6, middle), 255);
        EXPECT_EQ(alpha(right - 7, middle), 255);
        EXPECT_EQ(alpha(left + 30, top + 6), 255);
        // Through the band the opacity follows the gradient from the inner edge (left + 6) outwards.
        for (int x = left - 14; x < left + 6; ++x) {
            const double position = (left + 6 - (x + 0.5)) / 20.0;
            EXPECT_NEAR(alpha(x, middle), 255 * shadow_alpha(position), 3) << "x " << x;
        }
        for (int y = top - 14; y < top + 6; ++y) {
            const double position = (top + 6 - (y + 0.5)) / 20.0;
            EXPECT_NEAR(alpha(left + 30, y), 255 * shadow_alpha(position), 3) << "y " << y;
        }
        // Corners fade radially from the inner corner point.
        EXPECT_NEAR(alpha(left - 4, top - 4), 255 * shadow_alpha(std::hypot(9.5, 9.5) / 20.0), 3);
    }
}

TEST_F(DrawerTest, DrawImageFitKeepsTheAspectRatioAndCentres)
{
    struct row {
        int image_w, image_h;
        float scale;
        rect_i box;
        rect_i expected;
    };
    const std::vector<row> rows{
        {160, 310, 1.0f, {{0, 0}, {100, 100}}, {{24, 0}, {51, 100}}},
        {10, 20, 1.0f, {{0, 0}, {100, 100}}, {{25, 0}, {50, 100}}},    // enlarged
        {40, 10, 2.0f, {{5, 5}, {60, 60}}, {{5, 27}, {60, 15}}},       // scale halves the DIP size
        {30, 30, 1.0f, {{10, 20}, {50, 80}}, {{10, 35}, {50, 50}}},
    };
    for (const row& r : rows) {
        const auto png = lcsdk::testing::solid_png(r.image_w, r.image_h, 0xff0000ffu);
        native_bitmap bitmap;
        ASSERT_TRUE(bitmap.load_from_memory(png.data(), png.size(), r.scale));
        paint([&](native_drawer& d) {
            d.draw_image_fit(r.box, bitmap);
        });
        const off::draw_op& op = last_op(off::op_kind::draw_image_fit);
        EXPECT_EQ(op.destination, r.expected) << r.image_w << "x" << r.image_h;
        EXPECT_EQ(ink_box(), (rect_ltrb{10 + r.expected.left(), 10 + r.expected.top(), 10 + r.expected.right(),
                                        10 + r.expected.bottom()}));
        EXPECT_EQ(off::pixel_rgba(win, 10 + r.expected.left(), 10 + r.expected.top()), (off::rgba8{0, 0, 255, 255}));
    }
}

TEST_F(DrawerTest, DrawImageTakesItsSourceInImageDipsTimesTheScale)
{
    // 4 x 4 pixels at scale 2 is 2 x 2 DIPs, one colour per 2 x 2 pixel quadrant.
    const auto png = lcsdk::testing::quadrant_png(4, 4, {0xffff0000u, 0xff00ff00u, 0xff0000ffu, 0xffffffffu});
    native_bitmap bitmap;
    ASSERT_TRUE(bitmap.load_from_memory(png.data(), png.size(), 2.0f));
    paint([&](native_drawer& d) {
        d.draw_image({0, 0}, bitmap, {{1, 0}, {1, 1}}); // top-right quadrant
        d.draw_image({3, 0}, bitmap, {{0, 1}, {1, 1}}); // bottom-left quadrant
        d.draw_image({6, 0}, bitmap, {{0, 0}, {2, 2}}); // everything, one DIP per quadrant
    });
    EXPECT_EQ(off::pixel_rgba(win, 10, 10), (off::rgba8{0, 255, 0, 255}));
    EXPECT_EQ(off::pixel_rgba(win, 13, 10), (off::rgba8{0, 0, 255, 255}));
    EXPECT_EQ(off::pixel_rgba(win, 16, 10), (off::rgba8{255, 0, 0, 255}));
    EXPECT_EQ(off::pixel_rgba(win, 17, 11), (off::rgba8{255, 255, 255, 255}));
    EXPECT_EQ(ink_box(), (rect_ltrb{10, 10, 18, 12}));
    EXPECT_EQ(last_op(off::op_kind::draw_image).destination, (rect_i{{6, 0}, {2, 2}}));
}

TEST_F(DrawerTest, ImagesThatAreNotLoadedCannotBeDrawn)
{
    native_bitmap bitmap;
    paint([&](native_drawer& d) { EXPECT_THROW(d.draw_image_fit({{0, 0}, {10, 10}}, bitmap), std::runtime_error); });
}

TEST_F(DrawerTest, TextIsDrawnInsideItsBoxAndAlignmentMovesIt)
{
    const rect_i box{{20, 20}, {160, 100}};
    const auto ink_for = [&](int h, int v) {
        paint([&](native_drawer& d) {
            d.set_text_color(red);
            d.set_font("Verdana", 14.0f, 0, 0);
            d.set_text_alignment(h, v);
            d.draw_text(box, "Glaive");
        });
        return ink_box();
    };
    const rect_ltrb left_top = ink_for(h_align_left, v_align_top);
    ASSERT_GE(left_top.left, 0) << "no text was drawn";
    EXPECT_GE(left_top.left, 30);
    EXPECT_GE(left_top.top, 30);
    EXPECT_LE(left_top.right, 190);
    EXPECT_LE(left_top.bottom, 130);
    EXPECT_LT(left_top.left, 35);
    EXPECT_LT(left_top.top, 40);

    const rect_ltrb centre_centre = ink_for(h_align_center, v_align_center);
    const rect_ltrb right_bottom = ink_for(h_align_right, v_align_bottom);
    const rect_ltrb other_kinds = ink_for(7, 7);
    EXPECT_GT(centre_centre.left, left_top.left + 30);
    EXPECT_GT(right_bottom.left, centre_centre.left + 30);
    EXPECT_GT(centre_centre.top, left_top.top + 20);
    EXPECT_GT(right_bottom.top, centre_centre.top + 20);
    EXPECT_LE(right_bottom.right, 190);
    EXPECT_LE(right_bottom.bottom, 130);
    EXPECT_EQ(other_kinds, centre_centre);
    // The text keeps its colour (edges are only less opaque).
    const off::rgba8 sample = off::pixel_rgba(win, (other_kinds.left + other_kinds.right) / 2, other_kinds.top + 3);
    if (sample.a > 0) {
        EXPECT_EQ(sample.g, 0);
        EXPECT_EQ(sample.b, 0);
    }
}

TEST_F(DrawerTest, TextWrapsAtWordsWithinTheBoxWidth)
{
    paint([](native_drawer& d) {
        d.set_text_alignment(h_align_left, v_align_top);
        d.draw_text({{0, 0}, {70, 150}}, "one two three four five");
    });
    const rect_ltrb ink = ink_box();
    EXPECT_LE(ink.right, 10 + 70);
    EXPECT_GT(ink.bottom - ink.top, 3 * 12); // several lines of 12-DIP text
}

TEST_F(DrawerTest, MeasureTextAddsOneToWidthAndHeight)
{
    native_drawer& d = *win.drawer;
    const vec2i empty = d.measure_text("", {0, 0});
    const vec2i one_line = d.measure_text("Ag", {0, 0});
    EXPECT_EQ(empty.x, 1);
    EXPECT_EQ(empty.y, one_line.y);
    EXPECT_GT(one_line.y, 12);
    EXPECT_LT(one_line.y, 24);

    EXPECT_GT(d.measure_text("abc   ", {0, 0}).x, d.measure_text("abc", {0, 0}).x);

    const std::string sentence = "the quick brown fox jumps over the lazy dog";
    const vec2i unlimited = d.measure_text(sentence, {0, 0});
    const vec2i limited = d.measure_text(sentence, {80, 0});
    EXPECT_EQ(unlimited.y, one_line.y);
    EXPECT_LE(limited.x, 81);
    EXPECT_GT(limited.y, 2 * (one_line.y - 1));

    const vec2i normal = d.measure_text("Weight", {0, 0});
    d.set_font("Verdana", 12.0f, font_weight_bold, font_style_normal);
    EXPECT_GT(d.measure_text("Weight", {0, 0}).x, normal.x);
    d.set_font("Verdana", 24.0f, font_weight_normal, font_style_normal);
    EXPECT_GT(d.measure_text("Weight", {0, 0}).y, normal.y + 8);
}

TEST_F(DrawerTest, OperationsRecordTheStateInForce)
{
    struct row {
        int weight_kind, style_kind, h_kind, v_kind;
        int weight;
        bool italic;
        h_align h;
        v_align v;
    };
    const std::vector<row> rows{
        {font_weight_normal, font_style_normal, 0, 1, 400, false, h_align_left, v_align_top},
        {font_weight_light, font_style_italic, 2, 2, 300, true, h_align_right, v_align_bottom},
        {font_weight_bold, font_style_normal, 1, 0, 700, false, h_align_center, v_align_center},
        {5, 2, 7, 7, 400, false, h_align_center, v_align_center},
        {-1, -1, -1, -1, 400, false, h_align_center, v_align_center},
    };
    for (const row& r : rows) {
        paint([&](native_drawer& d) {
            d.set_font("Arial", 16.5f, r.weight_kind, r.style_kind);
            d.set_text_alignment(r.h_kind, r.v_kind);
            d.draw_text({{0, 0}, {50, 20}}, "x");
        });
        const off::drawer_state& s = last_op(off::op_kind::draw_text).state;
        EXPECT_EQ(s.font_family, "Arial");
        EXPECT_EQ(s.font_size, 16.5f);
        EXPECT_EQ(s.font_weight, r.weight) << "weight kind " << r.weight_kind;
        EXPECT_EQ(s.italic, r.italic) << "style kind " << r.style_kind;
        EXPECT_EQ(s.text_h, r.h) << "h kind " << r.h_kind;
        EXPECT_EQ(s.text_v, r.v) << "v kind " << r.v_kind;
    }
}

TEST_F(DrawerTest, DefaultStateBeforeAnySetter)
{
    paint([](native_drawer& d) { d.fill_rect({{0, 0}, {1, 1}}); });
    const off::drawer_state& s = last_op(off::op_kind::fill_rect).state;
    EXPECT_EQ(s.fill_color, (color4f{0, 0, 0, 1}));
    EXPECT_EQ(s.line_color, (color4f{1, 1, 1, 1}));
    EXPECT_EQ(s.text_color, (color4f{1, 1, 1, 1}));
    EXPECT_EQ(s.line_width, 1.0f);
    EXPECT_EQ(s.line_style, 0);
    EXPECT_EQ(s.font_family, "Verdana");
    EXPECT_EQ(s.font_size, 12.0f);
    EXPECT_EQ(s.font_weight, 400);
    EXPECT_EQ(off::pixel_rgba(win, 10, 10), (off::rgba8{0, 0, 0, 255}));
}

} // namespace
