#include "lcsdk/ui/widgets/check_box.h"

#include "lcsdk/ui/native_drawer.h"
#include "widget_test_support.h"

#include <gtest/gtest.h>

using namespace lcsdk::ui;
using namespace lcsdk::testing;
namespace os = lcsdk::ui::offscreen;

namespace {

constexpr std::uint32_t key_space = 32;
constexpr std::uint32_t key_enter = 13;
constexpr vec2i over_box{25, 30}; // client point over the check box
constexpr vec2i elsewhere{300, 250};

class CheckBoxTest : public widget_test {
protected:
    CheckBoxTest()
    {
        box.create(win.root, {{20, 20}, {200, 20}});
        box.set_text("Option");
        box.set_placement(0, 5);
        os::post_mouse_move(win, elsewhere);
        os::pump();
    }

    // Width of a text in the check box font, measured independently of the widget.
    int text_width(const std::string& text)
    {
        win.drawer->set_font(get_string(box.theme, "checkbox_font_name"), get_float(box.theme, "checkbox_font_size"),
                             get_int(box.theme, "checkbox_font_weight"), get_int(box.theme, "checkbox_font_style"));
        return text.empty() ? 0 : win.drawer->measure_text(text, {0, 0}).x;
    }

    void click(int button = button_left)
    {
        os::post_click(win, over_box, button);
        os::pump();
    }

