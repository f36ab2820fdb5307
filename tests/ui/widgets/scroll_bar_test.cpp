#include "lcsdk/ui/widgets/scroll_bar.h"

#include "lcsdk/ui/mouse.h"
#include "lcsdk/ui/widgets/generic_panel.h"
#include "widget_test_support.h"

#include <gtest/gtest.h>

#include <memory>

using namespace lcsdk::ui;
using namespace lcsdk::testing;
namespace os = lcsdk::ui::offscreen;

namespace {

// A 200 x 200 viewport at (10, 10) with a content panel inside it, and a 16 x 200 vertical bar
// with arrow buttons at (220, 10).
class ScrollBarTest : public widget_test {
protected:
    ScrollBarTest()
    {
        viewport.create(win.root, {{10, 10}, {200, 200}});
        content.create(viewport, {{0, 0}, {200, 200}});
        bar.create(win.root, {{220, 10}, {16, 200}});
        os::post_mouse_move(win, {390, 290});
        os::pump();
    }

    void with_overflow(int overflow)
    {
        content.set_rect({{0, 0}, {200, 200 + overflow}});
        bar.set_scroll_panel(&content);
    }
    int scrolled() const { return -content.position.y; }
    // Client point of a point in the bar's coordinates.
    static vec2i on_bar(vec2i p) { return {220 + p.x, 10 + p.y}; }
    void click_bar(vec2i p)
    {
        os::post_click(win, on_bar(p));
        os::pump();
    }
    // Presses on the thumb of a bar over 1005 DIPs of overflow and drags it 23 DIPs down.
    void start_thumb_drag()
    {
        with_overflow(1005);
        os::post_mouse_move(win, on_bar({8, 24}));
        os::post_button_down();
        os::post_mouse_move(win, on_bar({8, 47}));
        os::pump();
    }

