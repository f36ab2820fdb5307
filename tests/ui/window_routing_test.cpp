#include "lcsdk/ui/mouse.h"
#include "lcsdk/ui/offscreen/offscreen_platform.h"
#include "lcsdk/ui/platform_input.h"
#include "lcsdk/ui/widget.h"
#include "lcsdk/ui/window.h"

#include "support/toolkit_test.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace lcsdk::ui;
namespace off = lcsdk::ui::offscreen;

namespace {

class RoutingTest : public lcsdk::testing::toolkit_test {
protected:
    void SetUp() override
    {
        toolkit_test::SetUp();
        win = std::make_unique<window>();
        win->create("routing", {{100, 100}, {400, 300}});
        a.create(win->root, {{0, 0}, {100, 100}});
        b.create(win->root, {{200, 0}, {100, 100}});
        inner.create(b, {{10, 10}, {20, 20}});
        off::show(*win);
        for (auto [w, label] : {std::pair{&a, "a"}, {&b, "b"}, {&inner, "inner"}})
            watch(*w, label);
        watch(*win, "win");
    }
    void TearDown() override
    {
        inner_owner.reset();
        win.reset();
        toolkit_test::TearDown();
    }

    void watch(event_object& object, std::string label)
    {
        for (std::int32_t kind : {mouse_up, mouse_down, mouse_enter, mouse_leave, mouse_move,
                                  key_down, key_down_native, key_up, key_char, focus_gained, focus_lost})
            add_handler(&object, &log_owner, kind, [this, label](const event_info& info) {
                log.push_back(label + ":" + std::to_string(info.kind));
            });
    }

    void move_to(vec2i client_point)
    {
        off::post_mouse_move(*win, client_point);
        off::pump();
    }

