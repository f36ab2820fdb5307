#include "support/wizard_texts.h"

#include "installer/messages.h"
#include "installer/status_codes.h"
#include "lcsdk/ui/message_popup.h"

#include <array>
#include <utility>

namespace installer::testing {

namespace {

using lcsdk::filesystem::file_path;
using lcsdk::ui::MessagePopup;
using lcsdk::ui::TextLabel;

// Long plug-in folders of both systems: a label shows whichever its platform gives it.
const std::array<file_path, 2> long_folders{
    file_path::from_utf8("C:\\Program Files\\Adobe\\Adobe After Effects CC 2017\\Support Files\\Plug-ins"),
    file_path::from_utf8("/Applications/Adobe After Effects CC 2015.3/Plug-ins/Effects")};

// The slot with the longest name.
constexpr int longest_slot = CC2015_3;

// A failure code of every message text, and one that has no text of its own.
constexpr std::array failure_codes{status_payload_missing, status_create_failed, 60, 120, 121, 210, 220, 221,
                                   status_rights_refused, status_copy_failed, status_package_missing,
                                   status_package_corrupt, 999};

// A run of every version: those before `last` installed, `last` with status `code`.
std::string progress_text(int last, status_code code, int dots)
{
    status_list status{};
    for (int i = 0; i < last; ++i)
        status[static_cast<std::size_t>(i)] = status_installed;
    status[static_cast<std::size_t>(last)] = code;
    return make_progress_report(status, dots).text;
}

class walk {
public:
    explicit walk(InstallerUI& wizard) : wizard_(wizard) {}

    // The label's text as it stands, wrapped at the label's width. An empty line at its end shows
    // nothing, so it is left out.
    void label(TextLabel& shown, std::string place)
    {
        std::string text = shown.text;
        while (!text.empty() && text.back() == '\n')
            text.pop_back();
        std::swap(shown.text, text);
        texts.push_back({std::move(place), shown.size, shown.measure({shown.size.x, 0})});
        std::swap(shown.text, text);
    }

    void question(std::string place, const std::string& title, std::string text, int buttons)
    {
        MessagePopup popup;
        popup.create_popup(&wizard_, title, std::move(text), buttons);
        texts.push_back({std::move(place), popup.text_rect.size, popup.measure_message({popup.text_rect.size.x, 0})});
    }

    std::vector<placed_text> texts;

private:
    InstallerUI& wizard_;
};

} // namespace

std::vector<placed_text> walk_wizard_texts(InstallerUI& wizard)
{
    walk w(wizard);
    w.label(wizard.title_label, "title");
    w.label(wizard.intro_label, "introduction");
    w.label(wizard.version_heading_label, "host version heading");
    for (std::size_t i = 0; i < long_folders.size(); ++i) {
        wizard.custom_path_label.set_text(custom_path_label_text(long_folders[i]));
        w.label(wizard.custom_path_label, "custom folder " + std::to_string(i + 1));
    }

    // The summary with every version chosen; its label grows to the text, the panel scrolls it.
    for (const file_path& folder : long_folders) {
        wizard.version_checked.fill(true);
        wizard.plugin_folders.assign(host_version_count, folder);
        wizard.custom_plugin_folder = folder;
        wizard.set_page(2);
        w.label(wizard.summary_label, "summary of " + folder.to_utf8());
    }
    w.label(wizard.summary_intro_label, "summary introduction");

    const std::array<std::pair<const char*, std::string>, 3> headings{{{"while installing", installing_heading_text()},
                                                                       {"once installed", success_heading_text()},
                                                                       {"after a failure", partial_failure_heading_text()}}};
    for (const auto& [when, heading] : headings) {
        wizard.set_progress_heading(heading);
        w.label(wizard.progress_heading_label, std::string("progress heading ") + when);
    }
    const int last = host_version_count - 1;
    const std::array<std::pair<const char*, std::string>, 3> progress{
        {{"while installing", progress_text(last, status_installing, 3)},
         {"once installed", progress_text(last, status_installed, 0) + finish_hint},
         {"after a failure", progress_text(last, status_copy_failed, 0) + finish_hint}}};
    for (const auto& [when, text] : progress) {
        wizard.progress_text_label.set_text(text, false, false);
        w.label(wizard.progress_text_label, std::string("progress ") + when);
    }

    w.question("exit question", "Exit Installer", exit_question_text(), MessagePopup::buttons_ok_cancel);
    for (const status_code code : failure_codes)
        w.question("retry question for " + std::to_string(code), "Failed to install",
                   retry_question(longest_slot, code), MessagePopup::buttons_yes_no);
    return std::move(w.texts);
}

std::string describe(const std::vector<placed_text>& texts)
{
    std::string lines;
    for (const placed_text& t : texts) {
        lines += t.fits() ? "fits " : "cut  ";
        lines += t.place + ": box " + std::to_string(t.box.x) + " x " + std::to_string(t.box.y) + ", needs " +
                 std::to_string(t.needed.x) + " x " + std::to_string(t.needed.y) + "\n";
    }
    return lines;
}

} // namespace installer::testing
