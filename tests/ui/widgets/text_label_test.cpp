#include "lcsdk/ui/widgets/text_label.h"

#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/widgets/markup_text.h"
#include "widget_test_support.h"

#include <gtest/gtest.h>

using namespace lcsdk::ui;
using namespace lcsdk::testing;
namespace os = lcsdk::ui::offscreen;

namespace {

class TextLabelTest : public widget_test {
protected:
    TextLabelTest() { label.create(win.root, {{10, 10}, {120, 30}}); }

    vec2i measure(const std::string& text, vec2i limit, float size = 11.0f)
    {
        win.drawer->set_font(get_string(label.theme, "label_font_name"), size, 0, 0);
        return win.drawer->measure_text(text, limit);
    }

    // Pixels of the window inside `area` for which `match` holds.
    template <typename Match>
    int count_pixels(rect_i area, Match match)
    {
        int count = 0;
        for (int y = area.top(); y < area.bottom(); ++y)
            for (int x = area.left(); x < area.right(); ++x)
                count += match(os::pixel_rgba(win, x, y)) ? 1 : 0;
        return count;
    }

    TextLabel label;
};

const std::string long_text = "A label text that is long enough to wrap over several lines of a narrow label.";

TEST_F(TextLabelTest, FittingFollowsTheFlags)
{
    struct row {
        const char* name;
        std::string text;
        bool fit_width, fit_height;
    };
    const row rows[] = {
        {"both, empty text", "", true, true},
        {"height only", long_text, false, true},
        {"width only", long_text, true, false},
        {"both", "Short", true, true},
        {"neither", long_text, false, false},
    };
    for (const row& r : rows) {
        label.set_rect({{10, 10}, {120, 30}});
        label.set_text(r.text, r.fit_width, r.fit_height);
        const vec2i measured = r.text.empty() ? vec2i{} : measure(r.text, {r.fit_width ? 0 : 120, r.fit_height ? 0 : 30});
        EXPECT_EQ(label.size.x, r.fit_width ? measured.x : 120) << r.name;
        EXPECT_EQ(label.size.y, r.fit_height ? measured.y : 30) << r.name;
        EXPECT_EQ(label.position, (vec2i{10, 10})) << r.name;
    }
    label.set_rect({{10, 10}, {120, 30}});
    label.set_text(long_text, false, true);
    EXPECT_GT(label.size.y, measure("A", {0, 0}).y * 2) << "wraps at the label's width";
}

TEST_F(TextLabelTest, EmptyTextDrawsOnlyTheBackground)
{
    label.set_text("", true, true);
    EXPECT_EQ(label.size, (vec2i{0, 0}));
    label.set_rect({{10, 10}, {50, 20}});
    repaint_all();
    const auto ops = ops_of(win, label);
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].kind, op_kind::fill_rect);
    EXPECT_TRUE(near(ops[0].state.fill_color, get_color(label.theme, "default_back_color")));
}

TEST_F(TextLabelTest, DisabledTextIsHalfTransparentWhateverTheStyleSays)
{
    label.set_text("Text");
    set_style(label.theme, "label_font_color", {0.2f, 0.4f, 0.6f, 0.8f});
    repaint_all();
    EXPECT_FLOAT_EQ(ops_of(win, label, op_kind::draw_text).at(0).state.text_color.a, 0.8f);

    label.set_enabled(false);
    repaint_all();
    const color4f disabled = ops_of(win, label, op_kind::draw_text).at(0).state.text_color;
    EXPECT_TRUE(near(disabled, {0.2f, 0.4f, 0.6f, 0.5f}));

    // Disabled through its parent as well.
    label.set_enabled(true);
    win.root.set_enabled(false);
    repaint_all();
    EXPECT_FLOAT_EQ(ops_of(win, label, op_kind::draw_text).at(0).state.text_color.a, 0.5f);
}

