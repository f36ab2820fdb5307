#include "lcsdk/ui/widget.h"
#include "lcsdk/ui/window.h"

#include "support/toolkit_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace lcsdk::ui;

namespace {

// Records every event a set of objects receives, as "name:kind(param)".
class event_log {
public:
    void watch(event_object& object, const std::string& label, std::initializer_list<std::int32_t> kinds)
    {
        for (const std::int32_t kind : kinds)
            add_handler(&object, &owner_, kind, [this, label](const event_info& info) {
                entries.push_back(label + ":" + std::to_string(info.kind));
                params.push_back(info.param);
            });
    }

    std::vector<std::string> entries;
    std::vector<std::uint64_t> params;

private:
    struct owner_object : event_object {} owner_;
};

class WidgetTreeTest : public lcsdk::testing::toolkit_test {
protected:
    void SetUp() override
    {
        toolkit_test::SetUp();
        win = std::make_unique<window>();
        win->create("tree", {{0, 0}, {400, 300}});
    }
    void TearDown() override
    {
        win.reset();
        toolkit_test::TearDown();
    }

    std::unique_ptr<window> win;
};

TEST_F(WidgetTreeTest, CreationRaisesShownThenChildAddedThenCreated)
{
    event_log log;
    widget panel;
    panel.create(win->root, {{10, 10}, {100, 100}});
    widget child;
    log.watch(child, "child", {shown, created});
    log.watch(panel, "panel", {child_added});

    child.create(panel, {{5, 5}, {20, 20}});

    EXPECT_EQ(log.entries, (std::vector<std::string>{"child:25", "panel:21", "child:17"}));
    EXPECT_EQ(log.params[1], reinterpret_cast<std::uint64_t>(&child));
    EXPECT_TRUE(child.created);
    EXPECT_EQ(child.top_window, win.get());
    EXPECT_EQ(child.parent, &panel);
    EXPECT_EQ(win->routing().widgets(), (std::vector<widget*>{&win->root, &panel, &child}));
    EXPECT_EQ(win->root.name, "BaseWidget");
    EXPECT_EQ(win->routing().focused(), &win->root);
}

TEST_F(WidgetTreeTest, CreatingTwiceUnderOneParentIsRejected)
{
    widget w;
    w.create(win->root, {{0, 0}, {10, 10}});
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(w.create(win->root, {{0, 0}, {10, 10}}), "Double create");
}

TEST_F(WidgetTreeTest, GeometryEventsFollowTheKindOfChange)
{
    widget parent_widget;
    widget child;
    event_log log;

    parent_widget.set_rect({{1, 2}, {3, 4}});
    EXPECT_EQ(parent_widget.rect(), (rect_i{{1, 2}, {3, 4}})) << "stored silently before creation";

    parent_widget.create(win->root, {{10, 10}, {100, 50}});
    child.create(parent_widget, {{0, 0}, {10, 10}});
    log.watch(parent_widget, "p", {size_changed, moved});
    log.watch(child, "c", {parent_size_changed, parent_moved, size_changed, moved});

    parent_widget.set_rect({{20, 10}, {100, 50}});
    EXPECT_EQ(log.entries, (std::vector<std::string>{"p:14", "c:20"}));
    EXPECT_EQ(unpack_vec2(log.params[0]), (vec2i{10, 10}));

    log.entries.clear();
    parent_widget.set_rect({{20, 10}, {120, 60}});
    EXPECT_EQ(log.entries, (std::vector<std::string>{"p:13", "c:19"}));
    EXPECT_EQ(unpack_vec2(log.params[2]), (vec2i{100, 50}));

    log.entries.clear();
    parent_widget.set_rect({{0, 0}, {10, 10}});
    EXPECT_EQ(log.entries, (std::vector<std::string>{"p:13", "c:19", "p:14", "c:20"}));

    log.entries.clear();
    parent_widget.set_rect({{0, 0}, {10, 10}});
    EXPECT_TRUE(log.entries.empty()) << "no change, no event";
}

TEST_F(WidgetTreeTest, AnchorsFollowTheParentsNewSize)
{
    struct anchor_case {
        const char* what;
        anchor left, right, top, bottom;
        rect_i start;
        rect_i expected; // after the parent becomes 300 x 200
    };
    const anchor_case cases[] = {
        {"right only", {}, {true, 10}, {}, {}, {{0, 0}, {50, 20}}, {{240, 0}, {50, 20}}},
        {"left and right", {true, 5}, {true, 10}, {}, {}, {{0, 0}, {50, 20}}, {{5, 0}, {285, 20}}},
        {"left only", {true, 7}, {}, {}, {}, {{1, 1}, {50, 20}}, {{7, 1}, {50, 20}}},
        {"bottom only", {}, {}, {}, {true, 4}, {{0, 0}, {10, 30}}, {{0, 166}, {10, 30}}},
        {"top and bottom", {}, {}, {true, 2}, {true, 3}, {{0, 0}, {10, 30}}, {{0, 2}, {10, 195}}},
        {"none", {}, {}, {}, {}, {{9, 9}, {10, 10}}, {{9, 9}, {10, 10}}},
    };
    for (const anchor_case& c : cases) {
        widget parent_widget;
        parent_widget.create(win->root, {{0, 0}, {100, 100}});
        widget child;
        child.anchor_left = c.left;
        child.anchor_right = c.right;
        child.anchor_top = c.top;
        child.anchor_bottom = c.bottom;
        child.create(parent_widget, c.start);
        event_log log;
        log.watch(child, "c", {size_changed, moved});

        parent_widget.set_rect({{0, 0}, {300, 200}});
        EXPECT_EQ(child.rect(), c.expected) << c.what;
        EXPECT_TRUE(log.entries.empty()) << c.what << ": anchoring writes the rectangle directly";
    }
}

TEST_F(WidgetTreeTest, VisibilityPropagatesAndKeepsOwnFlags)
{
    widget a, b, c;
    a.create(win->root, {{0, 0}, {100, 100}});
    b.create(a, {{0, 0}, {50, 50}});
    c.create(b, {{0, 0}, {20, 20}});
    event_log log;
    log.watch(a, "a", {shown, hidden});

    a.set_visible(false);
    EXPECT_EQ(log.entries, (std::vector<std::string>{"a:26"}));
    EXPECT_FALSE(b.is_visible());
    EXPECT_FALSE(c.is_visible());

    b.set_visible(false);
    a.set_visible(true);
    EXPECT_FALSE(b.is_visible()) << "a child hidden by itself stays hidden";
    EXPECT_FALSE(c.is_visible());
    b.set_visible(true);
    EXPECT_TRUE(c.is_visible());

    a.set_visible(true);
    EXPECT_EQ(log.entries.size(), 2u) << "setting the same value raises nothing";
}

TEST_F(WidgetTreeTest, NothingUnderAHiddenOrDisabledAncestorCountsAsVisibleOrEnabled)
{
    widget a, b, c;
    a.create(win->root, {{0, 0}, {100, 100}});
    b.create(a, {{0, 0}, {50, 50}});
    c.create(b, {{0, 0}, {20, 20}});

    a.set_visible(false);
    a.set_enabled(false);
    b.set_visible(false);
    b.set_visible(true);
    b.set_enabled(false);
    b.set_enabled(true);
    EXPECT_FALSE(c.is_visible());
    EXPECT_FALSE(c.is_enabled());

    widget late;
    late.create(b, {{0, 0}, {5, 5}});
    EXPECT_FALSE(late.is_visible());
    EXPECT_FALSE(late.is_enabled());

    a.set_visible(true);
    a.set_enabled(true);
    EXPECT_TRUE(c.is_visible());
    EXPECT_TRUE(late.is_enabled());
}

TEST_F(WidgetTreeTest, HitTestingPrefersLaterSiblingsAndSkipsHiddenOnes)
{
    widget first, second, inner;
    first.create(win->root, {{10, 10}, {100, 100}});
    second.create(win->root, {{50, 50}, {100, 100}});
    inner.create(first, {{0, 0}, {10, 10}});

    EXPECT_EQ(win->hit_test({60, 60}), &second);
    EXPECT_EQ(win->hit_test({20, 20}), &first);
    EXPECT_EQ(win->hit_test({10, 10}), &inner) << "children use their parent's coordinates";
    EXPECT_EQ(win->hit_test({150, 150}), &win->root) << "right and bottom edges are outside";
    EXPECT_EQ(win->hit_test({-1, 5}), nullptr);
    EXPECT_EQ(win->hit_test({400, 5}), nullptr);

    second.set_visible(false);
    EXPECT_EQ(win->hit_test({60, 60}), &first);
    second.set_visible(true);
    second.set_enabled(false);
    EXPECT_EQ(win->hit_test({60, 60}), &second) << "disabled widgets still take the hit";
}

TEST_F(WidgetTreeTest, FocusEventsCarryTheReason)
{
    widget a, b;
    a.create(win->root, {{0, 0}, {10, 10}});
    b.create(win->root, {{10, 0}, {10, 10}});
    event_log log;
    log.watch(a, "a", {focus_gained, focus_lost});
    log.watch(b, "b", {focus_gained, focus_lost});

    win->set_focus(&a, focus_by_program);
    win->set_focus(&a, focus_by_program);
    win->set_focus(&b, focus_by_mouse);
    b.set_enabled(false);
    win->set_focus(&a, focus_by_tab);
    win->set_focus(&b, focus_by_tab);

    EXPECT_EQ(log.entries, (std::vector<std::string>{"a:23", "a:24", "b:23", "b:24", "a:23", "a:24"}));
    EXPECT_EQ(log.params, (std::vector<std::uint64_t>{2, 0, 0, 1, 1, 1}));
    EXPECT_EQ(win->routing().focused(), &b) << "a disabled widget can hold the focus but gets no event";
}

TEST_F(WidgetTreeTest, TabVisitsFocusableEnabledVisibleWidgetsInCreationOrder)
{
    widget a, b, c, d;
    for (widget* w : {&a, &b, &c, &d}) {
        w->focusable = true;
        w->create(win->root, {{0, 0}, {10, 10}});
    }
    b.set_enabled(false);
    c.set_visible(false);

    win->focus_next();
    EXPECT_EQ(win->routing().focused(), &a);
    win->focus_next();
    EXPECT_EQ(win->routing().focused(), &d);
    win->focus_next();
    EXPECT_EQ(win->routing().focused(), &a) << "wraps round";
    win->focus_previous();
    EXPECT_EQ(win->routing().focused(), &d);

    win->set_focus(nullptr, focus_by_program);
    win->focus_previous();
    EXPECT_EQ(win->routing().focused(), &d) << "a null focus starts from the root";
}

TEST_F(WidgetTreeTest, TabWithoutCandidatesLeavesTheFocus)
{
    widget plain;
    plain.create(win->root, {{0, 0}, {10, 10}});
    win->set_focus(&plain, focus_by_program);
    win->focus_next();
    win->focus_previous();
    EXPECT_EQ(win->routing().focused(), &plain);
}

TEST_F(WidgetTreeTest, DestroyingWidgetsDetachesAndOrphans)
{
    auto parent_widget = std::make_unique<widget>();
    parent_widget->create(win->root, {{0, 0}, {100, 100}});
    widget child;
    child.create(*parent_widget, {{0, 0}, {10, 10}});
    auto grandchild = std::make_unique<widget>();
    grandchild->create(child, {{0, 0}, {5, 5}});
    event_log log;
    log.watch(child, "child", {child_removed});

    win->set_focus(grandchild.get(), focus_by_program);
    lcsdk::ui::offscreen::set_mouse_position({2, 2});
    win->route_event(mouse_move, 0);
    ASSERT_EQ(win->routing().hovered(), grandchild.get());
    const widget* gone = grandchild.get();
    grandchild.reset();
    EXPECT_EQ(log.entries, (std::vector<std::string>{"child:22"}));
    EXPECT_EQ(log.params[0], reinterpret_cast<std::uint64_t>(gone));
    EXPECT_TRUE(child.children.empty());
    EXPECT_EQ(win->routing().focused(), nullptr);
    EXPECT_EQ(win->routing().hovered(), nullptr);

    parent_widget->set_visible(false);
    parent_widget.reset();
    EXPECT_EQ(child.parent, nullptr) << "children survive their parent";
    EXPECT_EQ(win->routing().widgets(), (std::vector<widget*>{&win->root, &child}));
}

// By the time the widget part's destructor runs, a derived widget's members are gone: its own
// handlers (bound to them) must not run any more, neither for its destroyed event nor for the
// child-removed event of its parent. Other objects hear of the destruction while the widget is
// still in its window and its tree.
TEST_F(WidgetTreeTest, OnlyOtherObjectsHearOfADestructionWhileTheWidgetIsStillAttached)
{
    struct labelled_widget : widget {
        labelled_widget(std::vector<std::string>& calls, widget& parent_widget)
        {
            create(parent_widget, {{0, 0}, {10, 10}});
            // Long enough to live on the heap: a late call would read freed memory.
            const auto own = [this, &calls](const event_info&) { calls.push_back(label); };
            add_handler(this, this, destroyed, own);
            add_handler(&parent_widget, this, child_removed, own);
        }
        std::string label = "a label too long for the small-string buffer";
    };

    std::vector<std::string> calls;
    widget parent_widget;
    parent_widget.create(win->root, {{0, 0}, {100, 100}});
    auto doomed = std::make_unique<labelled_widget>(calls, parent_widget);
    const widget* address = doomed.get();
    struct observer_object : event_object {} observer;
    add_handler(doomed.get(), &observer, destroyed, [&](const event_info& info) {
        const auto& listed = win->routing().widgets();
        const bool in_window = std::find(listed.begin(), listed.end(), info.sender) != listed.end();
        calls.push_back(std::string("observer") + (in_window && parent_widget.has_child(address) ? " attached" : ""));
    });

    doomed.reset();
    EXPECT_EQ(calls, (std::vector<std::string>{"observer attached"}));
}

TEST_F(WidgetTreeTest, PaintVisitsVisibleOverlappingWidgetsDepthFirst)
{
    widget a, a1, b, hidden_widget;
    a.create(win->root, {{0, 0}, {100, 100}});
    a1.create(a, {{10, 10}, {20, 20}});
    b.create(win->root, {{200, 0}, {50, 50}});
    hidden_widget.create(win->root, {{0, 0}, {400, 300}});
    hidden_widget.set_visible(false);
    event_log log;
    log.watch(win->root, "root", {paint_event});
    log.watch(a, "a", {paint_event});
    log.watch(a1, "a1", {paint_event});
    log.watch(b, "b", {paint_event});
    log.watch(hidden_widget, "hidden", {paint_event});

    win->paint({0, 0, 400, 300});
    EXPECT_EQ(log.entries, (std::vector<std::string>{"root:12", "a:12", "a1:12", "b:12"}));

    log.entries.clear();
    win->paint({30, 30, 60, 60});
    EXPECT_EQ(log.entries, (std::vector<std::string>{"root:12", "a:12", "a1:12"})) << "a1 touches the dirty rectangle at 30,30";

    log.entries.clear();
    win->paint({31, 31, 60, 60});
    EXPECT_EQ(log.entries, (std::vector<std::string>{"root:12", "a:12"}));
}

TEST_F(WidgetTreeTest, WidgetsThatOutliveTheirWindowAreDetachedSafely)
{
    auto orphan = std::make_unique<widget>();
    orphan->create(win->root, {{0, 0}, {10, 10}});
    win.reset();
    EXPECT_EQ(orphan->top_window, nullptr);
    orphan.reset();
}

TEST_F(WidgetTreeTest, SetBackColorStoresTheStyleAndRaisesStyleChanged)
{
    widget w;
    w.create(win->root, {{0, 0}, {10, 10}});
    event_log log;
    log.watch(w, "w", {style_changed});
    w.set_back_color({0.25f, 0.5f, 0.75f, 1.0f});
    EXPECT_EQ(get_color(w.theme, "default_back_color"), (color4f{0.25f, 0.5f, 0.75f, 1.0f}));
    ASSERT_EQ(log.params.size(), 1u);
    EXPECT_STREQ(reinterpret_cast<const char*>(log.params[0]), "default_back_color");
}

} // namespace
