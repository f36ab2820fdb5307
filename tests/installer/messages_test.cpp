#include "installer/messages.h"
#include "installer/status_codes.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace installer;

namespace {

const std::string corrupt = ").\n - The installer file may be corrupt.";
const std::string create = ").\n - Make sure that After Effects is closed\n - Make sure you have enough disk space.\n"
                           " - Make sure you have administrative privileges.";

struct message_case {
    std::vector<std::int32_t> codes;
    std::string prefix;
    std::string suffix;
};

TEST(ErrorMessage, EveryRowOfTheTable)
{
    // codes | prefix | suffix
    const message_case rows[] = {
        {{20, 30}, "Could not load the plugin file from the installer (Error code: ", corrupt},
        {{40, 50, 401}, "Could not create the plugin file (Error code: ", create},
        {{60, 110, 111, 112, 130}, "Could not load the script file from the installer (Error code: ", corrupt},
        {{120, 131}, "Could not create the script files (Error code: ", create},
        {{121, 122, 123, 124, 200}, "Could not decompress the script files correctly (Error code: ", corrupt},
        {{210, 211, 212, 230}, "Could not load the assets file from the installer (Error code: ", corrupt},
        {{220, 231},
         "Could not create assets files (Error code: ",
         ").\n - Make sure you have enough disk space.\n - Make sure you have administrative privileges."},
        {{221, 222, 223, 224, 300}, "Could not decompress the assets files correctly (", corrupt},
        {{400}, "Authorization request was denied (Error code: ", ")."},
        {{1000}, "Could not find the installer package (Error code: ", ").\n - Please download the installer again."},
        {{1001}, "Could not find the installer package (Error code: ", corrupt},
        {{0, 1, 2, 25, 41, 402, 999, 1002, -40, 2147483647, -2147483647 - 1}, "Unkown error (", ")."},
    };
    for (const message_case& row : rows)
        for (const std::int32_t code : row.codes)
            EXPECT_EQ(error_message(code), row.prefix + std::to_string(code) + row.suffix) << code;
}

TEST(ErrorMessage, EveryFailureAnEngineReportsHasItsRow)
{
    // failure status, by the name the engines report | its text up to the code
    const std::pair<status_code, std::string> failures[] = {
        {status_payload_missing, "Could not load the plugin file from the installer (Error code: "},
        {status_payload_unloadable, "Could not load the plugin file from the installer (Error code: "},
        {status_create_failed, "Could not create the plugin file (Error code: "},
        {status_write_failed, "Could not create the plugin file (Error code: "},
        {status_rights_refused, "Authorization request was denied (Error code: "},
        {status_copy_failed, "Could not create the plugin file (Error code: "},
    };
    for (const auto& [code, prefix] : failures)
        EXPECT_EQ(error_message(code).substr(0, prefix.size() + std::to_string(code).size()),
                  prefix + std::to_string(code))
            << code;
}

TEST(ProgressText, OneLinePerNonZeroStatusThenAnEmptyLine)
{
    status_list status{};
    status[CS6] = 2;
    status[CC] = 1;
    status[CC2017] = 0;
    status[Custom] = 1;
    const progress_report report = make_progress_report(status, 2);
    EXPECT_EQ(report.text, "Glaive for After Effects CS6 installed.\n"
                           "Installing Glaive for After Effects CC..\n"
                           "Installing Glaive for After Effects Custom..\n"
                           "\n");
    EXPECT_FALSE(report.failed_slot.has_value());
    for (std::size_t i = 0; i < status.size(); ++i)
        EXPECT_EQ(report.installed[i], i == CS6) << i;
}

TEST(ProgressText, DotsFollowTheCounter)
{
    status_list status{};
    status[CC2015_3] = 1;
    const char* lines[] = {
        "Installing Glaive for After Effects CC2015.3\n\n",
        "Installing Glaive for After Effects CC2015.3.\n\n",
        "Installing Glaive for After Effects CC2015.3..\n\n",
        "Installing Glaive for After Effects CC2015.3...\n\n",
    };
    int dots = 0;
    for (int tick = 0; tick < 9; ++tick) {
        EXPECT_EQ(make_progress_report(status, dots).text, lines[tick % 4]) << tick;
        dots = next_progress_dots(dots);
    }
}

TEST(ProgressText, TheLastFailureIsReported)
{
    status_list status{};
    EXPECT_EQ(make_progress_report(status, 0).text, "\n");

    status[CS5] = 2;
    status[CS55] = 40;
    status[CC2014] = 400;
    const progress_report report = make_progress_report(status, 0);
    EXPECT_EQ(report.text, "Glaive for After Effects CS5 installed.\n"
                           "Glaive for After Effects CS55 failed to install!\n"
                           "Glaive for After Effects CC2014 failed to install!\n"
                           "\n");
    ASSERT_TRUE(report.failed_slot.has_value());
    EXPECT_EQ(*report.failed_slot, CC2014);
}

TEST(OutcomeTexts, RetryQuestionNamesTheVersionAndTheCause)
{
    EXPECT_EQ(retry_question(CS55, 40),
              "The installation of Glaive for After Effects CS55 failed!\n\nCould not create the plugin file (Error "
              "code: 40" +
                  create + "\n\nPlease contact support if you continue to have trouble.\n\nDo you want to retry?");
    EXPECT_EQ(success_heading_text(), "Glaive for After Effects was successfully installed.");
    EXPECT_EQ(partial_failure_heading_text(), "Some components of Glaive for After Effects were not correctly installed.");
    EXPECT_EQ(installing_heading_text(), "Installing Glaive for After Effects, please wait...");
    EXPECT_EQ(exit_question_text(), "Are you sure you want to cancel Glaive for After Effects installation?");
}

TEST(OutcomeTexts, SummaryListsCheckedSlotsWithTheirVendorFolder)
{
    using lcsdk::filesystem::file_path;
    folder_list folders = empty_folder_list();
    folders[CS6] = file_path(std::string("/hosts/cs6/"));
    folders[CC] = file_path(std::string("/hosts/cc"));
    per_version<bool> checked{};
    checked[CS6] = true;
    checked[Custom] = true;
    // An unchecked slot is left out even when it has a folder.
    EXPECT_EQ(summary_text(checked, folders, file_path(std::string("/custom"))),
              "Installing Glaive on:\n\n"
              "CS6:\n[Plugin] /hosts/cs6/Lumacraft\n\n"
              "Custom:\n[Plugin] /custom/Lumacraft\n\n");
    EXPECT_EQ(summary_text(per_version<bool>{}, folders, file_path()), "Installing Glaive on:\n\n");
}

} // namespace
