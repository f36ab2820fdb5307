#include "lcsdk/ui/message_popup.h"

#include "lcsdk/ui/native_drawer.h"
#include "widget_test_support.h"

#include <gtest/gtest.h>

#include <optional>

using namespace lcsdk::ui;
using namespace lcsdk::testing;
namespace os = lcsdk::ui::offscreen;

namespace {

constexpr std::uint32_t key_enter = 13;

// The owner is the 400 x 300 test window at (100, 100).
class MessagePopupTest : public widget_test {
protected:
    vec2i measure(const std::string& text)
    {
        popup.drawer->set_font("Tahoma", 12.0f, 0, 0);
        popup.drawer->set_text_alignment(0, 1);
        return popup.drawer->measure_text(text, {0, 0});
    }
    vec2i popup_size() const { return os::window_rect(popup).size; }

    MessagePopup popup;
};

TEST_F(MessagePopupTest, WidthHasAMinimumAndHeightFollowsTheText)
{
    popup.create_popup(&win, "Sizes", "", MessagePopup::buttons_ok);
    EXPECT_EQ(popup_size(), (vec2i{360, 90})) << "empty message";
    EXPECT_EQ(popup.root.size, (vec2i{360, 90}));

    const int line = measure("Short").y;
    struct row {
        std::string message;
        int lines;
    };
    const row rows[] = {{"Short", 1}, {"Two\nlines", 2}, {"One\ntwo\nthree", 3}};
    for (const row& r : rows) {
        MessagePopup p;
        p.create_popup(&win, "Sizes", r.message, MessagePopup::buttons_ok);
        const int th = measure(r.message).y;
        EXPECT_EQ(os::window_rect(p).size, (vec2i{360, th + 90})) << r.message;
        EXPECT_EQ(p.text_rect, (rect_i{{20, 20}, {320, th}})) << r.message;
        EXPECT_GE(th, r.lines * (line - 1)) << r.message;
    }
}

TEST_F(MessagePopupTest, AMessage500WideGivesA540WidePopup)
{
    popup.create_popup(&win, "Sizes", "", MessagePopup::buttons_ok);
    // Find a text that measures exactly 500 in the message font: the longest prefix of a
    // sentence that stays below, then one or two more characters.
    const std::string sentence = "Setup could not write the plug-in into the chosen folder of the host, "
                                 "please check the rights on that folder and try once more.";
    std::string base;
    for (char c : sentence) {
        if (measure(base + c).x > 500)
            break;
        base += c;
    }
    std::optional<std::string> text;
    if (measure(base).x == 500)
        text = base;
    for (char a = '!'; a <= '~' && !text; ++a) {
        for (char b = ' '; b <= '~' && !text; ++b) {
            const std::string candidate = base + a + (b == ' ' ? std::string() : std::string(1, b));
            if (measure(candidate).x == 500)
                text = candidate;
        }
    }
    ASSERT_TRUE(text.has_value()) << "no text of width 500 in this font";
    MessagePopup wide;
    wide.create_popup(&win, "Sizes", *text, MessagePopup::buttons_ok);
    EXPECT_EQ(os::window_rect(wide).size.x, 540);
    EXPECT_EQ(wide.text_rect.size.x, 500);
}

TEST_F(MessagePopupTest, ButtonSetsPlaceTheirButtonsAtTheBottomRight)
{
    struct row {
        int set;
        const char* first;
        const char* second; // null: not created
    };
    const row rows[] = {{MessagePopup::buttons_ok, "OK", nullptr},
                        {MessagePopup::buttons_ok_cancel, "OK", "Cancel"},
                        {MessagePopup::buttons_yes_no, "Yes", "No"}};
    for (const row& r : rows) {
        MessagePopup p;
        p.create_popup(&win, "Buttons", "Message", r.set);
        const vec2i size = os::window_rect(p).size;
        EXPECT_EQ(p.first_button.text, r.first);
        EXPECT_EQ(p.routing().focused(), &p.first_button);
        if (r.second) {
            EXPECT_EQ(p.second_button.text, r.second);
            EXPECT_EQ(p.first_button.rect(), (rect_i{{size.x - 230, size.y - 50}, {100, 30}}));
            EXPECT_EQ(p.second_button.rect(), (rect_i{{size.x - 120, size.y - 50}, {100, 30}}));
        } else {
            EXPECT_FALSE(p.second_button.created);
            EXPECT_EQ(p.first_button.rect(), (rect_i{{size.x - 120, size.y - 50}, {100, 30}}));
        }
    }
}

TEST_F(MessagePopupTest, CentredOverItsOwner)
{
    popup.create_popup(&win, "Centre", "Message", MessagePopup::buttons_ok);
    const vec2i size = popup_size();
    EXPECT_EQ(os::window_rect(popup).position, (vec2i{100 + (400 - size.x) / 2, 100 + (300 - size.y) / 2}));
}

TEST_F(MessagePopupTest, AnswersFromKeysClicksAndClosing)
{
    struct row {
        const char* what;
        int set;
        std::function<void(MessagePopup&)> input;
        int result;
    };
    const row rows[] = {
        {"Enter right after showing", MessagePopup::buttons_yes_no, [](MessagePopup&) { os::post_key_down(key_enter); }, 1},
        {"click on No", MessagePopup::buttons_yes_no,
         [](MessagePopup& p) { os::post_click(p, p.second_button.position + vec2i{5, 5}); }, 0},
        {"click on OK", MessagePopup::buttons_ok_cancel,
         [](MessagePopup& p) { os::post_click(p, p.first_button.position + vec2i{5, 5}); }, 1},
        {"Tab then Enter answers No", MessagePopup::buttons_yes_no,
         [](MessagePopup&) {
             os::post_char('\t');
             os::post_key_down(key_enter);
         },
         0},
        {"closing the window", MessagePopup::buttons_ok_cancel, [](MessagePopup& p) { os::post_close(p); }, 0},
        {"Tab keeps the only button focused", MessagePopup::buttons_ok,
         [](MessagePopup& p) {
             os::post_char('\t');
             os::post_callback([&p] { EXPECT_EQ(p.routing().focused(), &p.first_button); });
             os::post_key_down(key_enter);
         },
         1},
    };
    for (const row& r : rows) {
        MessagePopup p;
        p.create_popup(&win, "Question", "Really?", r.set);
        r.input(p);
        EXPECT_EQ(p.show_modal(), r.result) << r.what;
    }
}

TEST_F(MessagePopupTest, TheOwnerIsDisabledWhileThePopupRuns)
{
    popup.create_popup(&win, "Modal", "Message", MessagePopup::buttons_ok);
    bool owner_enabled_inside = true;
    os::post_callback([&] { owner_enabled_inside = os::is_enabled(win); });
    os::post_key_down(key_enter);
    EXPECT_EQ(popup.show_modal(), 1);
    EXPECT_FALSE(owner_enabled_inside);
    EXPECT_TRUE(os::is_enabled(win));
}

TEST_F(MessagePopupTest, APopupOverAnotherLeavesTheOwnerDisabledUntilTheLastEnds)
{
    popup.create_popup(&win, "First", "Message", MessagePopup::buttons_ok);
    std::optional<bool> owner_enabled_between;
    os::post_callback([&] {
        // A second question over the same owner from inside the first one's loop, as a timer may ask.
        MessagePopup second;
        second.create_popup(&win, "Second", "Message", MessagePopup::buttons_ok);
        os::post_click(second, second.first_button.position + vec2i{5, 5});
        EXPECT_EQ(second.show_modal(), 1);
        owner_enabled_between = os::is_enabled(win);
        os::post_click(popup, popup.first_button.position + vec2i{5, 5});
    });
    EXPECT_EQ(popup.show_modal(), 1);
    EXPECT_EQ(owner_enabled_between, false) << "the first popup is still open";
    EXPECT_TRUE(os::is_enabled(win));
}

TEST_F(MessagePopupTest, PaintsBackgroundMessageAndButtonsButNeverTheCheckBox)
{
    std::string temporary = "Line one\nLine two";
    popup.create_popup(&win, "Paint", temporary, MessagePopup::buttons_ok_cancel);
    temporary.assign(40, 'x'); // the popup keeps its own copy
    os::show(popup);
    os::pump();

    const auto root_ops = ops_of(popup, popup.root);
    ASSERT_EQ(root_ops.size(), 2u);
    EXPECT_EQ(root_ops[0].kind, op_kind::fill_rect);
    EXPECT_EQ(root_ops[0].rect, (rect_i{{0, 0}, popup.root.size}));
    EXPECT_TRUE(near(root_ops[0].state.fill_color, {0.2313f, 0.2313f, 0.2549f, 1.0f}));
    EXPECT_EQ(root_ops[1].kind, op_kind::draw_text);
    EXPECT_EQ(root_ops[1].text, "Line one\nLine two");
    EXPECT_EQ(root_ops[1].rect, popup.text_rect);
    EXPECT_TRUE(near(root_ops[1].state.text_color, {0.882f, 0.882f, 0.882f, 1.0f}));
    EXPECT_EQ(root_ops[1].state.font_family, "Tahoma");
    EXPECT_FLOAT_EQ(root_ops[1].state.font_size, 12.0f);
    EXPECT_EQ(root_ops[1].state.text_v, v_align_top);

    EXPECT_FALSE(popup.check.is_visible());
    EXPECT_EQ(popup.check.text, "Do not show this again");
    EXPECT_TRUE(ops_of(popup, popup.check).empty());
    EXPECT_EQ(ops_of(popup, popup.first_button, op_kind::draw_text).at(0).text, "OK");
    EXPECT_EQ(ops_of(popup, popup.second_button, op_kind::draw_text).at(0).text, "Cancel");
}

} // namespace
