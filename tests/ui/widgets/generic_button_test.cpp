#include "lcsdk/ui/widgets/generic_button.h"

#include "widget_test_support.h"

#include <gtest/gtest.h>

using namespace lcsdk::ui;
using namespace lcsdk::testing;
namespace os = lcsdk::ui::offscreen;

namespace {

constexpr vec2i inside{50, 40};   // client point over the button
constexpr vec2i outside{300, 250}; // client point over the root only
constexpr std::uint32_t key_enter = 13;

class GenericButtonTest : public widget_test {
protected:
    GenericButtonTest()
    {
        button.create(win.root, {{20, 20}, {100, 40}});
        button.set_text("Press");
        // The first move into a window only starts tracking; start from a point over the root.
        os::post_mouse_move(win, outside);
        os::pump();
    }

    // The fill colour, text colour and outline of the last paint.
    struct look {
        color4f fill, text, line;
        int line_style;
    };
    look painted_look()
    {
        repaint_all();
        const auto fills = ops_of(win, button, op_kind::fill_rect);
        const auto outlines = ops_of(win, button, op_kind::draw_rect);
        const auto texts = ops_of(win, button, op_kind::draw_text);
        EXPECT_EQ(fills.size(), 1u);
        EXPECT_EQ(outlines.size(), 1u);
        EXPECT_EQ(texts.size(), 1u);
        if (fills.empty() || outlines.empty() || texts.empty())
            return {};
        return {fills[0].state.fill_color, texts[0].state.text_color, outlines[0].state.line_color,
                outlines[0].state.line_style};
    }
    color4f style(const char* key) { return get_color(button.theme, key); }

    GenericButton button;
};

TEST_F(GenericButtonTest, LooksFollowHoverPressAndFocus)
{
    // Distinct colours for every key, so each state shows which key it read.
    const char* keys[] = {"button_color_normal",        "button_color_hover",        "button_color_toggle",
                          "button_border_color_normal", "button_border_color_hover", "button_border_color_focus",
                          "button_font_color",          "button_font_color_hover",   "button_font_color_pressed"};
    float shade = 0.05f;
    for (const char* key : keys) {
        set_style(button.theme, key, {shade, 0.5f, 0.5f, 1.0f});
        shade += 0.1f;
    }

    look l = painted_look();
    EXPECT_TRUE(near(l.fill, style("button_color_normal")));
    EXPECT_TRUE(near(l.text, style("button_font_color")));
    EXPECT_TRUE(near(l.line, style("button_border_color_normal")));
    EXPECT_EQ(l.line_style, 0);

    os::post_mouse_move(win, inside);
    os::pump();
    EXPECT_TRUE(button.hovered);
    l = painted_look();
    EXPECT_TRUE(near(l.fill, style("button_color_hover")));
    EXPECT_TRUE(near(l.text, style("button_font_color_hover")));
    EXPECT_TRUE(near(l.line, style("button_border_color_hover")));

    // The press moves the focus here first: dotted focus outline, pressed text colour.
    os::post_button_down();
    os::pump();
    EXPECT_TRUE(button.pressed);
    EXPECT_EQ(win.routing().focused(), &button);
    l = painted_look();
    EXPECT_TRUE(near(l.text, style("button_font_color_pressed")));
    EXPECT_TRUE(near(l.line, style("button_border_color_focus")));
    EXPECT_EQ(l.line_style, 1);

    os::post_mouse_move(win, outside);
    os::pump();
    EXPECT_FALSE(button.hovered);
    EXPECT_FALSE(button.pressed) << "leaving clears the pressed look";
    l = painted_look();
    EXPECT_TRUE(near(l.fill, style("button_color_normal")));
    EXPECT_TRUE(near(l.text, style("button_font_color")));
}

TEST_F(GenericButtonTest, OnlyALeftReleaseClicks)
{
    event_recorder clicks(button, button_clicked);

    struct step {
        int button_number;
        bool pressed_after_release;
        std::size_t clicks_after;
    };
    const step steps[] = {
        // button   still pressed  clicks
        {button_right, true, 0},
        {button_middle, true, 0},
        {button_left, false, 1},
    };
    for (const step& s : steps) {
        os::post_mouse_move(win, inside);
        os::post_button_down(s.button_number);
        os::post_button_up(s.button_number);
        os::pump();
        EXPECT_EQ(button.pressed, s.pressed_after_release) << "button " << s.button_number;
        EXPECT_EQ(clicks.params.size(), s.clicks_after) << "button " << s.button_number;
    }
    EXPECT_EQ(clicks.params.back(), 0u) << "without toggle mode the click carries 0";
}

TEST_F(GenericButtonTest, ReleaseOverTheButtonClicksWhereverThePressBegan)
{
    event_recorder clicks(button, button_clicked);
    os::post_mouse_move(win, outside);
    os::post_button_down();
    os::post_mouse_move(win, inside);
    os::post_button_up();
    os::pump();
    EXPECT_EQ(clicks.params.size(), 1u);

    // Pressing here and releasing elsewhere raises nothing.
    os::post_button_down();
    os::post_mouse_move(win, outside);
    os::post_button_up();
    os::pump();
    EXPECT_EQ(clicks.params.size(), 1u);
    EXPECT_FALSE(button.pressed);
}

TEST_F(GenericButtonTest, EnterClicksTheFocusedButtonWithoutRepaintingIt)
{
    event_recorder clicks(button, button_clicked);
    win.set_focus(&button, focus_by_program);
    os::pump();
    const std::size_t frames = os::painted_frames(win);

    os::post_key_down(key_enter);
    os::pump();
    EXPECT_EQ(clicks.params, (std::vector<std::uint64_t>{0}));
    EXPECT_EQ(os::painted_frames(win), frames);

    os::post_key_down(' ');
    os::pump();
    EXPECT_EQ(clicks.params.size(), 1u) << "only Enter activates";
}

class GenericButtonToggleTest : public widget_test {
protected:
    GenericButtonToggleTest()
    {
        toggle.create(win.root, {{0, 0}, {80, 30}});
        os::post_mouse_move(win, {200, 200});
        os::pump();
    }
    GenericButton toggle{true};
};

TEST_F(GenericButtonToggleTest, ClicksAndEnterFlipTheStateAndRepaint)
{
    event_recorder clicks(toggle, button_clicked);
    for (int i = 0; i < 3; ++i)
        os::post_click(win, {10, 10});
    os::pump();
    EXPECT_EQ(clicks.params, (std::vector<std::uint64_t>{1, 0, 1}));
    EXPECT_TRUE(toggle.toggled);

    repaint_all();
    EXPECT_TRUE(near(ops_of(win, toggle, op_kind::fill_rect).at(0).state.fill_color,
                     get_color(toggle.theme, "button_color_toggle")));

    const std::size_t frames = os::painted_frames(win);
    os::post_key_down(key_enter);
    os::pump();
    EXPECT_EQ(clicks.params.back(), 0u);
    EXPECT_FALSE(toggle.toggled);
    EXPECT_GT(os::painted_frames(win), frames);
}

class GenericButtonImageTest : public GenericButtonTest {
protected:
    GenericButtonImageTest() { button.set_text(""); }

