// The wizard without a mouse: by keyboard alone, and as assistive technology sees and works it.
#include "installer/installer_wizard_fixture.h"

#include "lcsdk/ui/accessibility.h"

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace wizard_test;
namespace access = lcsdk::ui::accessibility;
using lines = std::vector<std::string>;

// Windows virtual-key codes, which the neutral build uses too.
constexpr std::uint32_t vk_space = 0x20;
constexpr std::uint32_t vk_escape = 0x1B;
constexpr std::uint32_t vk_page_up = 0x21;
constexpr std::uint32_t vk_end = 0x23;
constexpr std::uint32_t vk_home = 0x24;
constexpr std::uint32_t vk_down = 0x28;

void press(std::uint32_t key)
{
    off::post_key_down(key);
    off::post_key_up(key);
}

void tab(bool backwards = false)
{
    off::post_callback([backwards] { off::set_shift_down(backwards); });
    off::post_char(key_tab);
    off::post_callback([] { off::set_shift_down(false); });
}

std::string role_name(access::role kind)
{
    switch (kind) {
    case access::role::window: return "window";
    case access::role::button: return "button";
    case access::role::check_box: return "check box";
    case access::role::static_text: return "text";
    case access::role::scroll_pane: return "scroll pane";
    case access::role::scroll_bar: return "scroll bar";
    case access::role::picture: return "picture";
    }
    return "?";
}

// One line per element, indented by depth: role, name, then the states that are not the usual ones.
void dump(const lcsdk::ui::window& target, access::element_id id, int depth, lines& out)
{
    const auto e = access::describe(target, id);
    ASSERT_TRUE(e.has_value());
    std::string line = std::string(static_cast<std::size_t>(depth) * 2, ' ') + role_name(e->kind) + " \"" + e->name + "\"";
    if (!e->enabled)
        line += " disabled";
    if (e->focused)
        line += " focused";
    if (e->checked)
        line += *e->checked ? " checked" : " unchecked";
    if (e->scroll)
        line += " scrolled " + std::to_string(e->scroll->position) + " of " + std::to_string(e->scroll->maximum);
    if (!e->help.empty())
        line += " help \"" + e->help + "\"";
    out.push_back(line);
    for (const access::element_id child : e->children)
        dump(target, child, depth + 1, out);
}

lines tree(const lcsdk::ui::window& target)
{
    lines out;
    dump(target, access::window_element(target), 0, out);
    return out;
}

// The first element, depth first, that `matches`.
access::element_id find(const lcsdk::ui::window& target, const std::function<bool(const access::element&)>& matches,
                        access::element_id from = {})
{
    const auto e = access::describe(target, from ? from : access::window_element(target));
    if (!e)
        return {};
    if (matches(*e))
        return e->id;
    for (const access::element_id child : e->children)
        if (const access::element_id found = find(target, matches, child))
            return found;
    return {};
}

access::element_id named(const lcsdk::ui::window& target, const std::string& name)
{
    return find(target, [&](const access::element& e) { return e.name == name; });
}

access::element_id first_of(const lcsdk::ui::window& target, access::role kind)
{
    return find(target, [&](const access::element& e) { return e.kind == kind; });
}

// A page's lines between the title and the button bar; each button's states follow its name.
lines with_bar(const std::string& title, lines page, const std::string& back, const std::string& next,
               const std::string& third, const std::string& third_states = "")
{
    lines out{"window \"" + title + "\"", "  text \"" + title + "\""};
    out.insert(out.end(), page.begin(), page.end());
    out.insert(out.end(), {"  button \"< Back\"" + back, "  button \"Next >\"" + next,
                           "  button \"" + third + "\"" + third_states});
    return out;
}

bool announced(const lcsdk::ui::window& target, access::change what, access::element_id subject)
{
    for (const access::notification& n : off::announcements(target))
        if (n.what == what && n.subject == subject)
            return true;
    return false;
}

