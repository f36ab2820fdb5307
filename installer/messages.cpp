#include "installer/messages.h"

#include "installer/product.h"
#include "installer/status_codes.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

namespace installer {

namespace {

constexpr std::string_view corrupt_hint = ").\n - The installer file may be corrupt.";
constexpr std::string_view create_hints = ").\n - Make sure that After Effects is closed\n - Make sure you have enough disk "
                                          "space.\n - Make sure you have administrative privileges.";

// The failures that share a text.
constexpr std::array plugin_unloadable{status_payload_missing, status_payload_unloadable};
constexpr std::array plugin_uncreatable{status_create_failed, status_write_failed, status_copy_failed};
constexpr std::array rights_refused{status_rights_refused};
constexpr std::array package_missing{status_package_missing};
constexpr std::array package_corrupt{status_package_corrupt};

struct message_row {
    std::span<const status_code> codes;
    std::string_view prefix;
    std::string_view suffix;
};

// Matched top to bottom.
constexpr std::array<message_row, 11> message_rows{{
    {plugin_unloadable, "Could not load the plugin file from the installer (Error code: ", corrupt_hint},
    {plugin_uncreatable, "Could not create the plugin file (Error code: ", create_hints},
    {statuses_script_unloadable, "Could not load the script file from the installer (Error code: ", corrupt_hint},
    {statuses_script_uncreatable, "Could not create the script files (Error code: ", create_hints},
    {statuses_script_undecompressable, "Could not decompress the script files correctly (Error code: ", corrupt_hint},
    {statuses_assets_unloadable, "Could not load the assets file from the installer (Error code: ", corrupt_hint},
    {statuses_assets_uncreatable,
     "Could not create assets files (Error code: ",
     ").\n - Make sure you have enough disk space.\n - Make sure you have administrative privileges."},
    {statuses_assets_undecompressable, "Could not decompress the assets files correctly (", corrupt_hint},
    {rights_refused, "Authorization request was denied (Error code: ", ")."},
    {package_missing, "Could not find the installer package (Error code: ", ").\n - Please download the installer again."},
    {package_corrupt, "Could not find the installer package (Error code: ", corrupt_hint},
}};

std::string title_with(std::string_view middle)
{
    std::string text(product_title);
    text += middle;
    return text;
}

} // namespace

std::string error_message(status_code code)
{
    std::string_view prefix = "Unkown error (";
    std::string_view suffix = ").";
    for (const message_row& row : message_rows) {
        if (std::find(row.codes.begin(), row.codes.end(), code) != row.codes.end()) {
            prefix = row.prefix;
            suffix = row.suffix;
            break;
        }
    }
    std::string text(prefix);
    text += std::to_string(code);
    text += suffix;
    return text;
}

progress_report make_progress_report(const status_list& status, int dots)
{
    progress_report report;
    const std::string dot_text(static_cast<std::size_t>(std::max(dots, 0)), '.');
    for (int i = 0; i < host_version_count; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        const std::string& name = host_version_names[slot];
        switch (status[slot]) {
        case status_not_attempted:
            break;
        case status_installing:
            report.text += "Installing " + std::string(product_title) + " " + name + dot_text + "\n";
            break;
        case status_installed:
            report.text += std::string(product_title) + " " + name + " installed.\n";
            report.installed[slot] = true;
            break;
        default:
            report.text += std::string(product_title) + " " + name + " failed to install!\n";
            report.failed_slot = i;
            break;
        }
    }
    report.text += "\n";
    return report;
}

int next_progress_dots(int dots)
{
    return dots + 1 > 3 ? 0 : dots + 1;
}

std::string retry_question(int slot, status_code code)
{
    return "The installation of " + std::string(product_title) + " " +
           host_version_names.at(static_cast<std::size_t>(slot)) + " failed!\n\n" + error_message(code) +
           "\n\nPlease contact support if you continue to have trouble.\n\nDo you want to retry?";
}

std::string summary_text(const per_version<bool>& checked, const folder_list& folders,
                         const lcsdk::filesystem::file_path& custom_folder)
{
    using lcsdk::filesystem::file_path;
    const file_path vendor(lcsdk::filesystem::native_text(vendor_folder_name));
    std::string text = "Installing " + std::string(product_name) + " on:\n\n";
    for (int i = 0; i < host_version_count; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        if (!checked[slot])
            continue;
        const file_path& folder = i == Custom ? custom_folder : folders.at(slot);
        text += host_version_names[slot] + ":\n" + "[Plugin] " + join(folder, vendor).to_utf8() + "\n";
        text += "\n";
    }
    return text;
}

std::string intro_text()
{
    return "This will install " + std::string(product_name) + " " + std::string(product_version) + " " +
           "on your computer.\n\nIt is recommended that you close all other applications before "
           "continuing.\n\nClick Next to continue, or Cancel to exit the installer.";
}

std::string version_heading_text()
{
    return "Select which versions of Adobe After Effects you want to install " + std::string(product_name) + " on:";
}

std::string summary_intro_text()
{
    return "Click Next to continue with the installation, or click Back if you want to review or change any "
           "settings.\n";
}

std::string installing_heading_text()
{
    return "Installing " + title_with(", please wait...");
}

std::string success_heading_text()
{
    return title_with(" was successfully installed.");
}

std::string partial_failure_heading_text()
{
    return "Some components of " + title_with(" were not correctly installed.");
}

std::string exit_question_text()
{
    return "Are you sure you want to cancel " + title_with(" installation?");
}

std::string custom_path_label_text(const lcsdk::filesystem::file_path& folder)
{
    return "Custom Plugin Path: " + folder.to_utf8();
}

} // namespace installer