TEST_F(TextLabelTest, AlignmentStylesReachTheDrawer)
{
    struct row {
        int align, valign;
        h_align h;
        v_align v;
    };
    const row rows[] = {
        {0, 0, h_align_left, v_align_center},   {1, 1, h_align_center, v_align_top},
        {2, 2, h_align_right, v_align_bottom},  {7, 9, h_align_center, v_align_center},
    };
    label.set_text("Text");
    for (const row& r : rows) {
        label.theme.values["label_text_align"] = int_style(r.align);
        label.theme.values["label_text_valign"] = int_style(r.valign);
        repaint_all();
        const auto text = ops_of(win, label, op_kind::draw_text).at(0);
        EXPECT_EQ(text.state.text_h, r.h) << r.align;
        EXPECT_EQ(text.state.text_v, r.v) << r.valign;
        EXPECT_EQ(text.rect, (rect_i{{0, 0}, {120, 30}}));
    }
}

TEST_F(TextLabelTest, AnyStyleChangeFitsAgain)
{
    label.set_text("Grows", true, false);
    const int before = label.size.x;
    // A bigger font without an event, then a change of an unrelated key.
    label.theme.values["label_font_size"] = float_style(22.0f);
    set_style(label.theme, "default_back_color", {0, 0, 0, 1});
    EXPECT_EQ(label.size.x, measure("Grows", {0, 0}, 22.0f).x);
    EXPECT_GT(label.size.x, before);
}

TEST_F(TextLabelTest, MarkupModeDrawsTheLayoutWithItsOwnColours)
{
    markup_text markup;
    label.set_rect({{10, 10}, {300, 60}});
    label.set_markup(&markup);
    EXPECT_TRUE(label.markup_mode);

    repaint_all();
    auto ops = ops_of(win, label);
    ASSERT_EQ(ops.size(), 1u) << "an empty markup object draws only the background";
    set_style(label.theme, "default_back_color", {1, 1, 1, 1});

    markup.set_markup("<font size=\"30\" color=\"#ff0000\">RED</font> <font size=\"30\" color=\"#0000ff\">BLUE</font> "
                      "<b>plain</b>");
    label.invalidate();
    repaint_all();
    const auto html = ops_of(win, label, op_kind::draw_html);
    ASSERT_EQ(html.size(), 1u);
    EXPECT_EQ(html[0].rect, (rect_i{{0, 0}, {300, 60}}));
    EXPECT_EQ(html[0].text, "RED BLUE plain");

    const rect_i area{{10, 10}, {300, 60}};
    const int red = count_pixels(area, [](os::rgba8 p) { return p.r > 200 && p.g < 60 && p.b < 60; });
    const int blue = count_pixels(area, [](os::rgba8 p) { return p.b > 200 && p.r < 60 && p.g < 60; });
    const int black = count_pixels(area, [](os::rgba8 p) { return p.r < 40 && p.g < 40 && p.b < 40; });
    EXPECT_GT(red, 30);
    EXPECT_GT(blue, 30);
    EXPECT_GT(black, 10) << "text without a colour range uses the black markup text colour";

    // The layout is kept while the size stays and rebuilt when it changes.
    const markup_layout* first = markup.layout.get();
    repaint_all();
    EXPECT_EQ(markup.layout.get(), first);
    label.set_rect({{10, 10}, {200, 60}});
    repaint_all();
    EXPECT_EQ(markup.layout_size.x, 200.0f);

    label.set_markup(nullptr);
    EXPECT_FALSE(label.markup_mode);
}

TEST_F(TextLabelTest, MarkupWithoutContentDrawsNothingButTheBackground)
{
    markup_text markup;
    markup.set_markup("<b>x</b>");
    markup.clear();
    label.set_markup(&markup);
    repaint_all();
    EXPECT_TRUE(ops_of(win, label, op_kind::draw_html).empty());
    EXPECT_EQ(markup.layout, nullptr);
}

} // namespace