    CheckBox box;
    bool flag = true;
};

TEST_F(CheckBoxTest, StaysDisabledAndDeafUntilAValueIsBound)
{
    EXPECT_FALSE(box.is_enabled());
    event_recorder toggles(box, checkbox_toggled);
    click();
    win.set_focus(&box, focus_by_program);
    os::post_key_down(key_space);
    os::post_key_up(key_space);
    os::pump();
    EXPECT_FALSE(box.checked);
    EXPECT_TRUE(toggles.params.empty());

    repaint_all();
    const auto texts = ops_of(win, box, op_kind::draw_text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_FLOAT_EQ(texts[0].state.text_color.a, 0.5f);

    box.bind_value(nullptr);
    EXPECT_FALSE(box.is_enabled()) << "a null pointer binds nothing";
}

TEST_F(CheckBoxTest, AnyMouseButtonToggledAndTheBoundValueFollows)
{
    box.bind_value(&flag);
    EXPECT_TRUE(box.is_enabled());
    EXPECT_TRUE(box.checked) << "binding reads the variable";
    event_recorder toggles(box, checkbox_toggled);

    const int buttons[] = {button_left, button_middle, button_right};
    bool expected = true;
    for (int b : buttons) {
        click(b);
        expected = !expected;
        EXPECT_EQ(box.checked, expected) << "button " << b;
        EXPECT_EQ(flag, expected) << "button " << b;
    }
    EXPECT_EQ(toggles.params, (std::vector<std::uint64_t>{0, 0, 0}));

    // Set by the program: the bound value follows, and nothing is announced.
    for (const bool value : {false, true, true, false}) {
        box.set_checked(value);
        EXPECT_EQ(box.checked, value);
        EXPECT_EQ(flag, value) << "set_checked must write the bound value";
    }
    EXPECT_EQ(toggles.params.size(), 3u);
    expected = flag;

    // A release over the box toggles even when the press began elsewhere.
    os::post_mouse_move(win, elsewhere);
    os::post_button_down();
    os::post_mouse_move(win, over_box);
    os::post_button_up();
    os::pump();
    EXPECT_EQ(flag, !expected);
}

TEST_F(CheckBoxTest, SpaceTogglesOnKeyUpAndEnterDoesNothing)
{
    box.bind_value(&flag);
    win.set_focus(&box, focus_by_program);
    struct key_step {
        bool down;
        std::uint32_t key;
        bool checked_after;
    };
    const key_step steps[] = {
        // down   key        checked
        {true, key_space, true},
        {false, key_space, false},
        {true, key_enter, false},
        {false, key_enter, false},
        {false, key_space, true},
    };
    for (const key_step& s : steps) {
        if (s.down)
            os::post_key_down(s.key);
        else
            os::post_key_up(s.key);
        os::pump();
        EXPECT_EQ(box.checked, s.checked_after) << (s.down ? "down " : "up ") << s.key;
        EXPECT_EQ(flag, s.checked_after);
    }
}

TEST_F(CheckBoxTest, PlacementsArrangeBoxAndText)
{
    const int w = 200;
    const int bw = 14; // frame of the default 14 x 28 two-frame strip
    const int tw = text_width("Option");
    const int g = 5;
    const int c = (w - bw - g - tw) / 2;
    struct row {
        int placement, box_x, text_x;
    };
    const row rows[] = {
        // placement  box x                text x
        {0, 0, bw + g},
        {1, w - bw - g - tw, w - tw},
        {2, c, c + bw + g},
        {3, 0, w - tw},
        {4, tw + g, 0},
        {5, w - bw, w - bw - g - tw},
        {6, c + tw + g, c},
        {7, w - bw, 0},
    };
    for (const row& r : rows) {
        box.set_placement(r.placement, g);
        EXPECT_EQ(box.box_rect.position.x, r.box_x) << "placement " << r.placement;
        EXPECT_EQ(box.text_rect.position.x, r.text_x) << "placement " << r.placement;
    }
    EXPECT_EQ(box.box_rect, (rect_i{{w - bw, 3}, {14, 14}})) << "centred vertically in the 20-high widget";
    EXPECT_EQ(box.text_rect.size.x, tw);
    EXPECT_EQ(box.text_rect.position.y, (20 - box.text_rect.size.y) / 2);

    // An unknown placement keeps the positions but is remembered for later layouts.
    box.set_placement(9, g);
    EXPECT_EQ(box.placement, 9);
    EXPECT_EQ(box.box_rect.position.x, w - bw);
    box.set_text("Longer option");
    EXPECT_EQ(box.box_rect.position.x, w - bw);
    EXPECT_EQ(box.text_rect.size.x, text_width("Longer option"));
}

TEST_F(CheckBoxTest, EmptyTextHasNoGapAndANarrowCentredGroupStartsLeftOfTheWidget)
{
    box.set_text("");
    box.set_placement(0, 5);
    EXPECT_EQ(box.text_rect.position.x, 14);
    EXPECT_EQ(box.text_rect.size, (vec2i{0, 0}));

    box.set_text("Option");
    box.set_rect({{20, 20}, {30, 20}});
    box.set_placement(2, 5);
    EXPECT_EQ(box.box_rect.position.x, (30 - 14 - 5 - text_width("Option")) / 2);
    EXPECT_LT(box.box_rect.position.x, 0);
}

TEST_F(CheckBoxTest, AnyStyleChangeLaysOutAgain)
{
    box.set_placement(1, 5);
    box.set_rect({{20, 20}, {300, 20}});
    const int before = box.text_rect.position.x;
    set_style(box.theme, "checkbox_back_color", {0, 0, 0, 1});
    EXPECT_EQ(box.text_rect.position.x, before + 100);
}

TEST_F(CheckBoxTest, FramesShowTheCheckedStateOnlyWhenEnabled)
{
    struct row {
        const char* name;
        bool bound, checked, hovered;
        int frames; // 0: the default two-frame strip
        int frame;
    };
    const row rows[] = {
        {"unchecked", true, false, false, 0, 0},
        {"checked", true, true, false, 0, 1},
        {"checked but disabled", false, true, false, 0, 0},
        {"hovered, two frames", true, true, true, 0, 1},
        {"hovered unchecked, four frames", true, false, true, 4, 2},
        {"hovered checked, four frames", true, true, true, 4, 3},
        {"hovered checked disabled, four frames", false, true, true, 4, 2},
        {"one frame", true, true, true, 1, 0},
    };
    const auto four = png_strip({14, 14}, {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}, {1, 1, 0, 1}});
    const auto one = png_strip({14, 14}, {{1, 0, 0, 1}});
    for (const row& r : rows) {
        CheckBox cb;
        cb.create(win.root, {{20, 60}, {100, 20}});
        if (r.frames == 4)
            set_image_style(cb, "checkbox_image", four, 4);
        else if (r.frames == 1)
            set_image_style(cb, "checkbox_image", one, 1);
        bool value = r.checked;
        if (r.bound)
            cb.bind_value(&value);
        cb.checked = r.checked;
        cb.hovered = r.hovered;
        repaint_all();
        const auto images = ops_of(win, cb, op_kind::draw_image);
        ASSERT_EQ(images.size(), 1u) << r.name;
        EXPECT_EQ(images[0].source, (rect_i{{0, 14 * r.frame}, {14, 14}})) << r.name;
    }
}

TEST_F(CheckBoxTest, OutlineShowsHoverOrFocus)
{
    box.bind_value(&flag);
    repaint_all();
    auto outlines = ops_of(win, box, op_kind::draw_rect);
    ASSERT_EQ(outlines.size(), 1u);
    EXPECT_TRUE(near(outlines[0].state.line_color, get_color(box.theme, "checkbox_border_color_normal")));
    EXPECT_EQ(outlines[0].rect, box.box_rect);

    win.set_focus(&box, focus_by_program);
    repaint_all();
    outlines = ops_of(win, box, op_kind::draw_rect);
    ASSERT_EQ(outlines.size(), 2u);
    EXPECT_EQ(outlines[1].state.line_style, 1);
    EXPECT_TRUE(near(outlines[1].state.line_color, get_color(box.theme, "checkbox_border_color_focus")));

    os::post_mouse_move(win, over_box);
    os::pump();
    repaint_all();
    outlines = ops_of(win, box, op_kind::draw_rect);
    ASSERT_EQ(outlines.size(), 1u) << "hover replaces the focus outline";
    EXPECT_TRUE(near(outlines[0].state.line_color, get_color(box.theme, "checkbox_border_color_hover")));
    EXPECT_EQ(ops_of(win, box, op_kind::draw_text).at(0).state.text_color.a, 1.0f);
}

} // namespace