// Whether the last paint drew the widget's border dotted, the focus look of the wizard's buttons.
bool drew_focus_border(const lcsdk::ui::window& target, const lcsdk::ui::widget& button)
{
    const lcsdk::ui::widget* current = nullptr;
    for (const off::draw_op& op : off::recorded_ops(target)) {
        if (op.kind == off::op_kind::begin_widget)
            current = op.entered;
        else if (current == &button && op.kind == off::op_kind::draw_rect && op.state.line_style == 1)
            return true;
    }
    return false;
}

using InstallerWizardAccess = InstallerWizard;

TEST_F(InstallerWizardAccess, AssistiveTechnologyReadsAndWorksEveryPage)
{
    discover({{CS6, "cs6"}, {CC2017, "cc2017"}});
    InstallerUI& ui = open();
    const std::string title = window_title;
    const vec2i origin = off::window_rect(ui).position;

    EXPECT_EQ(tree(ui), with_bar(title, {"  text \"" + intro_text() + "\""}, " disabled", "", "Cancel"));
    const access::element_id next = named(ui, "Next >");
    EXPECT_EQ(access::describe(ui, next)->bounds, (rect_i{origin + vec2i{290, 320}, {85, 30}}));
    EXPECT_EQ(access::element_at(ui, origin + vec2i{300, 330}), next);
    EXPECT_EQ(access::perform(ui, named(ui, "< Back"), access::action::press), access::outcome::not_enabled);

    off::clear_announcements(ui);
    EXPECT_EQ(access::perform(ui, next, access::action::press), access::outcome::done);
    EXPECT_EQ(ui.current_page, 1);
    EXPECT_TRUE(announced(ui, access::change::structure, access::window_element(ui))) << "the page change";
    const lines versions{"  text \"" + version_heading_text() + "\"", "  check box \"CS6\" checked",
                         "  check box \"CC2017\" checked", "  check box \"Custom\" unchecked"};
    EXPECT_EQ(tree(ui), with_bar(title, versions, "", "", "Cancel"));

    const access::element_id custom = named(ui, "Custom");
    EXPECT_EQ(access::perform(ui, custom, access::action::toggle), access::outcome::done);
    EXPECT_TRUE(ui.version_checked[Custom]);
    EXPECT_TRUE(announced(ui, access::change::toggled, custom));
    EXPECT_EQ(access::set_focus(ui, custom), access::outcome::done);
    EXPECT_TRUE(announced(ui, access::change::focus, custom));
    EXPECT_EQ(tree(ui), with_bar(title,
                                 {versions[0], versions[1], versions[2], "  check box \"Custom\" focused checked",
                                  std::string("  button \"Plugin Path\" help \"") + plugin_path_help + "\""},
                                 "", "", "Cancel"));

    EXPECT_EQ(access::perform(ui, next, access::action::press), access::outcome::done);
    EXPECT_EQ(tree(ui), with_bar(title,
                                 {"  text \"" + summary_intro_text() + "\"", "  scroll pane \"\" scrolled 0 of 0",
                                  "    scroll bar \"\"", "      button \"Scroll up\"", "      button \"Scroll down\"",
                                  "    text \"" + ui.summary_label.text + "\""},
                                 "", " focused", "Cancel"))
        << "the focus left the hidden check box for \"Next >\"";

    off::post_callback([&] { EXPECT_EQ(access::perform(ui, next, access::action::press), access::outcome::done); });
    when([&] { return ui.install_finished; }, [&] {
        EXPECT_EQ(tree(ui), with_bar(title,
                                     {"  text \"" + success_heading_text() + "\"",
                                      "  text \"" + ui.progress_text_label.text + "\""},
                                     " disabled", " disabled", "Finish", " focused"));
        EXPECT_EQ(access::perform(ui, named(ui, "Finish"), access::action::press), access::outcome::done);
    });
    EXPECT_EQ(ui.show_modal(), 1);
}

