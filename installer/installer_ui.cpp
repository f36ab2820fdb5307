#include "installer/installer_ui.h"

#include "installer/discovery.h"
#include "installer/install_log.h"
#include "installer/messages.h"
#include "installer/wizard_styles.h"

#include "installer/wizard_images.h"
#include "lcsdk/ui/accessibility.h"
#include "lcsdk/ui/message_popup.h"
#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/native_platform.h"
#include "lcsdk/ui/native_window.h"

#include <exception>
#include <functional>
#include <string>
#include <tuple>

namespace installer {

namespace {

using namespace std::placeholders;
using lcsdk::ui::color4f;
using lcsdk::ui::rect_i;

constexpr int W = InstallerUI::width;
constexpr int H = InstallerUI::height;
constexpr rect_i page_area{{170, 50}, {W - 180, H - 110}};
constexpr int Wp = page_area.size.x;
constexpr int Hp = page_area.size.y;

// The progress page's heading has room for one line.
constexpr int heading_height = 25;

constexpr color4f clear{0, 0, 0, 0};
constexpr color4f clear_white{1, 1, 1, 0};
constexpr color4f summary_back{0.118f, 0.118f, 0.118f, 1.0f};

constexpr std::int32_t install_timer_id = 1;
constexpr std::uint32_t install_poll_ms = 200;

// Counts a question as open while it lives, so the count falls again however its loop ends: a
// count left raised would hold back the outcome of every later run.
class open_question {
public:
    explicit open_question(int& count) : count_(count) { ++count_; }
    ~open_question() { --count_; }
    open_question(const open_question&) = delete;
    open_question& operator=(const open_question&) = delete;

private:
    int& count_;
};

} // namespace

InstallerUI::InstallerUI(install_log* log) : plugin_folders(empty_folder_list()), log_(log)
{
    create(window_title, {{600, 200}, {W, H}});
    lcsdk::ui::set_global_styles(wizard_styles());

    root.set_back_color({0.176f, 0.176f, 0.176f, 1.0f});
    lcsdk::ui::add_handler(&root, this, lcsdk::ui::paint_event, std::bind(&InstallerUI::paint_root, this));

    // A banner that cannot be decoded is simply not drawn.
    banner.load(images::wizard_banner_image());

    title_label.create(root, {{170, 0}, {W - 180, 50}});
    title_label.set_back_color(clear);
    lcsdk::ui::set_alias(title_label.theme, "label_font_size", "title_font_size");
    lcsdk::ui::set_alias(title_label.theme, "label_font_weight", "title_font_weight");
    title_label.set_text(window_title);

    build_pages();

    const std::array<std::tuple<InstallerButton*, int, const char*>, 3> bar{{
        {&back_button, W - 300, "< Back"}, {&next_button, W - 210, "Next >"}, {&cancel_button, W - 95, "Cancel"}}};
    for (const auto& [button, x, caption] : bar) {
        button->create(root, {{x, H - 40}, {85, 30}});
        button->set_text(caption);
        // The mouse (any button's release) or the keyboard and assistive technology (a click).
        for (const auto kind : {lcsdk::ui::mouse_up, lcsdk::ui::button_clicked})
            lcsdk::ui::add_handler(button, this, kind, std::bind(&InstallerUI::on_navigation, this, _1));
    }
    lcsdk::ui::add_handler(this, this, lcsdk::ui::key_down, std::bind(&InstallerUI::on_key_down, this, _1));

    set_page(0);
    native->center_window();
}

InstallerUI::~InstallerUI()
{
    engine.join();
}

void InstallerUI::build_pages()
{
    for (int i = 0; i < page_count; ++i) {
        lcsdk::ui::GenericPanel& page = pages[static_cast<std::size_t>(i)];
        page.create(root, page_area);
        page.set_back_color(clear);
        page.set_visible(false);
    }

    intro_label.create(pages[0], {{10, 20}, {W - 190, 200}});
    intro_label.set_back_color(clear);
    lcsdk::ui::set_alias(intro_label.theme, "label_text_valign", "label_intro_text_valign");
    intro_label.set_text(intro_text());

    build_version_page();

    summary_intro_label.create(pages[2], {{0, 15}, {Wp, 40}});
    summary_intro_label.set_back_color(clear_white);
    lcsdk::ui::set_alias(summary_intro_label.theme, "label_text_valign", "label_intro_text_valign");
    summary_intro_label.set_text(summary_intro_text());
    summary_panel.create(pages[2], {{0, 60}, {Wp, Hp - 60}});
    summary_panel.set_back_color(summary_back);
    // Tab reaches the summary, whose scroll bar then scrolls it by the keyboard.
    summary_panel.focusable = true;
    summary_scroll_bar.create(summary_panel, {{Wp - 15, 0}, {15, Hp - 60}});
    summary_scroll_bar.set_back_color({0.208f, 0.208f, 0.208f, 1.0f});
    summary_scroll_bar.step = 10;
    summary_label.create(summary_panel, {{10, 10}, {Wp - 35, 800}});
    summary_label.set_back_color(summary_back);
    lcsdk::ui::set_alias(summary_label.theme, "label_font_size", "label_path_font_size");
    lcsdk::ui::set_alias(summary_label.theme, "label_text_valign", "label_path_text_valign");
    summary_scroll_bar.set_scroll_panel(&summary_label);

    progress_heading_label.create(pages[3], {{0, 0}, {Wp, heading_height}});
    progress_heading_label.set_back_color(clear_white);
    lcsdk::ui::set_alias(progress_heading_label.theme, "label_font_weight", "label_install_weight");
    set_progress_heading(installing_heading_text());
    progress_text_label.create(pages[3], {{0, 50}, {W - 200, Hp - 50}});
    progress_text_label.set_back_color(clear_white);
    lcsdk::ui::set_alias(progress_text_label.theme, "label_text_valign", "label_path_text_valign");
}

void InstallerUI::build_version_page()
{
    version_heading_label.create(pages[1], {{0, 0}, {Wp, 50}});
    version_heading_label.set_back_color(clear_white);
    lcsdk::ui::set_alias(version_heading_label.theme, "label_font_weight", "label_adobe_version_weight");
    version_heading_label.set_text(version_heading_text());

    plugin_folders = find_plugin_folders();
    plugin_folders.resize(host_version_count);
    if (log_ != nullptr)
        log_->found(plugin_folders);
    for (std::size_t i = 0; i < version_checked.size(); ++i)
        version_checked[i] = !plugin_folders[i].empty();

    // Versions that were not found get no box at all; "Custom" always has one.
    int y = 55;
    int offered = 0;
    for (std::size_t i = 0; i < version_check_boxes.size(); ++i) {
        if (!version_checked[i] && i != Custom)
            continue;
        lcsdk::ui::CheckBox& box = version_check_boxes[i];
        box.create(pages[1], {{20, y}, {Wp - 30, 25}});
        box.set_back_color(clear);
        box.set_placement(0, 5);
        box.set_text(host_version_names[i]);
        box.bind_value(&version_checked[i]);
        lcsdk::ui::add_handler(&box, this, lcsdk::ui::checkbox_toggled,
                               std::bind(&InstallerUI::on_custom_folder, this, _1));
        y += 25;
        ++offered;
    }

    plugin_path_button.create(pages[1], {{20, 60 + 25 * offered}, {90, 15}});
    plugin_path_button.set_text("Plugin Path");
    plugin_path_button.set_visible(false);
    for (const auto kind : {lcsdk::ui::mouse_up, lcsdk::ui::button_clicked})
        lcsdk::ui::add_handler(&plugin_path_button, this, kind, std::bind(&InstallerUI::on_custom_folder, this, _1));
    // Its caption alone does not say which folder it chooses.
    lcsdk::ui::add_handler(&plugin_path_button, this, lcsdk::ui::accessibility_describe,
                           [](const lcsdk::ui::event_info& info) {
                               lcsdk::ui::accessibility::described(info).help = plugin_path_help;
                           });

    custom_path_label.create(pages[1], {{20, 80 + 25 * offered}, {Wp - 40, 50}});
    custom_path_label.set_back_color(clear_white);
    lcsdk::ui::set_alias(custom_path_label.theme, "label_font_size", "label_path_font_size");
    lcsdk::ui::set_alias(custom_path_label.theme, "label_text_valign", "label_path_text_valign");
    custom_path_label.set_visible(false);
}

void InstallerUI::paint_root()
{
    if (!drawer)
        return;
    lcsdk::ui::native_drawer& d = *drawer;
    d.set_fill_color(lcsdk::ui::get_color(root.theme, "default_back_color"));
    d.fill_rect({{0, 0}, {W, H}});
    d.set_fill_color({0.275f, 0.275f, 0.275f, 1.0f});
    d.fill_rect({{0, H - 50}, {W, 50}});
    if (banner.is_loaded())
        d.draw_image_fit({{0, 0}, {160, 310}}, banner);
    d.set_line_color({0.392f, 0.392f, 0.392f, 1.0f}, 1.0f);
    d.set_line_style(0);
    d.draw_line({0, H - 50}, {W, H - 50});
}

void InstallerUI::set_page(int index)
{
    // Only the four built pages exist; the disabled buttons keep other indices away, and this
    // keeps them away whatever the input.
    if (index < 0 || index >= page_count)
        return;
    switch (index) {
    case 0:
        back_button.set_enabled(false);
        break;
    case 2:
        summary_label.set_text(summary_text(version_checked, plugin_folders, custom_plugin_folder), false, true);
        back_button.set_enabled(true);
        break;
    case 3:
        back_button.set_enabled(false);
        next_button.set_enabled(false);
        break;
    default:
        back_button.set_enabled(true);
        break;
    }
    back_button.set_text("< Back");
    next_button.set_text("Next >");
    if (index == 3)
        start_install();

    pages[static_cast<std::size_t>(current_page)].set_visible(false);
    pages[static_cast<std::size_t>(index)].set_visible(true);
    current_page = index;
    keep_focus_usable();
}

// The focus must not stay on a control that the page change hid or disabled, where the keyboard
// would reach a control nobody sees: it goes to "Next >", or to the third button when "Next >" is
// off too. Whether it shows is left as it was (focus_visible).
void InstallerUI::keep_focus_usable()
{
    lcsdk::ui::widget* focused = routing().focused();
    if (focused == nullptr || focused == &root || (focused->is_visible() && focused->is_enabled()))
        return;
    set_focus(next_button.is_enabled() ? &next_button : &cancel_button, lcsdk::ui::focus_by_program);
}

// Keys reach the window after the focused widget. Escape is Cancel wherever the focus is; Enter is
// the page's default action unless a button of the wizard has the focus and took it itself.
void InstallerUI::on_key_down(const lcsdk::ui::event_info& info)
{
    const lcsdk::ui::key pressed = lcsdk::ui::key_of(info.param);
    if (pressed == lcsdk::ui::key::escape) {
        on_navigation({&cancel_button, lcsdk::ui::button_clicked, 0});
    } else if (pressed == lcsdk::ui::key::enter && !button_has_focus()) {
        if (next_button.is_enabled())
            on_navigation({&next_button, lcsdk::ui::button_clicked, 0});
        else if (install_finished)
            on_navigation({&cancel_button, lcsdk::ui::button_clicked, 0});
    }
}

bool InstallerUI::button_has_focus() const
{
    const lcsdk::ui::widget* focused = routing().focused();
    for (const InstallerButton* button : {&back_button, &next_button, &cancel_button, &plugin_path_button})
        if (focused == button && button->is_visible() && button->is_enabled())
            return true;
    return false;
}

void InstallerUI::on_navigation(const lcsdk::ui::event_info& info)
{
    if (info.sender == &back_button) {
        set_page(current_page - 1);
    } else if (info.sender == &next_button) {
        set_page(current_page + 1);
    } else if (info.sender == &cancel_button) {
        request_close();
    }
}

void InstallerUI::request_close()
{
    if (open_popups > 0)
        return;
    if (install_finished) {
        end_modal(1);
        return;
    }
    if (const int result = ask("Exit Installer", exit_question_text(), lcsdk::ui::MessagePopup::buttons_ok_cancel);
        result != 0)
        end_modal(result);
}

void InstallerUI::on_custom_folder(const lcsdk::ui::event_info& info)
{
    if (info.sender == &version_check_boxes[Custom]) {
        const bool show = version_checked[Custom];
        plugin_path_button.set_visible(show);
        custom_path_label.set_visible(show);
    } else if (info.sender == &plugin_path_button) {
        choose_custom_folder();
    }
}

void InstallerUI::choose_custom_folder()
{
    lcsdk::filesystem::file_path chosen;
    try {
        chosen = select_folder("Custom Folder", this, plugin_folders[Custom]);
    } catch (const std::exception& failure) {
        // The shell's dialog itself failed: say so and keep the folder chosen before.
        ask("Custom Folder", failure.what(), lcsdk::ui::MessagePopup::buttons_ok);
        return;
    }
    if (chosen.empty())
        return;
    custom_plugin_folder = std::move(chosen);
    custom_path_label.set_text(custom_path_label_text(custom_plugin_folder));
}

void InstallerUI::start_install()
{
    native->add_timer(&pages[3], install_timer_id, install_poll_ms, false);
    timer_handler = lcsdk::ui::add_handler(&pages[3], this, lcsdk::ui::timer_tick,
                                           std::bind(&InstallerUI::on_install_timer, this, _1));

    folder_list chosen = empty_folder_list();
    for (std::size_t i = 0; i < chosen.size(); ++i)
        if (version_checked[i])
            chosen[i] = i == Custom ? custom_plugin_folder : plugin_folders[i];
    // A worker that cannot start ends the run at once as failed: the next tick offers a retry.
    engine.start(chosen);
    run_folders_ = std::move(chosen);
}

void InstallerUI::on_install_timer(const lcsdk::ui::event_info&)
{
    const System::snapshot state = engine.read();
    const progress_report report = make_progress_report(state.status, progress_dots);
    // Installed versions are skipped by a retry. The boxes own the choice, so the flag changes
    // through its box, which then shows it too.
    for (std::size_t i = 0; i < version_checked.size(); ++i)
        if (report.installed[i] && version_checked[i])
            version_check_boxes[i].set_checked(false);
    progress_text_label.set_text(report.text, false, false);

    // While another question is open (the ticks go on in its loop) the outcome waits for a later
    // tick: a second popup over it would re-enable the wizard when it closes.
    if (state.finished && open_popups == 0) {
        // A timer left running would wake the idle process five times a second until it ends.
        native->remove_timer(&pages[3], install_timer_id);
        lcsdk::ui::event_bus::instance().remove_handler(timer_handler);
        engine.join();
        if (log_ != nullptr)
            log_->outcomes(run_folders_, state.status);
        if (!report.failed_slot) {
            finish(success_heading_text());
        } else {
            const int slot = *report.failed_slot;
            if (ask("Failed to install", retry_question(slot, state.status[static_cast<std::size_t>(slot)]),
                    lcsdk::ui::MessagePopup::buttons_yes_no) == 1)
                start_install();
            else
                finish(partial_failure_heading_text());
        }
    }
    progress_dots = next_progress_dots(progress_dots);
}

int InstallerUI::ask(const std::string& title, std::string text, int button_set)
{
    lcsdk::ui::MessagePopup popup;
    popup.create_popup(this, title, std::move(text), button_set);
    const open_question counted(open_popups);
    return popup.show_modal();
}

void InstallerUI::set_progress_heading(const std::string& text)
{
    // The heading keeps its line while the text fits it, so a one-line heading stays centred there;
    // a text the font wraps into more lines (the partial failure's, in a wide font) grows it, as the
    // summary grows to its text, rather than losing its last line.
    progress_heading_label.set_rect({progress_heading_label.position, {Wp, heading_height}});
    progress_heading_label.set_text(text);
    if (progress_heading_label.measure({Wp, 0}).y > heading_height)
        progress_heading_label.set_text(text, false, true);
}

void InstallerUI::finish(const std::string& heading)
{
    set_progress_heading(heading);
    cancel_button.set_text("Finish");
    install_finished = true;
    progress_text_label.set_text(progress_text_label.text + finish_hint, false, false);
}

} // namespace installer
