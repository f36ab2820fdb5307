#include "lcsdk/ui/mouse.h"
#include "lcsdk/ui/native_platform.h"
#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/offscreen/offscreen_platform.h"
#include "lcsdk/ui/timer_table.h"
#include "lcsdk/ui/window.h"

#include "support/toolkit_test.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <optional>
#include <utility>
#include <string>
#include <thread>
#include <vector>

using namespace lcsdk::ui;
namespace off = lcsdk::ui::offscreen;

namespace {

class WindowTest : public lcsdk::testing::toolkit_test {
protected:
    // Logs "label:kind" for every event of the given kinds that reaches the object.
    void watch(event_object& sender, const std::string& label, std::initializer_list<std::int32_t> kinds)
    {
        for (const std::int32_t kind : kinds)
            add_handler(&sender, &listener, kind,
                        [this, label](const event_info& info) { log.push_back(label + ":" + std::to_string(info.kind)); });
    }

    std::vector<std::string> take_log() { return std::exchange(log, {}); }

    struct listener_object : event_object {} listener;
    std::vector<std::string> log;
};

using strings = std::vector<std::string>;

// ---- Timers on the virtual clock ----

TEST_F(WindowTest, TimersFireAtTheirIntervalAndStopWhenRemoved)
{
    window win;
    win.create("timers", {{0, 0}, {100, 100}});
    std::vector<std::uint64_t> ticks;
    add_handler(&win.root, &listener, timer_tick, [&](const event_info& info) {
        EXPECT_EQ(info.param, 1u);
        ticks.push_back(off::now_ms());
    });

    win.native->add_timer(&win.root, 1, 200, false);
    off::advance_clock(199);
    EXPECT_TRUE(ticks.empty());
    off::advance_clock(1);
    off::advance_clock(450);
    EXPECT_EQ(ticks, (std::vector<std::uint64_t>{200, 400, 600}));
    EXPECT_EQ(off::now_ms(), 650u);

    win.native->add_timer(&win.root, 1, 10, false); // same widget and id value: ignored
    EXPECT_EQ(off::timers(win).size(), 1u);
    off::advance_clock(150);
    EXPECT_EQ(ticks.back(), 800u);
    EXPECT_EQ(ticks.size(), 4u);

    win.native->remove_timer(&win.root, 1);
    win.native->remove_timer(&win.root, 1);
    win.native->remove_timer(nullptr, 5);
    off::advance_clock(1000);
    EXPECT_EQ(ticks.size(), 4u);
}

TEST_F(WindowTest, TimersFireInDueOrderAndOneShotsOnce)
{
    window win;
    win.create("timers", {{0, 0}, {100, 100}});
    widget a, b, c, d;
    for (widget* w : {&a, &b, &c, &d})
        w->create(win.root, {{0, 0}, {1, 1}});
    watch(a, "a", {timer_tick});
    watch(b, "b", {timer_tick});
    watch(c, "c", {timer_tick});
    watch(d, "d", {timer_tick});

    win.native->add_timer(&b, 2, 30, false);
    win.native->add_timer(&c, 3, 50, true);
    win.native->add_timer(&a, 1, 20, false);
    off::advance_clock(55);
    EXPECT_EQ(take_log(), (strings{"a:15", "b:15", "a:15", "c:15"}));
    EXPECT_EQ(off::timers(win).size(), 2u);

    // Intervals below the platform's minimum run at that minimum.
    win.native->remove_timer(&a, 1);
    win.native->remove_timer(&b, 2);
    win.native->add_timer(&d, 4, 0, true);
    off::advance_clock(4);
    EXPECT_TRUE(take_log().empty());
    off::advance_clock(6);
    EXPECT_EQ(take_log(), (strings{"d:15"}));
}

// The tick of a one-shot timer removes the entry that fired, and only that: its handler may have
// started the same timer again, or destroyed the window.
TEST_F(WindowTest, AOneShotHandlerMayRestartItsTimerOrDestroyTheWindow)
{
    auto win = std::make_unique<window>();
    win->create("one-shot", {{0, 0}, {100, 100}});
    int ticks = 0;
    add_handler(&win->root, &listener, timer_tick, [&](const event_info&) {
        if (++ticks == 1) {
            win->native->remove_timer(&win->root, 1);
            win->native->add_timer(&win->root, 1, 100, true);
        } else {
            win.reset();
        }
    });
    win->native->add_timer(&win->root, 1, 100, true);
    off::advance_clock(100);
    ASSERT_EQ(ticks, 1);
    EXPECT_EQ(off::timers(*win).size(), 1u) << "the timer started again survives its first tick";
    off::advance_clock(100);
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(win, nullptr);
}

// ---- The modal loop ----

TEST_F(WindowTest, CloseEndsTheLoopWithResultZeroAndOnlyHidesTheWindow)
{
    window win;
    win.create("closing", {{0, 0}, {100, 100}});
    bool was_shown = false;
    off::post_callback([&] { was_shown = off::is_visible(win) && off::is_modal(win); });
    off::post_close(win);
    off::post_callback([] {});
    EXPECT_EQ(win.show_modal(), 0);
    EXPECT_TRUE(was_shown);
    EXPECT_FALSE(off::is_visible(win));
    EXPECT_FALSE(off::is_modal(win));
    // The item after the close was left for whoever reads the queue next.
    EXPECT_EQ(off::queued_input(), 1u);
    EXPECT_EQ(off::pump(), 1u);

    off::post_callback([&] { win.end_modal(7); });
    EXPECT_EQ(win.show_modal(), 7);
}

TEST_F(WindowTest, ALoopWithNothingLeftToDoThrowsInsteadOfHanging)
{
    window win;
    win.create("starving", {{0, 0}, {100, 100}});
    try {
        win.show_modal();
        ADD_FAILURE() << "the loop returned";
    } catch (const off::modal_loop_starved& e) {
        EXPECT_NE(std::string(e.what()).find("starving"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(off::is_modal(win));

    // Timers alone keep it going only for the idle budget of virtual time.
    off::set_idle_budget_ms(1000);
    win.native->add_timer(&win.root, 1, 200, false);
    EXPECT_THROW(win.show_modal(), off::modal_loop_starved);
    EXPECT_LE(off::now_ms(), 1000u);
    EXPECT_GE(off::now_ms(), 800u);

    // Nor does input that keeps posting itself.
    win.native->remove_timer(&win.root, 1);
    std::function<void()> again = [&] { off::post_callback(again); };
    off::post_callback(again);
    EXPECT_THROW(win.show_modal(), off::modal_loop_starved);
}

TEST_F(WindowTest, TimersDriveAnIdleLoopUntilAHandlerEndsIt)
{
    window win;
    win.create("polling", {{0, 0}, {100, 100}});
    int ticks = 0;
    add_handler(&win.root, &listener, timer_tick, [&](const event_info&) {
        if (++ticks == 3)
            win.end_modal(1);
    });
    win.native->add_timer(&win.root, 1, 200, false);
    EXPECT_EQ(win.show_modal(), 1);
    EXPECT_EQ(off::now_ms(), 600u);
}

TEST_F(WindowTest, AnIdleLoopLetsARealWorkerThreadFinish)
{
    window win;
    win.create("worker", {{0, 0}, {100, 100}});
    std::atomic<bool> done = false;
    add_handler(&win.root, &listener, timer_tick, [&](const event_info&) {
        if (done.load())
            win.end_modal(2);
    });
    win.native->add_timer(&win.root, 1, 200, false);
    off::set_idle_budget_ms(3'600'000);
    std::thread worker([&] { done.store(true); });
    EXPECT_EQ(win.show_modal(), 2);
    worker.join();
}

TEST_F(WindowTest, NestedLoopsShareOneQueue)
{
    window main;
    main.create("main", {{100, 100}, {400, 300}});
    window popup;
    popup.create("popup", {{0, 0}, {200, 100}}, 0, &main);
    popup.native->center_window();
    watch(main, "main", {focus_gained, focus_lost});
    watch(popup, "popup", {focus_gained, focus_lost});

    strings seen;
    off::post_callback([&] {
        seen.push_back("popup opens");
        EXPECT_EQ(popup.show_modal(), 5);
        seen.push_back(off::is_enabled(main) && off::has_focus(main) ? "main active again" : "main still off");
    });
    off::post_callback([&] { seen.push_back(off::is_enabled(main) ? "main enabled" : "main disabled"); });
    off::post_callback([&] { popup.end_modal(5); });
    off::post_callback([&] { seen.push_back(off::is_modal(popup) ? "popup loop" : "main loop"); });
    off::post_close(main);

    EXPECT_EQ(main.show_modal(), 0);
    EXPECT_EQ(seen, (strings{"popup opens", "main disabled", "main active again", "main loop"}));
    EXPECT_EQ(take_log(), (strings{"main:23", "main:24", "popup:23", "popup:24", "main:23", "main:24"}));
}

TEST_F(WindowTest, TimeLeftWhenAnInnerLoopEndsBelongsToTheOuterLoop)
{
    window main;
    main.create("main", {{0, 0}, {400, 300}});
    window popup;
    popup.create("popup", {{0, 0}, {100, 100}}, 0, &main);
    add_handler(&popup.root, &listener, timer_tick, [&](const event_info&) { popup.end_modal(1); });
    popup.native->add_timer(&popup.root, 1, 200, true);

    std::vector<std::uint64_t> times;
    off::post_callback([&] {
        popup.show_modal();
        times.push_back(off::now_ms());
    });
    off::post_advance(1000);
    off::post_callback([&] {
        times.push_back(off::now_ms());
        main.end_modal(1);
    });
    EXPECT_EQ(main.show_modal(), 1);
    EXPECT_EQ(times, (std::vector<std::uint64_t>{200, 1000}));
}

TEST_F(WindowTest, ADisabledOwnerReceivesNoInput)
{
    window main;
    main.create("main", {{100, 100}, {400, 300}});
    widget button;
    button.create(main.root, {{10, 10}, {50, 20}});
    watch(button, "button", {mouse_down, mouse_up, mouse_enter, mouse_move});
    watch(main, "main", {key_down});
    window popup;
    popup.create("popup", {{0, 0}, {200, 100}}, 0, &main);
    popup.native->center_window();
    watch(popup, "popup", {key_down});

    off::post_callback([&] { popup.show_modal(); });
    off::post_click(main, {20, 20}); // the popup covers the middle, not the button
    off::post_click(main, {21, 20});
    off::post_key_down(0x41);
    off::post_callback([&] { popup.end_modal(0); });
    off::post_click(main, {20, 20});
    off::post_close(main);
    main.show_modal();
    // The moves over the disabled owner never reached it, so the first move after is silent.
    EXPECT_EQ(take_log(), (strings{"popup:8", "button:2", "button:1"}));
}

// ---- Pointer and keyboard ----

TEST_F(WindowTest, FirstMoveIsSilentAndLeavingTheWindowSendsLeave)
{
    window win;
    win.create("hover", {{100, 100}, {200, 200}});
    widget w;
    w.create(win.root, {{10, 10}, {100, 100}});
    watch(w, "w", {mouse_enter, mouse_leave, mouse_move});
    off::show(win);

    off::post_mouse_move(win, {20, 20});
    off::pump();
    EXPECT_TRUE(take_log().empty());
    off::post_mouse_move(win, {21, 20});
    off::post_mouse_move(win, {22, 20});
    off::pump();
    EXPECT_EQ(take_log(), (strings{"w:5", "w:7"}));

    off::post_mouse_move({5, 5}); // off the window
    off::pump();
    EXPECT_EQ(take_log(), (strings{"w:6"}));
    EXPECT_FALSE(win.routing().mouse_inside());

    off::post_mouse_move(win, {30, 30});
    off::pump();
    EXPECT_TRUE(take_log().empty());
    EXPECT_TRUE(win.routing().mouse_inside());
}

TEST_F(WindowTest, PointerInputGoesToTheTopWindowUnderIt)
{
    window lower, upper, hidden;
    lower.create("lower", {{0, 0}, {300, 300}});
    upper.create("upper", {{200, 0}, {300, 300}});
    hidden.create("hidden", {{0, 0}, {600, 600}});
    watch(lower.root, "lower", {mouse_down, mouse_leave});
    watch(upper.root, "upper", {mouse_down});
    watch(hidden.root, "hidden", {mouse_down});
    off::show(lower);
    off::show(upper);

    off::post_mouse_move({100, 10});
    off::post_mouse_move({101, 10});
    off::post_button_down();
    off::post_mouse_move({250, 10}); // over both: the later shown is on top
    off::post_button_down();
    off::pump();
    EXPECT_EQ(take_log(), (strings{"lower:2", "lower:6", "upper:2"}));
    EXPECT_TRUE(off::has_focus(upper)); // a press activates
}

TEST_F(WindowTest, CaptureKeepsThePointerAndDefersTheLeave)
{
    window win;
    win.create("capture", {{0, 0}, {100, 100}});
    widget thumb;
    thumb.create(win.root, {{0, 0}, {50, 50}});
    watch(thumb, "thumb", {mouse_enter, mouse_leave, mouse_move, mouse_up});
    off::show(win);
    off::post_mouse_move(win, {10, 10});
    off::post_mouse_move(win, {11, 10});
    off::post_callback([&] { capture_widget(thumb); });
    off::post_mouse_move({500, 500});
    off::post_button_up();
    off::pump();
    EXPECT_EQ(take_log(), (strings{"thumb:5", "thumb:7", "thumb:1"}));
    EXPECT_TRUE(off::has_capture(win));

    release_widget(thumb);
    EXPECT_FALSE(off::has_capture(win));
    off::pump();
    EXPECT_EQ(take_log(), (strings{"thumb:6"}));
}

TEST_F(WindowTest, DoubleClickIsAPressUnlessTheWidgetTakesDoubleClicks)
{
    window win;
    win.create("clicks", {{0, 0}, {200, 100}});
    widget plain, picky;
    plain.create(win.root, {{0, 0}, {100, 100}});
    picky.create(win.root, {{100, 0}, {100, 100}});
    watch(plain, "plain", {mouse_down});
    watch(picky, "picky", {mouse_down, mouse_double_click});
    off::show(win);
    off::post_mouse_move(win, {50, 50});
    off::post_double_click();
    off::post_mouse_move(win, {150, 50});
    off::post_double_click(button_right);
    off::pump();
    EXPECT_EQ(take_log(), (strings{"plain:2", "picky:3"}));
}

TEST_F(WindowTest, WheelAndKeysCarryTheirParameters)
{
    window win;
    win.create("keys", {{0, 0}, {100, 100}});
    std::vector<std::uint64_t> params;
    for (const std::int32_t kind : {mouse_wheel, key_down, key_down_native, key_up, key_char})
        add_handler(&win.root, &listener, kind, [&](const event_info& info) { params.push_back(info.param); });
    add_handler(&win, &listener, key_char, [&](const event_info& info) { params.push_back(info.param + 1000); });
    off::show(win);
    off::post_mouse_move(win, {5, 5});
    off::post_wheel(-120);
    off::post_key_down(0x41, 0x001e0001);
    off::post_key_up(0x41);
    off::post_char(u'a');
    off::pump();
    ASSERT_EQ(params.size(), 6u);
    EXPECT_EQ(param_to_double(params[0]), -60.0);
    EXPECT_EQ(params[1], 0x41u);
    EXPECT_EQ(params[2], 0x41u | (0x001e0001ull << 32));
    EXPECT_EQ(params[3], 0x41u);
    EXPECT_EQ(params[4], 97u);
    EXPECT_EQ(params[5], 1097u);

    off::post_key_down(0xA0);
    off::pump();
    EXPECT_TRUE(is_shift_down());
    off::post_key_up(0xA0);
    off::pump();
    EXPECT_FALSE(is_shift_down());
}

TEST_F(WindowTest, InputForADestroyedWindowIsDropped)
{
    auto win = std::make_unique<window>();
    win->create("short-lived", {{0, 0}, {100, 100}});
    off::post_click(*win, {5, 5});
    off::post_close(*win);
    off::post_callback([] {});
    EXPECT_EQ(off::queued_input(), 5u);
    win.reset();
    EXPECT_EQ(off::queued_input(), 3u); // the press and release carry no window; they find none
    EXPECT_EQ(off::pump(), 3u);
}

TEST_F(WindowTest, MousePositionIsReportedInWidgetCoordinates)
{
    window win;
    win.create("position", {{100, 50}, {300, 200}});
    widget outer, inner;
    outer.create(win.root, {{10, 20}, {200, 100}});
    inner.create(outer, {{5, 5}, {50, 50}});
    off::set_mouse_position({140, 90});
    EXPECT_EQ(get_mouse_position(inner), (vec2i{25, 15}));
    EXPECT_EQ(get_mouse_position(win.root), (vec2i{40, 40}));
    widget loose;
    EXPECT_EQ(get_mouse_position(loose), (vec2i{140, 90}));
}

TEST_F(WindowTest, CursorShapeIsRecorded)
{
    set_cursor_shape(cursor_hand);
    EXPECT_EQ(off::cursor_shape(), cursor_hand);
    set_cursor_shape(42);
    EXPECT_EQ(off::cursor_shape(), cursor_arrow);
    set_cursor_shape(cursor_ibeam);
    window win;
    EXPECT_EQ(off::cursor_shape(), cursor_arrow);
}

// ---- Geometry and painting ----

TEST_F(WindowTest, CentringFollowsTheOwnerOrTheScreenAndStaysInTheWorkArea)
{
    struct row {
        const char* what;
        off::screen_layout layout;
        std::optional<rect_i> owner;
        vec2i size;
        vec2i expected;
    };
    const off::screen_layout standard;
    const off::screen_layout offset_work{{{0, 0}, {1024, 768}}, {{100, 50}, {800, 600}}};
    const std::vector<row> rows{
        {"on the screen", standard, std::nullopt, {400, 300}, {760, 390}},
        {"over its owner", standard, rect_i{{100, 100}, {200, 200}}, {100, 50}, {150, 175}},
        {"pushed back from the bottom right", standard, rect_i{{1800, 1000}, {100, 100}}, {300, 200}, {1620, 840}},
        {"larger than the work area", standard, std::nullopt, {2000, 1200}, {1, 1}},
        {"larger than an offset work area", offset_work, std::nullopt, {900, 700}, {101, 51}},
        {"above the screen's top", standard, rect_i{{0, -400}, {100, 100}}, {100, 50}, {0, 1}},
    };
    for (const row& r : rows) {
        off::set_screen(r.layout);
        window owner;
        if (r.owner)
            owner.create("owner", *r.owner);
        window win;
        win.create("centred", {{0, 0}, r.size}, 0, r.owner ? &owner : nullptr);
        win.native->center_window();
        EXPECT_EQ(off::window_rect(win), (rect_i{r.expected, r.size})) << r.what;
    }
}

TEST_F(WindowTest, RedrawRequestsAreMergedClippedAndPaintedOnDemand)
{
    window win;
    win.create("redraw", {{0, 0}, {200, 100}});
    EXPECT_EQ(off::pending_redraw(win), (rect_ltrb{0, 0, 200, 100}));
    EXPECT_TRUE(off::paint_pending(win));
    EXPECT_FALSE(off::pending_redraw(win));
    EXPECT_FALSE(off::paint_pending(win));

    win.native->invalidate({{10, 10}, {20, 20}});
    win.native->invalidate({{150, 60}, {100, 100}});
    win.native->invalidate({{300, 300}, {5, 5}}); // outside the client area
    win.native->invalidate({{40, 40}, {0, 10}});  // empty
    EXPECT_EQ(off::pending_redraw(win), (rect_ltrb{10, 10, 200, 100}));

    // Only shown windows are painted by the loop.
    const std::size_t frames = off::painted_frames(win);
    off::pump();
    EXPECT_EQ(off::painted_frames(win), frames);
    off::clear_recorded_ops(win);
    off::show(win);
    EXPECT_EQ(off::painted_frames(win), frames + 1);
    EXPECT_FALSE(off::pending_redraw(win));
    EXPECT_EQ(off::recorded_ops(win).front().paint_rect, (rect_ltrb{10, 10, 200, 100}));

    win.root.invalidate();
    off::post_callback([] {});
    off::pump();
    EXPECT_EQ(off::painted_frames(win), frames + 2);
}

TEST_F(WindowTest, ResizingRaisesTheSizeEventAndRepaintsEverything)
{
    window win;
    win.create("resize", {{0, 0}, {200, 100}});
    off::paint_pending(win);
    watch(win, "win", {size_changed});

    win.native->set_window_rect({{50, 60}, {200, 100}});
    EXPECT_TRUE(take_log().empty());
    EXPECT_FALSE(off::pending_redraw(win));
    EXPECT_EQ(off::window_rect(win), (rect_i{{50, 60}, {200, 100}}));

    win.native->set_window_rect({{50, 60}, {320, 240}});
    EXPECT_EQ(take_log(), (strings{"win:13"}));
    EXPECT_EQ(win.root.size, (vec2i{320, 240}));
    EXPECT_EQ(off::image_size(win), (vec2i{320, 240}));
    EXPECT_EQ(off::pending_redraw(win), (rect_ltrb{0, 0, 320, 240}));
}

} // namespace
