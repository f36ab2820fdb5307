#pragma once

#include "installer/host_versions.h"
#include "installer/system.h"

#include <optional>
#include <string>

// Every text the wizard shows about a run, built from the engine's statuses.
namespace installer {

// The user-facing explanation of a failure status code.
std::string error_message(status_code code);

// One refresh of the progress page: a line per slot with a non-zero status, then an empty line.
struct progress_report {
    std::string text;
    per_version<bool> installed{};
    std::optional<int> failed_slot; // the last slot that carries a failure code
};

progress_report make_progress_report(const status_list& status, int dots);

// The dot counter of the "Installing" lines runs 0, 1, 2, 3, 0, ...
int next_progress_dots(int dots);

// The retry question after slot `slot` failed with `code`.
std::string retry_question(int slot, status_code code);

// Text of the summary page: each chosen slot with the vendor folder the plug-in will go to.
// Slot 10 takes the custom folder instead of its discovered one.
std::string summary_text(const per_version<bool>& checked, const folder_list& folders,
                         const lcsdk::filesystem::file_path& custom_folder);

std::string intro_text();
std::string version_heading_text();
std::string summary_intro_text();
std::string installing_heading_text();
std::string success_heading_text();
std::string partial_failure_heading_text();
std::string exit_question_text();
std::string custom_path_label_text(const lcsdk::filesystem::file_path& folder);

inline constexpr const char* window_title = "Glaive for After Effects Installer";
inline constexpr const char* finish_hint = "\n\nClick Finish to close the installer.";
// Read to screen reader users with the "Plugin Path" button, whose caption does not say it.
inline constexpr const char* plugin_path_help = "Chooses the folder to install into for Custom.";

} // namespace installer