TEST_F(InstallerWizardAccess, TheKeyboardAloneInstallsWithACustomFolder)
{
    // Enough versions for a summary taller than its pane.
    discover({{CS5, "cs5"}, {CS55, "cs55"}, {CS6, "cs6"}, {CC, "cc"}, {CC2014, "cc2014"}, {CC2015, "cc2015"},
              {CC2015_3, "cc2015.3"}, {CC2017, "cc2017"}});
    const file_path chosen((root / "mine").string());
    fs::create_directories(root / "mine");
    installer::neutral::queue_folder_dialog_answer({chosen, ""});
    InstallerUI& ui = open();

    off::post_key_down(key_enter); // "Next >", the default
    tab();                         // the first check box
    press(vk_space);
    for (int i = 0; i < 8; ++i)
        tab();
    press(vk_space); // "Custom"
    tab();
    press(key_enter); // "Plugin Path": the folder dialog
    check_now([&] {
        EXPECT_EQ(ui.current_page, 1);
        EXPECT_FALSE(ui.version_checked[CS5]);
        EXPECT_TRUE(ui.version_checked[Custom]);
        EXPECT_EQ(ui.custom_plugin_folder, chosen);
        EXPECT_TRUE(ui.routing().is_focused(ui.plugin_path_button));
        off::clear_recorded_ops(ui);
    });
    tab();
    tab();
    check_now([&] {
        off::paint_pending(ui);
        EXPECT_TRUE(drew_focus_border(ui, ui.next_button)) << "Tab shows where the focus is";
    });
    press(vk_space); // "Next >"
    tab(true);
    tab(true); // the summary
    press(vk_end);
    check_now([&] {
        EXPECT_EQ(ui.current_page, 2);
        const auto pane = access::describe(ui, first_of(ui, access::role::scroll_pane));
        ASSERT_TRUE(pane && pane->scroll);
        EXPECT_TRUE(pane->focused);
        ASSERT_GT(pane->scroll->maximum, 0);
        EXPECT_EQ(pane->scroll->position, pane->scroll->maximum);
    });
    press(vk_page_up);
    check_now([&] {
        EXPECT_EQ(ui.summary_scroll_bar.scroll_position, std::max(0, ui.summary_scroll_bar.max_scroll_position - 190));
    });
    press(vk_home);
    press(vk_down);
    check_now([&] { EXPECT_EQ(ui.summary_scroll_bar.scroll_position, 10); });
    off::post_key_down(key_enter); // the default again, from the summary
    when([&] { return ui.install_finished; }, [&] {
        EXPECT_TRUE(ui.routing().is_focused(ui.cancel_button)) << "the focus left the summary for the third button";
        off::post_key_down(key_enter); // "Finish"
    });
    EXPECT_EQ(ui.show_modal(), 1);

    EXPECT_FALSE(fs::exists(plugin_in("cs5")));
    for (const char* host : {"cs55", "cs6", "cc", "cc2014", "cc2015", "cc2015.3", "cc2017", "mine"})
        EXPECT_EQ(read_file(plugin_in(host)), payload()) << host;
}

TEST_F(InstallerWizardAccess, EscapeAsksAndAnswersTheQuestionWithCancel)
{
    InstallerUI& ui = open();
    press(vk_escape);
    check_now([&] {
        lcsdk::ui::window* question = off::focused_window();
        ASSERT_TRUE(question != nullptr && question != &ui);
        EXPECT_EQ(tree(*question), (lines{"window \"Exit Installer\"", "  text \"" + exit_question_text() + "\"",
                                          "  button \"OK\" focused", "  button \"Cancel\""}));
        EXPECT_TRUE(announced(*question, access::change::shown, access::window_element(*question)));
    });
    press(vk_escape); // "Cancel" in the question
    check_now([&] { EXPECT_TRUE(off::is_enabled(ui) && off::is_modal(ui) && ui.current_page == 0); });
    press(vk_escape);
    tab();     // "Cancel"
    tab(true); // "OK"
    press(key_enter);
    EXPECT_EQ(ui.show_modal(), 1);
}

TEST_F(InstallerWizardAccess, AMouseClickShowsNoFocusLook)
{
    InstallerUI& ui = open();
    click(next_at);
    check_now([&] {
        off::clear_recorded_ops(ui);
        ui.root.invalidate();
        off::paint_pending(ui);
        EXPECT_TRUE(ui.routing().is_focused(ui.next_button));
        EXPECT_FALSE(drew_focus_border(ui, ui.next_button));
        ui.end_modal(0);
    });
    ui.show_modal();
}

} // namespace