    struct owner_object : event_object {} log_owner;
    std::unique_ptr<event_object> inner_owner;
    std::unique_ptr<window> win;
    widget a, b, inner;
    std::vector<std::string> log;
};

TEST_F(RoutingTest, HoverRaisesLeaveAndEnterInsteadOfAMove)
{
    move_to({50, 50}); // first move into the window: no event at all
    EXPECT_TRUE(log.empty());
    move_to({51, 50});
    EXPECT_EQ(log, (std::vector<std::string>{"a:5"})) << "hover starts on the second move";
    move_to({52, 50});
    move_to({250, 50});
    move_to({251, 50});
    EXPECT_EQ(log, (std::vector<std::string>{"a:5", "a:7", "a:6", "b:5", "b:7"}));
}

// Tooltip-like patterns: a handler destroys the widget that routing is about to enter or to focus.
TEST_F(RoutingTest, AHandlerMayDestroyTheWidgetAboutToBeHovered)
{
    std::unique_ptr<widget> doomed;
    for (const bool by_leave : {true, false}) {
        SCOPED_TRACE(by_leave ? "the old hover's leave" : "its own enter");
        doomed = std::make_unique<widget>();
        doomed->create(win->root, {{0, 150}, {50, 50}});
        owner_object destroyer;
        add_handler(by_leave ? static_cast<event_object*>(&a) : doomed.get(), &destroyer,
                    by_leave ? mouse_leave : mouse_enter, [&](const event_info&) { doomed.reset(); });
        move_to({50, 50});
        move_to({51, 50});
        log.clear();
        move_to({25, 175});
        EXPECT_EQ(doomed, nullptr);
        EXPECT_EQ(log, (std::vector<std::string>{"a:6"}));
        EXPECT_EQ(win->routing().hovered(), nullptr) << "the hover must not keep a destroyed widget";
        move_to({26, 175});
        EXPECT_EQ(win->routing().hovered(), &win->root);
    }
}

TEST_F(RoutingTest, AFocusLostHandlerMayDestroyTheWidgetAboutToBeFocused)
{
    a.focusable = true;
    auto doomed = std::make_unique<widget>();
    doomed->create(win->root, {{0, 150}, {50, 50}});
    watch(*doomed, "doomed");
    win->set_focus(&a, focus_by_program);
    add_handler(&a, &log_owner, focus_lost, [&](const event_info&) { doomed.reset(); });
    move_to({25, 175});
    move_to({26, 175});
    log.clear();
    off::post_button_down();
    off::pump();
    EXPECT_EQ(log, (std::vector<std::string>{"a:24"})) << "the press goes nowhere";
    EXPECT_EQ(win->routing().focused(), nullptr);
    off::post_char(9);
    off::pump();
    EXPECT_EQ(win->routing().focused(), &a) << "Tab starts again from the root";
}

TEST_F(RoutingTest, PressFocusesThenDeliversAndReleaseGoesToTheWidgetUnderTheMouse)
{
    a.focusable = true;
    move_to({50, 50});
    log.clear();
    off::post_button_down(button_right);
    off::post_button_up(button_right);
    off::pump();
    EXPECT_EQ(log, (std::vector<std::string>{"a:23", "a:2", "a:1"}));
    EXPECT_EQ(win->routing().focused(), &a);
}

TEST_F(RoutingTest, CaptureTakesMovesAndTheReleaseWhereverTheMouseIs)
{
    move_to({50, 50});
    move_to({50, 51});
    capture_widget(a);
    log.clear();
    move_to({250, 50});
    off::post_button_up();
    off::pump();
    EXPECT_EQ(log, (std::vector<std::string>{"a:7", "a:1"}));
    EXPECT_EQ(win->routing().hovered(), &a) << "hover is untouched while captured";
    release_widget(a);
    EXPECT_EQ(get_captured_widget(), nullptr);
}

TEST_F(RoutingTest, ReleasingACaptureYouDoNotHoldIsAProgrammingError)
{
    capture_widget(a);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(release_widget(b), "different from the captured widget");
    release_widget(a);
}

TEST_F(RoutingTest, DestroyingTheCapturedWidgetClearsTheCapture)
{
    auto doomed = std::make_unique<widget>();
    doomed->create(win->root, {{0, 200}, {10, 10}});
    capture_widget(*doomed);
    doomed.reset();
    EXPECT_EQ(get_captured_widget(), nullptr);
    move_to({250, 50});
    move_to({251, 50});
    EXPECT_EQ(log, (std::vector<std::string>{"b:5"}));
}

TEST_F(RoutingTest, LosingTheCaptureGivesTheCapturedWidgetTheReleaseThatWillNotCome)
{
    move_to({50, 50});
    move_to({50, 51});
    capture_widget(a);
    move_to({250, 50});
    log.clear();
    // The widget under the mouse hears nothing: a release there would read as a click.
    translate_capture_lost(*win);
    EXPECT_EQ(log, (std::vector<std::string>{"a:1"}));
    EXPECT_EQ(get_captured_widget(), nullptr) << "a widget that keeps the capture through the release loses it";
    EXPECT_FALSE(off::has_capture(*win));

    log.clear();
    translate_capture_lost(*win);
    EXPECT_TRUE(log.empty()) << "without a capture nothing happens";
}

TEST_F(RoutingTest, LosingTheCaptureReachesADisabledWidgetButNoWidgetOfAnotherWindow)
{
    capture_widget(a);
    a.set_enabled(false);
    translate_capture_lost(*win);
    EXPECT_EQ(log, (std::vector<std::string>{"a:1"})) << "a disabled widget still gets to end its drag";
    EXPECT_EQ(get_captured_widget(), nullptr);
    a.set_enabled(true);

    window other;
    other.create("other", {{600, 100}, {100, 100}});
    capture_widget(a);
    log.clear();
    translate_capture_lost(other);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(get_captured_widget(), &a) << "another window's loss leaves this window's capture alone";
    release_widget(a);
}

TEST_F(RoutingTest, DisabledWidgetsSwallowInputOverTheirArea)
{
    b.set_enabled(false);
    move_to({215, 15});
    move_to({216, 15});
    off::post_button_down();
    off::post_button_up();
    off::pump();
    EXPECT_TRUE(log.empty()) << "neither the disabled child nor its parent hears anything";
}

TEST_F(RoutingTest, WheelBubblesToTheFirstAncestorWithAWheelList)
{
    std::vector<std::string> wheel;
    double delta = 0;
    add_handler(&b, &log_owner, mouse_wheel, [&](const event_info& info) {
        wheel.push_back("b");
        delta = param_to_double(info.param);
    });
    add_handler(&win->root, &log_owner, mouse_wheel, [&](const event_info&) { wheel.push_back("root"); });
    move_to({215, 15});
    off::post_wheel(-120);
    off::pump();
    EXPECT_EQ(wheel, (std::vector<std::string>{"b"}));
    EXPECT_EQ(delta, -60.0);
}

TEST_F(RoutingTest, DoubleClickIsAPressUnlessTheWidgetTakesDoubleClicks)
{
    move_to({50, 50});
    log.clear();
    off::post_double_click();
    off::pump();
    EXPECT_EQ(log, (std::vector<std::string>{"a:23", "a:2"}));

    add_handler(&a, &log_owner, mouse_double_click, [this](const event_info&) { log.push_back("a:3"); });
    log.clear();
    off::post_double_click();
    off::pump();
    EXPECT_EQ(log, (std::vector<std::string>{"a:3"}));
}

TEST_F(RoutingTest, KeysGoToTheFocusedWidgetThenTheWindow)
{
    win->set_focus(&a, focus_by_program);
    log.clear();
    off::post_key_down(0x41, 0x001e0001);
    off::post_char('a');
    off::post_key_up(0x41);
    off::pump();
    EXPECT_EQ(log, (std::vector<std::string>{"a:8", "win:8", "a:9", "win:9", "a:11", "win:11", "a:10", "win:10"}));

    a.set_enabled(false);
    log.clear();
    off::post_key_down(0x41);
    off::pump();
    EXPECT_EQ(log, (std::vector<std::string>{"win:8", "win:9"})) << "a disabled focus hears nothing";
}

TEST_F(RoutingTest, KeyDetailCarriesTheNativeBitsInTheHighHalf)
{
    std::uint64_t detail = 0;
    add_handler(win.get(), &log_owner, key_down_native, [&](const event_info& info) { detail = info.param; });
    off::post_key_down(0x0d, 0x001c0001);
    off::pump();
    EXPECT_EQ(detail, 0x001c0001'0000000dULL);
}

TEST_F(RoutingTest, TabMovesTheFocusAndReachesOnlyTheWindow)
{
    // Three candidates, so that forward and back lead to different widgets.
    a.focusable = true;
    b.focusable = true;
    inner.focusable = true;
    win->set_focus(&a, focus_by_program);
    log.clear();
    off::post_char(9);
    off::pump();
    EXPECT_EQ(log, (std::vector<std::string>{"a:24", "b:23", "win:11"}));

    off::set_shift_down(true);
    off::post_char(9);
    off::pump();
    EXPECT_EQ(win->routing().focused(), &a) << "Shift+Tab goes back";
    off::post_char(9);
    off::pump();
    EXPECT_EQ(win->routing().focused(), &inner) << "and wraps from the first to the last";
    off::set_shift_down(false);
    win->set_focus(&a, focus_by_program);

    win->routing().set_tab_navigation(false);
    log.clear();
    off::post_char(9);
    off::pump();
    EXPECT_EQ(log, (std::vector<std::string>{"a:11", "win:11"}));
}

TEST_F(RoutingTest, FocusChangesOfThePlatformWindowReachTheFocusedWidgetAndTheWindow)
{
    win->set_focus(&b, focus_by_program);
    log.clear();
    win->route_event(focus_lost, 7);
    win->route_event(focus_gained, 7);
    EXPECT_EQ(log, (std::vector<std::string>{"b:24", "win:24", "b:23", "win:23"}));
}

TEST_F(RoutingTest, ClientResizeSetsTheRootAndNotifiesTheWindow)
{
    std::uint64_t param = 1;
    add_handler(win.get(), &log_owner, size_changed, [&](const event_info& info) { param = info.param; });
    win->route_event(size_changed, pack_vec2({640, 480}));
    EXPECT_EQ(win->root.rect(), (rect_i{{0, 0}, {640, 480}}));
    EXPECT_EQ(param, 0u);
}

} // namespace
