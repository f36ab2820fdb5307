// The unattended run on the neutral engine, one run per row, its log line by line, and the machine's
// install lock between runs.
#include "installer/exit_codes.h"
#include "installer/install_lock.h"
#include "installer/messages.h"
#include "installer/neutral/discovery_neutral.h"
#include "installer/neutral/install_neutral.h"
#include "installer/unattended.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

using namespace installer;
using lcsdk::filesystem::file_path;
namespace fs = std::filesystem;

namespace {

// Each test gets real folders under `root`: hosts, the machine-wide data folder (announced through
// the freedesktop variable the neutral engine reads), the log and the lock file.
class Unattended : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("installer_unattended_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root);
        ::setenv("XDG_DATA_DIRS", (root / "data").c_str(), 1);
        neutral::set_install_lock_file(file_path((root / "install.lock").string()));
    }
    void TearDown() override
    {
        neutral::reset();
        neutral::set_install_lock_file({});
        ::unsetenv("XDG_DATA_DIRS");
        fs::remove_all(root);
    }

    // Discovery finds these versions in folders named after them; `missing` ones are found but
    // their folder does not exist.
    void hosts(const std::vector<int>& found, const std::vector<int>& missing = {})
    {
        folder_list folders = empty_folder_list();
        for (const int slot : found) {
            fs::create_directories(root / name(slot));
            folders[static_cast<std::size_t>(slot)] = file_path((root / name(slot)).string());
        }
        for (const int slot : missing)
            folders[static_cast<std::size_t>(slot)] = file_path((root / name(slot)).string());
        neutral::set_discovered_folders(folders);
    }
    static std::string name(int slot) { return host_version_names[static_cast<std::size_t>(slot)]; }

    // One start as the macOS program would make it, with the log in `root`; the exit code.
    int start(std::vector<std::string> arguments, bool elevated = true)
    {
        arguments.push_back("--log=" + log_file().string());
        const command_options options = read_command_line(arguments, option_syntax::mac);
        install_log log;
        start_log(log, options, "lcinstaller-test", arguments);
        return options.error.empty() ? run_unattended(options, elevated, log) : refuse_arguments(options, log);
    }

    fs::path log_file() const { return root / "logs" / "run.log"; }

    // The log's lines without their time stamps, each checked to carry one; `{root}` stands for the
    // test's folder.
    std::vector<std::string> records() const
    {
        const std::regex stamped(R"((\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d) (.*))");
        std::ifstream in(log_file());
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            std::smatch parts;
            if (!std::regex_match(line, parts, stamped)) {
                ADD_FAILURE() << "no time stamp: " << line;
                continue;
            }
            std::string text = parts[2];
            for (std::size_t at; (at = text.find(root.string())) != std::string::npos;)
                text.replace(at, root.string().size(), "{root}");
            lines.push_back(text);
        }
        return lines;
    }

    std::set<std::string> installed() const
    {
        std::set<std::string> found;
        for (const auto& entry : fs::recursive_directory_iterator(root))
            if (entry.path().filename() == "Glaive.aex")
                found.insert(entry.path().parent_path().parent_path().filename().string());
        return found;
    }
    bool data_folder_made() const { return fs::is_directory(root / "data" / "Lumacraft"); }

    fs::path root;
};

std::vector<std::string> lines_of(const std::string& record)
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    for (std::size_t end; (end = record.find('\n', begin)) != std::string::npos; begin = end + 1)
        lines.push_back((lines.empty() ? "" : "    ") + record.substr(begin, end - begin));
    lines.push_back((lines.empty() ? "" : "    ") + record.substr(begin));
    return lines;
}

std::string start_line(const std::string& arguments)
{
    return "start: lcinstaller-test 1.0.39, arguments: " + arguments + " --log={root}/logs/run.log, user: " +
           user_name() + (running_elevated() ? ", elevated" : ", not elevated");
}

} // namespace

TEST(RunLog, TimeStampsAndOutcomeTexts)
{
    EXPECT_EQ(time_stamp({2025, 1, 31, 14, 3, 8, 60}), "2025-01-31T14:03:08+01:00");
    EXPECT_EQ(time_stamp({2024, 12, 1, 0, 0, 0, -210}), "2024-12-01T00:00:00-03:30");
    EXPECT_EQ(time_stamp({2024, 7, 9, 23, 59, 59, 0}), "2024-07-09T23:59:59+00:00");
    EXPECT_EQ(outcome_text(status_installed), "installed");
    EXPECT_EQ(outcome_text(status_not_attempted), "not attempted");
    EXPECT_EQ(outcome_text(status_create_failed), error_message(status_create_failed));
}

TEST_F(Unattended, InstallsEveryVersionFoundAndLogsEachStep)
{
    hosts({CS6, CC2017});
    EXPECT_EQ(start({"--silent"}), exit_installed);
    EXPECT_EQ(installed(), (std::set<std::string>{"CS6", "CC2017"}));
    EXPECT_TRUE(data_folder_made());
    const std::vector<std::string> expected{
        start_line("--silent"),
        "found CS6: {root}/CS6",
        "found CC2017: {root}/CC2017",
        "result CS6 in {root}/CS6: status 2: installed",
        "result CC2017 in {root}/CC2017: status 2: installed",
        "end: exit code 0",
    };
    EXPECT_EQ(records(), expected);

    // A second run appends to the same log.
    EXPECT_EQ(start({"--silent", "--versions=CS6"}), exit_installed);
    EXPECT_EQ(records().size(), expected.size() + 5);
}