    GenericPanel viewport;
    GenericPanel content;
    ScrollBar bar{ScrollBar::vertical, true};
};

TEST_F(ScrollBarTest, ThumbShrinksWithTheOverflow)
{
    struct row {
        int overflow;
        int thumb_length;
        float ratio;
        int max_position;
    };
    const row rows[] = {
        // overflow  thumb  ratio          max
        {1000, 16, 152.0f / 1000.0f, 1000}, // 168-pixel track, thumb at its minimum, the bar's thickness
        {50, 118, 1.0f, 50},
        {0, 168, 0.0f, 0},
        {-30, 168, 0.0f, 0},
    };
    for (const row& r : rows) {
        with_overflow(r.overflow);
        EXPECT_EQ(bar.max_scroll_position, r.max_position) << r.overflow;
        EXPECT_FLOAT_EQ(bar.ratio, r.ratio) << r.overflow;
        EXPECT_EQ(bar.thumb_rect, (rect_i{{0, 16}, {16, r.thumb_length}})) << r.overflow;

        // At the far end the thumb touches the end button.
        bar.scroll_to(r.max_position, true);
        EXPECT_EQ(bar.thumb_rect.bottom(), r.max_position > 0 ? 184 : 16 + r.thumb_length) << r.overflow;
        bar.scroll_to(0, true);
    }
}

TEST_F(ScrollBarTest, PositionsClampToBothEnds)
{
    with_overflow(300);
    struct step {
        const char* what;
        int delta_or_target;
        bool by;
        int expected;
    };
    const step steps[] = {
        {"back past the start", 100, true, 0},       {"forward", -120, true, 120},
        {"past the end", -5000, true, 300},          {"to before the start", -40, false, 0},
        {"to past the end", 99999, false, 300},      {"snapped toward 0", 127, false, 120},
    };
    for (const step& s : steps) {
        if (s.by)
            bar.scroll_by(s.delta_or_target);
        else
            bar.scroll_to(s.delta_or_target, false);
        EXPECT_EQ(scrolled(), s.expected) << s.what;
        EXPECT_EQ(bar.scroll_position, s.expected) << s.what;
    }
    bar.scroll_to(127, true);
    EXPECT_EQ(scrolled(), 127);
}

TEST_F(ScrollBarTest, DraggingTheThumbSnapsToTenAndClampsAtTheEnd)
{
    with_overflow(1005);
    os::post_mouse_move(win, on_bar({8, 24}));
    os::post_button_down();
    os::pump();
    EXPECT_TRUE(bar.dragging);
    EXPECT_EQ(get_captured_widget(), &bar);

    // 23 pixels of thumb travel at 152/1005 pixels per scrolled pixel, snapped toward 0.
    os::post_mouse_move(win, on_bar({8, 47}));
    os::pump();
    EXPECT_EQ(scrolled(), 150);

    // The capture keeps the moves coming while the pointer is far outside the bar.
    os::post_mouse_move(win, {60, 290});
    os::pump();
    EXPECT_EQ(scrolled(), 1005) << "clamped to the maximum, which is no multiple of 10";

    // A release that ends a drag over the end button takes no step.
    os::post_mouse_move(win, on_bar({8, 195}));
    os::post_button_up();
    os::pump();
    EXPECT_FALSE(bar.dragging);
    EXPECT_EQ(get_captured_widget(), nullptr);
    EXPECT_EQ(scrolled(), 1005);
}

TEST_F(ScrollBarTest, ADragEndsWhenAnotherWindowTakesTheCapture)
{
    start_thumb_drag();
    ASSERT_TRUE(bar.dragging);

    window other;
    other.create("other", {{400, 0}, {100, 100}});
    widget thief;
    thief.create(other.root, {{0, 0}, {10, 10}});
    capture_widget(thief);
    EXPECT_FALSE(bar.dragging);
    EXPECT_EQ(get_captured_widget(), &thief);
    EXPECT_TRUE(os::has_capture(other)) << "the window that took the capture keeps it";

    // Without the capture the thumb no longer follows the pointer.
    os::post_mouse_move(win, on_bar({8, 120}));
    os::pump();
    EXPECT_EQ(scrolled(), 150);
    release_widget(thief);
}

TEST_F(ScrollBarTest, ADragEndsWhenAPopupOpensOverItsWindow)
{
    start_thumb_drag();
    ASSERT_TRUE(bar.dragging);

    window popup;
    popup.create("popup", {{50, 50}, {120, 80}}, 0, &win);
    bool dragging_under_popup = true;
    os::post_callback([&] {
        dragging_under_popup = bar.dragging;
        popup.end_modal(0);
    });
    popup.show_modal();
    EXPECT_FALSE(dragging_under_popup) << "disabling the owner took its capture and ended the drag";
    EXPECT_EQ(get_captured_widget(), nullptr);
}

TEST_F(ScrollBarTest, ArrowsStepByTenEvenWhenThePressBeganElsewhere)
{
    with_overflow(25);
    const vec2i end_button{8, 192};
    const vec2i start_button{8, 8};
    struct step {
        vec2i where;
        int expected;
    };
    const step steps[] = {{end_button, 10}, {end_button, 20}, {end_button, 25}, {start_button, 15}, {start_button, 5},
                          {start_button, 0}};
    for (const step& s : steps) {
        click_bar(s.where);
        EXPECT_EQ(scrolled(), s.expected);
    }

    os::post_mouse_move(win, {390, 290});
    os::post_button_down();
    os::post_mouse_move(win, on_bar(end_button));
    os::post_button_up();
    os::pump();
    EXPECT_EQ(scrolled(), 10);

    // Right and middle releases do nothing.
    os::post_click(win, on_bar(end_button), button_right);
    os::post_click(win, on_bar(end_button), button_middle);
    os::pump();
    EXPECT_EQ(scrolled(), 10);
}

TEST_F(ScrollBarTest, TrackClicksJumpTheThumbTowardThePointer)
{
    with_overflow(1000);
    click_bar({8, 100}); // below the thumb: travel 100 - 16
    EXPECT_EQ(scrolled(), static_cast<int>(84.0 / static_cast<double>(152.0f / 1000.0f)));
    EXPECT_EQ(bar.thumb_rect.position.y, 16 + static_cast<int>(static_cast<float>(scrolled()) * bar.ratio));

    click_bar({8, 20}); // above the thumb
    EXPECT_EQ(scrolled(), static_cast<int>(20.0 / static_cast<double>(bar.ratio)));
}

TEST_F(ScrollBarTest, ContentThatFitsNeverScrolls)
{
    with_overflow(0);
    click_bar({8, 192});
    click_bar({8, 100});
    os::post_mouse_move(win, on_bar({8, 50}));
    os::post_button_down();
    os::post_mouse_move(win, on_bar({8, 150}));
    os::post_button_up();
    os::post_wheel(-120);
    os::pump();
    EXPECT_EQ(scrolled(), 0);
}

TEST_F(ScrollBarTest, TheWheelBubblesFromAWidgetInsideThePanel)
{
    with_overflow(500);
    widget inner; // has no wheel handler of its own
    inner.create(content, {{20, 20}, {100, 100}});
    os::post_mouse_move(win, {50, 50});
    os::post_wheel(-120); // one notch toward the user: -60
    os::pump();
    EXPECT_EQ(scrolled(), 60);

    os::post_mouse_move(win, on_bar({8, 100}));
    os::post_wheel(-240);
    os::pump();
    EXPECT_EQ(scrolled(), 180) << "over the bar itself";

    os::post_wheel(1200);
    os::pump();
    EXPECT_EQ(scrolled(), 0);
}

TEST_F(ScrollBarTest, AGrowingViewportKeepsTheFarEdgeInPlace)
{
    with_overflow(100);
    bar.scroll_to(100, true);
    struct step {
        int viewport_height;
        int panel_y;
        int max_position;
    };
    const step steps[] = {{250, -50, 50}, {260, -40, 40}, {400, 0, 0}, {150, 0, 150}};
    for (const step& s : steps) {
        viewport.set_rect({{10, 10}, {200, s.viewport_height}});
        EXPECT_EQ(content.position.y, s.panel_y) << s.viewport_height;
        EXPECT_EQ(bar.max_scroll_position, s.max_position) << s.viewport_height;
    }
}

TEST_F(ScrollBarTest, ShrinkingContentPullsTheViewBack)
{
    with_overflow(1000);
    bar.scroll_to(1000, true);
    content.set_rect({{0, -1000}, {200, 300}});
    EXPECT_EQ(scrolled(), 100);
    EXPECT_EQ(bar.thumb_rect, (rect_i{{0, 116}, {16, 68}}));
}

TEST_F(ScrollBarTest, DrawsBackThumbGripAndArrowHalves)
{
    with_overflow(50);
    repaint_all();
    const auto ops = ops_of(win, bar);
    std::vector<op_kind> kinds;
    for (const draw_op& op : ops)
        kinds.push_back(op.kind);
    using k = op_kind;
    EXPECT_EQ(kinds, (std::vector<op_kind>{k::fill_rect, k::fill_rect, k::draw_line, k::draw_line, k::draw_line,
                                           k::fill_rect, k::draw_line, k::draw_image, k::fill_rect, k::draw_line,
                                           k::draw_image}));
    ASSERT_EQ(ops.size(), kinds.size());
    EXPECT_EQ(ops[0].rect, (rect_i{{0, 0}, {16, 200}}));
    EXPECT_TRUE(near(ops[0].state.fill_color, get_color(bar.theme, "scroll_back_color")));
    EXPECT_EQ(ops[1].rect, (rect_i{{0, 16}, {16, 118}}));
    EXPECT_TRUE(near(ops[1].state.fill_color, get_color(bar.theme, "scroll_bar_back_color")));
    const int centre = 16 + 118 / 2;
    EXPECT_EQ(ops[2].from, (vec2i{4, centre - 3}));
    EXPECT_EQ(ops[2].to, (vec2i{12, centre - 3}));
    EXPECT_EQ(ops[4].from.y, centre + 3);
    EXPECT_EQ(ops[4].state.line_style, 0);
    EXPECT_EQ(ops[5].rect, (rect_i{{0, 0}, {16, 16}}));
    EXPECT_EQ(ops[6].from, (vec2i{0, 0}));
    EXPECT_EQ(ops[6].to, (vec2i{16, 0}));
    EXPECT_EQ(ops[7].destination, (rect_i{{4, 6}, {8, 4}}));
    EXPECT_EQ(ops[7].source, (rect_i{{0, 0}, {8, 4}}));
    EXPECT_EQ(ops[9].from, (vec2i{0, 184}));
    EXPECT_EQ(ops[10].destination, (rect_i{{4, 190}, {8, 4}}));
    EXPECT_EQ(ops[10].source, (rect_i{{0, 4}, {8, 4}}));
}

TEST_F(ScrollBarTest, ResizingTheBarLaysItsPartsOutAgain)
{
    with_overflow(50);
    bar.set_rect({{220, 10}, {20, 150}});
    EXPECT_EQ(bar.start_button_rect, (rect_i{{0, 0}, {20, 20}}));
    EXPECT_EQ(bar.end_button_rect, (rect_i{{0, 130}, {20, 20}}));
    EXPECT_EQ(bar.thumb_rect, (rect_i{{0, 20}, {20, 60}}));
}

TEST_F(ScrollBarTest, ABarThatOutlivesItsPanelScrollsNothing)
{
    // The panel goes alone, or after its viewport has orphaned it.
    for (const bool viewport_goes_first : {false, true}) {
        auto port = std::make_unique<GenericPanel>();
        port->create(win.root, {{10, 220}, {100, 50}});
        auto panel = std::make_unique<GenericPanel>();
        panel->create(*port, {{0, 0}, {100, 400}});
        bar.set_scroll_panel(panel.get());
        bar.scroll_to(100, true);
        if (viewport_goes_first)
            port.reset();
        panel.reset();
        EXPECT_EQ(bar.panel, nullptr) << viewport_goes_first;
        EXPECT_EQ(bar.thumb_rect, (rect_i{{0, 16}, {16, 168}})) << "the thumb fills the track";

        // Every way that used to reach the panel: wheel, arrow release, press and drag, resizes.
        os::post_mouse_move(win, on_bar({8, 100}));
        os::post_wheel(-120);
        click_bar({8, 192});
        os::post_button_down();
        os::post_mouse_move(win, on_bar({8, 150}));
        os::post_button_up();
        os::pump();
        if (port)
            port->set_rect({{10, 220}, {100, 80}});
        bar.set_rect({{220, 10}, {16, 150}});
        EXPECT_EQ(bar.thumb_rect, (rect_i{{0, 16}, {16, 118}})) << viewport_goes_first;
        EXPECT_EQ(bar.scroll_position, 0);
        bar.set_rect({{220, 10}, {16, 200}});
    }
}

class ScrollBarVariantsTest : public widget_test {
protected:
    ScrollBarVariantsTest()
    {
        viewport.create(win.root, {{10, 10}, {200, 200}});
        content.create(viewport, {{0, 0}, {250, 250}});
        os::post_mouse_move(win, {390, 290});
        os::pump();
    }
    GenericPanel viewport;
    GenericPanel content;
};

TEST_F(ScrollBarVariantsTest, WithoutButtonsTheTrackIsTheWholeBar)
{
    ScrollBar bar(ScrollBar::vertical, false);
    bar.create(win.root, {{220, 10}, {16, 200}});
    EXPECT_EQ(bar.thumb_rect, (rect_i{{0, 0}, {16, 200}})) << "without a panel the thumb fills the track";
    bar.set_scroll_panel(&content);
    EXPECT_EQ(bar.thumb_rect, (rect_i{{0, 0}, {16, 150}}));

    // A release where a button would be only ends the click; nothing steps.
    os::post_button_down();
    os::post_mouse_move(win, {228, 205});
    os::post_button_up();
    os::pump();
    EXPECT_EQ(content.position.y, 0);

    repaint_all();
    EXPECT_TRUE(ops_of(win, bar, op_kind::draw_image).empty());
}

TEST_F(ScrollBarVariantsTest, AHorizontalBarMovesThePanelSideways)
{
    ScrollBar bar(ScrollBar::horizontal, true);
    bar.create(win.root, {{10, 220}, {200, 16}});
    bar.set_scroll_panel(&content);
    EXPECT_EQ(bar.thumb_rect, (rect_i{{16, 0}, {118, 16}}));
    os::post_click(win, {10 + 192, 228});
    os::pump();
    EXPECT_EQ(content.position, (vec2i{-10, 0}));
    os::post_wheel(-120);
    os::pump();
    EXPECT_EQ(content.position.x, -50);

    repaint_all();
    const auto images = ops_of(win, bar, op_kind::draw_image);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].source, (rect_i{{0, 0}, {4, 8}}));
    EXPECT_EQ(images[0].destination.position, (vec2i{6, 4}));
    EXPECT_EQ(images[1].source, (rect_i{{4, 0}, {4, 8}}));
}

} // namespace
