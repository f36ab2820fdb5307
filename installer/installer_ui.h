#pragma once

#include "installer/host_versions.h"
#include "installer/installer_button.h"
#include "installer/system.h"

#include "lcsdk/filesystem/file_path.h"
#include "lcsdk/ui/native_bitmap.h"
#include "lcsdk/ui/widgets/check_box.h"
#include "lcsdk/ui/widgets/generic_panel.h"
#include "lcsdk/ui/widgets/scroll_bar.h"
#include "lcsdk/ui/widgets/text_label.h"
#include "lcsdk/ui/window.h"

#include <array>
#include <cstdint>

namespace installer {

class install_log;

// The installer's one window: banner, title, four pages (introduction, host versions, summary,
// progress) and a bar of Back / Next / Cancel buttons. It owns the engine, and with it the
// engine's worker thread. Everything works from the keyboard too: Tab walks the check boxes, the
// "Plugin Path" button, the summary and the bar; Enter is "Next >" (then "Finish") unless a button
// has the focus, and Escape is the third button.
class InstallerUI : public lcsdk::ui::window {
public:
    static constexpr int width = 500;
    static constexpr int height = 360;
    static constexpr int page_count = 4;

    // `log`, when given, hears the versions found and the outcome of every run.
    explicit InstallerUI(install_log* log = nullptr);
    // Waits for a running installation before any widget goes away.
    ~InstallerUI() override;

    void set_page(int index);
    // What the third button does: ends a finished wizard; otherwise asks the Exit question and ends
    // the wizard when it is confirmed. Nothing while another question of the wizard is open.
    void request_close();
    // Asks a question of the wizard (a message popup over it) and returns the answer.
    int ask(const std::string& title, std::string text, int button_set);
    // Shows `text` as the progress page's heading: centred in the heading's one line, or where its
    // font needs more lines, in a heading grown to the text.
    void set_progress_heading(const std::string& text);

    // Runs the installation on its worker thread; the wizard starts, polls and joins it.
    System engine;
    lcsdk::ui::native_bitmap banner;
    std::array<lcsdk::ui::GenericPanel, 6> pages;
    lcsdk::ui::handler_id timer_handler = 0;
    lcsdk::ui::TextLabel title_label;
    lcsdk::ui::TextLabel intro_label;
    lcsdk::ui::TextLabel summary_intro_label;
    lcsdk::ui::TextLabel summary_label;
    lcsdk::ui::TextLabel progress_heading_label;
    std::int32_t current_page = 0;
    InstallerButton back_button;
    InstallerButton next_button;
    InstallerButton cancel_button;
    per_version<bool> version_checked{};
    folder_list plugin_folders;
    std::array<lcsdk::ui::CheckBox, host_version_count> version_check_boxes;
    lcsdk::filesystem::file_path custom_plugin_folder;
    InstallerButton plugin_path_button;
    lcsdk::ui::TextLabel custom_path_label;
    lcsdk::ui::TextLabel version_heading_label;
    lcsdk::ui::GenericPanel summary_panel;
    lcsdk::ui::ScrollBar summary_scroll_bar;
    lcsdk::ui::TextLabel progress_text_label;
    bool install_finished = false;
    // Dots of the "Installing" lines: 0, 1, 2, 3, 0, ... one step per tick.
    int progress_dots = 0;
    // Questions of the wizard now open; the outcome of a run waits until none is.
    int open_popups = 0;

private:
    install_log* log_;
    // The folders of the last run started, for its outcome in the log.
    folder_list run_folders_;

    void build_pages();
    void build_version_page();
    void paint_root();
    void on_navigation(const lcsdk::ui::event_info& info);
    void on_key_down(const lcsdk::ui::event_info& info);
    bool button_has_focus() const;
    void keep_focus_usable();
    void on_custom_folder(const lcsdk::ui::event_info& info);
    void choose_custom_folder();
    void start_install();
    void on_install_timer(const lcsdk::ui::event_info& info);
    void finish(const std::string& heading);
};

} // namespace installer
