// The wizard and its worker thread together: runs whose worker is held inside a write while the
// wizard is ended, closed, destroyed or retried. The ThreadSanitizer build runs these as well.
#include "installer/installer_ui.h"
#include "installer/messages.h"
#include "installer/neutral/discovery_neutral.h"

#include "installer_payload.h"
#include "support/toolkit_test.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <list>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

using namespace installer;
using lcsdk::filesystem::file_path;
using lcsdk::ui::vec2i;
namespace off = lcsdk::ui::offscreen;
namespace fs = std::filesystem;

namespace {

constexpr std::uint16_t key_tab = 9;
constexpr std::uint32_t key_enter = 13;
constexpr vec2i next_at{332, 335};
constexpr vec2i cancel_at{447, 335};

// The versions this build carries a plug-in for, in catalogue order.
constexpr std::array offered{CS5, CS55, CS6, CC, CC2014, CC2015, CC2015_3, CC2017};

std::string payload()
{
    return {reinterpret_cast<const char*>(payload::main_payload), payload::main_payload_size};
}

std::string read_file(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A plug-in write that cannot end until released. The neutral engine writes through a side file
// next to the plug-in; a FIFO in its place keeps the worker in open() until a reader comes. Once
// released, the worker writes the whole plug-in into the pipe, cannot sync a pipe (status 50) and
// removes the FIFO, while the pipe keeps what it received for `written`.
class held_write {
public:
    explicit held_write(fs::path side_file) : fifo_(std::move(side_file))
    {
        fs::create_directories(fifo_.parent_path());
        if (::mkfifo(fifo_.c_str(), 0600) != 0)
            ADD_FAILURE() << "cannot make the FIFO " << fifo_;
    }
    ~held_write()
    {
        if (reader_ >= 0)
            ::close(reader_);
    }
    held_write(const held_write&) = delete;
    held_write& operator=(const held_write&) = delete;

    // Opening the read end never blocks and lets the waiting worker go on.
    void release()
    {
        if (reader_ < 0)
            reader_ = ::open(fifo_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    }
    // What the worker wrote; complete once the worker has closed the file.
    std::string written() const
    {
        std::string bytes;
        std::array<char, 4096> buffer{};
        for (ssize_t n; (n = ::read(reader_, buffer.data(), buffer.size())) > 0;)
            bytes.append(buffer.data(), static_cast<std::size_t>(n));
        return bytes;
    }
    const fs::path& path() const { return fifo_; }

private:
    fs::path fifo_;
    int reader_ = -1;
};

// The wizard as the program owns it, except that its destruction first releases every held write:
// the wizard's own destructor then starts while the worker is provably still running.
class releasing_wizard : public InstallerUI {
public:
    explicit releasing_wizard(std::list<held_write>& holds) : holds_(holds) {}
    ~releasing_wizard() override
    {
        for (held_write& hold : holds_)
            hold.release();
    }

private:
    std::list<held_write>& holds_;
};

// Wizards over every offered version, each found in its own real folder; each wizard gets fresh
// folders and its own machine-wide data folder.
class WorkerHandshake : public lcsdk::testing::toolkit_test {
protected:
    WorkerHandshake()
    {
        root = fs::temp_directory_path() / ("worker_handshake_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
    }
    ~WorkerHandshake() override
    {
        wizard.reset();
        installer::neutral::reset();
        ::unsetenv("XDG_DATA_DIRS");
        fs::remove_all(root);
    }
    void SetUp() override
    {
        // A released worker writes into the pipe before anyone reads it.
        ASSERT_LE(payload::main_payload_size, 65536u) << "the plug-in no longer fits in a pipe's buffer";
    }

    InstallerUI& open_wizard()
    {
        wizard.reset();
        holds.clear();
        off::reset();
        installer::neutral::reset();
        // The loop waits for a real worker while its timers run.
        off::set_idle_budget_ms(3'600'000);
        hosts = root / std::to_string(++opened);
        ::setenv("XDG_DATA_DIRS", (hosts / "data").c_str(), 1);
        folder_list folders = empty_folder_list();
        for (const int slot : offered) {
            fs::create_directories(host(slot));
            folders[static_cast<std::size_t>(slot)] = file_path(host(slot).string());
        }
        installer::neutral::set_discovered_folders(folders);
        wizard = std::make_unique<releasing_wizard>(holds);
        return *wizard;
    }

    fs::path host(int slot) const { return hosts / host_version_names[static_cast<std::size_t>(slot)]; }
    fs::path plugin_in(int slot) const { return host(slot) / "Lumacraft" / "Glaive.aex"; }
    bool data_folder_made() const { return fs::is_directory(hosts / "data" / "Lumacraft"); }
    held_write& hold(int slot) { return holds.emplace_back(plugin_in(slot).string() + ".partial"); }

    void click(vec2i at) { off::post_click(*wizard, at); }
    // "Next >" up to the progress page, which starts the run.
    void start_run()
    {
        for (int i = 0; i < 3; ++i)
            click(next_at);
    }
    // From inside the loop: runs `act` once `ready` holds, letting one real millisecond (for the
    // worker) and 50 virtual ones (a quarter of the poll period) pass per try.
    void when(std::function<bool()> ready, std::function<void()> act)
    {
        off::post_callback([this, ready, act]() mutable {
            if (ready()) {
                act();
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            off::post_advance(50);
            when(ready, act);
        });
    }

    fs::path root;
    fs::path hosts;
    int opened = 0;
    std::list<held_write> holds; // outlives the wizard, whose worker writes into them
    std::unique_ptr<InstallerUI> wizard;
};

// Cancel confirmed, or the window closed, while the worker is inside a write: the loop ends at
// once, and destroying the wizard waits for the rest of the run.
TEST_F(WorkerHandshake, EndingTheWizardDuringARunWaitsForTheWorker)
{
    struct ending {
        const char* name;
        std::function<void()> end;
        int result;
    };
    const ending endings[] = {
        {"Cancel confirmed",
         [this] {
             click(cancel_at);
             off::post_key_down(key_enter); // "OK"
         },
         1},
        {"window closed", [this] { off::post_close(*wizard); }, 0},
    };
    for (const ending& row : endings) {
        SCOPED_TRACE(row.name);
        InstallerUI& ui = open_wizard();
        const held_write& cc = hold(CC);
        start_run();
        // The poll has seen the worker inside CC's write (the versions after CC come later).
        const auto inside_cc = [&] {
            return ui.progress_text_label.text.find("Installing Glaive for After Effects CC") != std::string::npos;
        };
        when(inside_cc, row.end);
        EXPECT_EQ(ui.show_modal(), row.result);
        EXPECT_FALSE(ui.install_finished);
        EXPECT_FALSE(ui.engine.read().finished) << "the worker is still held";

        wizard.reset();
        // Before the destructor returned, the worker wrote the plug-in into the held file, failed
        // it, removed it, and stopped there.
        EXPECT_EQ(cc.written(), payload());
        EXPECT_FALSE(fs::exists(cc.path()));
        for (const int slot : {CS5, CS55, CS6})
            EXPECT_EQ(read_file(plugin_in(slot)), payload()) << slot;
        EXPECT_FALSE(fs::exists(plugin_in(CC2014)));
        EXPECT_FALSE(data_folder_made());
    }
}

// Many runs and retries. Each run follows a plan drawn from a seeded generator: a random version
// fails, inside a write held for a random few milliseconds and ticks (50) or for a folder that has
// gone (40), or the run succeeds. After every run, the outcome the wizard polled must be what that run's
// worker wrote: never success while a version failed, never the result of the run before.
TEST_F(WorkerHandshake, EveryRunReportsWhatItsOwnWorkerWrote)
{
    std::mt19937 random(12); // fixed, so that a failure replays
    const auto pick = [&](std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
    };
    int runs_left = 40;
    while (runs_left > 0) {
        SCOPED_TRACE("wizard " + std::to_string(opened + 1));
        InstallerUI& ui = open_wizard();
        std::vector<int> pending(offered.begin(), offered.end()); // what the next run covers
        status_list wrote{};                                      // what the workers wrote, by plan
        struct {
            std::optional<int> failing; // none: the run succeeds
            held_write* held = nullptr; // fails inside a held write; otherwise its folder is gone
            int held_tries = 0;
        } plan;

        const auto plan_run = [&] {
            --runs_left;
            const std::optional<int> failed_before = plan.failing;
            const bool held_before = plan.held != nullptr;
            plan = {};
            if (runs_left > 0 && pick(8) != 0)
                plan.failing = pending[pick(pending.size())];
            bool held = pick(2) == 0;
            // Two runs in a row failing alike would end in equal statuses, which could not tell
            // the second's result from the first's.
            if (plan.failing == failed_before && held == held_before)
                held = !held;
            for (const int slot : pending) {
                const auto s = static_cast<std::size_t>(slot);
                if (slot != plan.failing) {
                    fs::create_directories(host(slot));
                    wrote[s] = status_installed;
                } else if (held) {
                    plan.held = &hold(slot);
                    plan.held_tries = static_cast<int>(pick(12));
                    wrote[s] = 50;
                    break;
                } else {
                    fs::remove_all(host(slot));
                    wrote[s] = 40;
                    break;
                }
            }
        };

        std::function<void()> after_start;
        const auto check_outcome = [&] {
            const System::snapshot polled = ui.engine.read();
            EXPECT_TRUE(polled.finished);
            EXPECT_EQ(polled.status, wrote);
            EXPECT_EQ(ui.progress_text_label.text,
                      make_progress_report(wrote, 0).text + (plan.failing ? "" : finish_hint));
            if (plan.held) {
                EXPECT_EQ(plan.held->written(), payload());
            }
            const bool asking = !off::is_enabled(ui);
            if (!plan.failing || !asking) {
                EXPECT_FALSE(asking) << "a failure was reported after a successful run";
                EXPECT_TRUE(ui.install_finished);
                EXPECT_EQ(ui.progress_heading_label.text, success_heading_text());
                EXPECT_FALSE(plan.failing.has_value())
                    << "success was reported although slot " << *plan.failing << " failed";
                if (asking) {
                    off::post_char(key_tab); // "No"
                    off::post_key_down(key_enter);
                }
                click(cancel_at); // "Finish"
                return;
            }
            // The retry covers the failed version and those after it.
            for (const int slot : offered) {
                const auto s = static_cast<std::size_t>(slot);
                EXPECT_EQ(ui.version_checked[s], wrote[s] != status_installed) << slot;
            }
            pending.erase(pending.begin(), std::find(pending.begin(), pending.end(), *plan.failing));
            plan_run();
            off::post_key_down(key_enter); // "Yes"
            off::post_callback(after_start);
        };
        const auto await_outcome = [&] {
            when([&] { return !off::is_enabled(ui) || ui.install_finished; }, check_outcome);
        };
        after_start = [&] {
            if (!plan.held) {
                await_outcome();
                return;
            }
            // No tick has come since the start, and this worker cannot get past its held write.
            if (ui.engine.read().finished) {
                ADD_FAILURE() << "a run that cannot have ended reads as finished: the result of the run before";
                plan.held->release();
            }
            when([tries = plan.held_tries]() mutable { return tries-- == 0; },
                 [&] {
                     plan.held->release();
                     await_outcome();
                 });
        };

        plan_run();
        start_run();
        off::post_callback(after_start);
        EXPECT_EQ(ui.show_modal(), 1);
        for (const int slot : offered)
            EXPECT_EQ(read_file(plugin_in(slot)), payload()) << slot;
        EXPECT_TRUE(data_folder_made());
    }
}

} // namespace