TEST_F(Unattended, AFailedVersionEndsTheRunWithTheWizardsTextAnd1603)
{
    hosts({CS6, CC2017}, {CC});
    EXPECT_EQ(start({"--silent"}), exit_install_failed);
    // As the wizard leaves them: the versions after the failed one are not attempted, no data folder.
    EXPECT_EQ(installed(), std::set<std::string>{"CS6"});
    EXPECT_FALSE(data_folder_made());
    std::vector<std::string> expected{
        start_line("--silent"),
        "found CS6: {root}/CS6",
        "found CC: {root}/CC",
        "found CC2017: {root}/CC2017",
        "result CS6 in {root}/CS6: status 2: installed",
    };
    const std::vector<std::string> failure = lines_of(error_message(status_create_failed));
    expected.push_back("result CC in {root}/CC: status 40: " + failure.front());
    expected.insert(expected.end(), failure.begin() + 1, failure.end());
    expected.push_back("result CC2017 in {root}/CC2017: status 0: not attempted");
    expected.push_back("end: exit code 1603");
    EXPECT_EQ(records(), expected);
}

TEST_F(Unattended, EachStartEndsWithItsCodeAndWritesOnlyWhatItShould)
{
    struct start_case {
        const char* what;
        std::vector<int> found;
        std::vector<std::string> arguments;
        bool elevated;
        int exit_code;
        std::set<std::string> installed;
        const char* record; // one line the log must hold
    };
    // what | versions found | arguments | elevated | exit code | installed | a line of the log
    const start_case cases[] = {
        {"named but not here", {CS6, CC2017}, {"--silent", "--versions=CS5,CC2017"}, true, exit_installed,
         {"CC2017"}, "skipped CS5: not installed on this machine"},
        {"none named is here", {CS6}, {"--silent", "--versions=CC"}, true, exit_no_host, {},
         "error: no host version found and no folder given: nothing to install"},
        {"nothing found", {}, {"--silent"}, true, exit_no_host, {}, "found no host version"},
        {"the folder as well", {CS6}, {"--silent", "--folder={root}/Custom"}, true, exit_installed,
         {"CS6", "Custom"}, "result Custom in {root}/Custom: status 2: installed"},
        {"only the folder", {}, {"--silent", "--folder={root}/Custom"}, true, exit_installed, {"Custom"},
         "end: exit code 0"},
        {"not elevated", {CS6}, {"--silent"}, false, exit_elevation_required, {},
         "error: an unattended installation needs administrator rights: start it elevated on Windows, as root on "
         "macOS"},
        {"unknown version", {CS6}, {"--silent", "--versions=CS7"}, true, exit_invalid_arguments, {},
         "error: invalid arguments: unknown version \"CS7\" in --versions; the versions are CS3, CS4, CS5, CS55, "
         "CS6, CC, CC2014, CC2015, CC2015.3, CC2017"},
        {"versions without --silent", {CS6}, {"--versions=CS6"}, true, exit_invalid_arguments, {},
         "end: exit code 87"},
    };
    for (const start_case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(root);
        fs::create_directories(root / "Custom");
        hosts(c.found);
        std::vector<std::string> arguments;
        for (std::string argument : c.arguments) {
            if (const std::size_t at = argument.find("{root}"); at != std::string::npos)
                argument.replace(at, 6, root.string());
            arguments.push_back(argument);
        }
        EXPECT_EQ(start(arguments, c.elevated), c.exit_code);
        EXPECT_EQ(installed(), c.installed);
        EXPECT_EQ(data_folder_made(), c.exit_code == exit_installed);
        const std::vector<std::string> lines = records();
        ASSERT_FALSE(lines.empty());
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.record), lines.end()) << c.record;
        EXPECT_EQ(lines.back(), "end: exit code " + std::to_string(c.exit_code));
    }
}

TEST_F(Unattended, ALogThatCannotBeOpenedDoesNotStopTheRun)
{
    hosts({CS6});
    fs::create_directories(log_file()); // a folder where the file should be
    EXPECT_EQ(start({"--silent"}), exit_installed);
    EXPECT_EQ(installed(), std::set<std::string>{"CS6"});
}

TEST_F(Unattended, ARunWaitsWhileAnotherInstallerHoldsTheLock)
{
    hosts({CS6});
    auto holder = std::make_unique<install_lock>();
    ASSERT_TRUE(holder->try_take());
    std::future<int> run = std::async(std::launch::async, [&] { return start({"--silent"}); });
    const auto waiting = [&] {
        const std::vector<std::string> lines = records();
        return std::find(lines.begin(), lines.end(), "waiting for another installer to finish") != lines.end();
    };
    for (const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30); !waiting();) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the run never said it was waiting";
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(installed().empty());
    holder.reset();
    EXPECT_EQ(run.get(), exit_installed);
    EXPECT_EQ(installed(), std::set<std::string>{"CS6"});
}

TEST_F(Unattended, ARunGivesUpAfterItsPatienceWithoutWriting)
{
    hosts({CS6, CC});
    install_lock holder;
    ASSERT_TRUE(holder.try_take());
    System engine;
    engine.lock_patience = std::chrono::milliseconds(300);
    folder_list chosen = empty_folder_list();
    chosen[CS6] = file_path((root / "CS6").string());
    chosen[CC] = file_path((root / "CC").string());
    engine.start(chosen);
    engine.join();
    const System::snapshot state = engine.read();
    EXPECT_TRUE(state.finished);
    EXPECT_FALSE(state.waiting);
    EXPECT_EQ(state.status[CS6], status_installer_busy);
    EXPECT_EQ(state.status[CC], status_not_attempted);
    EXPECT_TRUE(installed().empty());
    EXPECT_FALSE(data_folder_made());
}