    // Frame colours: red, green, blue, yellow.
    static std::vector<color4f> frame_colours(int count)
    {
        const std::vector<color4f> all{{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}, {1, 1, 0, 1}};
        return {all.begin(), all.begin() + count};
    }
};

TEST_F(GenericButtonImageTest, TheStateChoosesTheFrameTheStripHas)
{
    struct state {
        const char* name;
        bool hovered, toggled, enabled, pressed;
    };
    const state states[] = {
        {"normal", false, false, true, false},         {"hovered", true, false, true, false},
        {"toggled", false, true, true, false},         {"disabled", false, false, false, false},
        {"disabled hovered", true, false, false, false}, {"pressed", false, false, true, true},
        {"pressed hovered", true, false, true, true},
    };
    // Expected frame per state (columns in the order above) for strips of 1 to 4 frames.
    const int expected[4][7] = {
        {0, 0, 0, 0, 0, 0, 0},
        {0, 1, 1, 0, 1, 0, 1},
        {0, 1, 1, 2, 2, 0, 1},
        {0, 1, 1, 2, 2, 3, 3},
    };

    for (int frames = 1; frames <= 4; ++frames) {
        const auto colours = frame_colours(frames);
        const auto png = png_strip({20, 10}, colours);
        set_image_style(button, "button_back_image", png, frames);
        for (int i = 0; i < 7; ++i) {
            const state& s = states[i];
            button.hovered = s.hovered;
            button.toggled = s.toggled;
            button.pressed = s.pressed;
            button.set_enabled(s.enabled);
            repaint_all();

            const auto images = ops_of(win, button, op_kind::draw_image);
            ASSERT_EQ(images.size(), 1u) << frames << " frames, " << s.name;
            const int frame = expected[frames - 1][i];
            EXPECT_EQ(images[0].source, (rect_i{{0, 10 * frame}, {20, 10}})) << frames << " frames, " << s.name;
            EXPECT_EQ(images[0].destination.position, (vec2i{40, 15})) << "centred in the 100 x 40 button";
            const os::rgba8 centre = os::pixel_rgba(win, 20 + 50, 20 + 20);
            const color4f want = colours[static_cast<std::size_t>(frame)];
            EXPECT_EQ(centre, (os::rgba8{static_cast<std::uint8_t>(want.r * 255), static_cast<std::uint8_t>(want.g * 255),
                                         static_cast<std::uint8_t>(want.b * 255), 255}))
                << frames << " frames, " << s.name;
        }
    }
}

TEST_F(GenericButtonImageTest, ThePlacementIsFixedWhenTheImageIsDecoded)
{
    const auto png = png_strip({20, 10}, frame_colours(1));
    set_image_style(button, "button_back_image", png, 1);
    repaint_all();
    EXPECT_EQ(button.image_rect, (rect_i{{40, 15}, {20, 10}}));

    button.set_rect({{20, 20}, {200, 80}});
    repaint_all();
    EXPECT_EQ(button.image_rect.position, (vec2i{40, 15})) << "a resize alone does not re-centre";

    set_image_style(button, "button_back_image", png, 1);
    repaint_all();
    EXPECT_EQ(button.image_rect.position, (vec2i{90, 35}));
}

TEST_F(GenericButtonImageTest, BytesThatAreNoImageDrawNothingAndDoNotCrash)
{
    const std::vector<unsigned char> junk{'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'};
    set_image_style(button, "button_back_image", junk, 4);
    repaint_all();
    EXPECT_TRUE(ops_of(win, button, op_kind::draw_image).empty());
    EXPECT_TRUE(ops_of(win, button, op_kind::draw_text).empty()) << "no caption, no text";
    EXPECT_EQ(ops_of(win, button, op_kind::draw_rect).size(), 1u);
}

TEST_F(GenericButtonImageTest, AFrameCountOfZeroCountsAsOne)
{
    const auto png = png_strip({20, 10}, frame_colours(1));
    set_image_style(button, "button_back_image", png, 0);
    repaint_all();
    EXPECT_EQ(button.image_rect.size, (vec2i{20, 10}));
}

} // namespace
