#include "installer/file_engine.h"
#include "installer/neutral/install_neutral.h"
#include "installer/system.h"

#include "installer_payload.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <thread>

using namespace installer;
using lcsdk::filesystem::file_path;
namespace fs = std::filesystem;

namespace {

std::string read_file(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string payload()
{
    return {reinterpret_cast<const char*>(payload::main_payload), payload::main_payload_size};
}

// Each test gets its own real folders: hosts under `root`, the machine-wide data folder under
// `root/data` (announced through the freedesktop variable the POSIX engine reads).
class Engine : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("installer_engine_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root);
        data = root / "data" / "shared";
        ::setenv("XDG_DATA_DIRS", (data.string() + ":/usr/share").c_str(), 1);
    }
    void TearDown() override
    {
        ::unsetenv("XDG_DATA_DIRS");
        fs::remove_all(root);
    }

    // A host plug-in folder that exists.
    file_path host(const std::string& name)
    {
        fs::create_directories(root / name);
        return file_path((root / name).string());
    }
    fs::path plugin_in(const std::string& name) const { return root / name / "Lumacraft" / "Glaive.aex"; }
    bool app_data_made() const { return fs::is_directory(data / "Lumacraft"); }

    void run(const folder_list& plugins, int custom_main_payload = 1)
    {
        engine.install(plugins, empty_folder_list(), custom_main_payload);
    }

    fs::path root;
    fs::path data;
    System engine;
};

TEST_F(Engine, WritesThePayloadIntoEveryChosenFolderThenMakesTheDataFolder)
{
    folder_list plugins = empty_folder_list();
    plugins[CS6] = host("cs6");
    plugins[CC2017] = host("cc2017");
    plugins[Custom] = host("custom");
    run(plugins);

    EXPECT_TRUE(engine.done.load());
    for (const char* name : {"cs6", "cc2017", "custom"}) {
        EXPECT_EQ(read_file(plugin_in(name)), payload()) << name;
        EXPECT_FALSE(fs::exists(plugin_in(name).string() + ".partial")) << name;
    }
    const status_list expected{0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 2};
    EXPECT_EQ(engine.read().status, expected);
    EXPECT_TRUE(app_data_made());
}

TEST_F(Engine, NothingChosenStillSucceedsAndMakesTheDataFolder)
{
    run(empty_folder_list());
    EXPECT_TRUE(engine.done.load());
    EXPECT_EQ(engine.read().status, status_list{});
    EXPECT_TRUE(app_data_made());
}

TEST_F(Engine, SkippedSlotsKeepTheirStatus)
{
    engine.status[CS5].store(2);
    engine.status[CC].store(40);
    folder_list plugins = empty_folder_list();
    plugins[CS6] = host("cs6");
    run(plugins);
    const status_list expected{0, 0, 2, 0, 2, 40, 0, 0, 0, 0, 0};
    EXPECT_EQ(engine.read().status, expected);
}

TEST_F(Engine, StopsAtTheFirstFailureAndMakesNoDataFolder)
{
    engine.status[CC2017].store(2); // from an earlier run
    folder_list plugins = empty_folder_list();
    plugins[CS6] = host("cs6");
    plugins[CC] = file_path((root / "gone" / "cc").string()); // its parent does not exist
    plugins[CC2015] = host("cc2015");
    plugins[Custom] = host("custom");
    run(plugins);

    const System::snapshot state = engine.read();
    EXPECT_TRUE(state.finished);
    const status_list expected{0, 0, 0, 0, 2, 40, 0, 0, 0, 2, 0};
    EXPECT_EQ(state.status, expected);
    EXPECT_TRUE(fs::exists(plugin_in("cs6")));
    EXPECT_FALSE(fs::exists(plugin_in("cc2015")));
    EXPECT_FALSE(fs::exists(plugin_in("custom")));
    EXPECT_FALSE(app_data_made());
}

TEST_F(Engine, ARetryWithInstalledVersionsLeftOutResumesAtTheFailedOne)
{
    folder_list plugins = empty_folder_list();
    plugins[CS5] = host("cs5");
    plugins[CC] = file_path((root / "later" / "cc").string());
    plugins[CC2017] = host("cc2017");
    run(plugins);
    ASSERT_EQ(engine.read().status[CC], 40);

    // The wizard unchecks what was installed; the missing folder appears before the retry.
    const auto first_write = fs::last_write_time(plugin_in("cs5"));
    plugins[CS5] = file_path();
    host("later/cc");
    run(plugins);

    const status_list expected{0, 0, 2, 0, 0, 2, 0, 0, 0, 2, 0};
    EXPECT_EQ(engine.read().status, expected);
    EXPECT_EQ(fs::last_write_time(plugin_in("cs5")), first_write);
    EXPECT_EQ(read_file(plugin_in("later/cc")), payload());
    EXPECT_TRUE(app_data_made());
}

TEST_F(Engine, MissingPayloadsGiveStatus20)
{
    // The two oldest versions and a custom slot asked for the old payload need one this build lacks.
    for (const int slot : {CS3, CS4}) {
        System fresh;
        folder_list plugins = empty_folder_list();
        plugins[static_cast<std::size_t>(slot)] = host("old");
        fresh.install(plugins, empty_folder_list(), 1);
        EXPECT_EQ(fresh.read().status[static_cast<std::size_t>(slot)], 20) << slot;
    }
    folder_list plugins = empty_folder_list();
    plugins[Custom] = host("custom");
    run(plugins, 0);
    EXPECT_EQ(engine.read().status[Custom], 20);
    EXPECT_FALSE(fs::exists(plugin_in("custom")));
}

TEST_F(Engine, OverwritesAnOlderPluginAndAcceptsATrailingSeparator)
{
    fs::create_directories(root / "cc" / "Lumacraft");
    std::ofstream(plugin_in("cc"), std::ios::binary) << "older plug-in";
    folder_list plugins = empty_folder_list();
    plugins[CC] = file_path(host("cc").native() + "/");
    run(plugins);
    EXPECT_EQ(engine.read().status[CC], 2);
    EXPECT_EQ(read_file(plugin_in("cc")), payload());
}

TEST_F(Engine, DataFolderParentsAreCreatedToo)
{
    EXPECT_FALSE(fs::exists(data));
    run(empty_folder_list());
    EXPECT_TRUE(fs::is_directory(data / "Lumacraft"));
}

TEST_F(Engine, AFailedWriteLeavesThePreviousPluginInPlace)
{
    fs::create_directories(root / "cc" / "Lumacraft");
    std::ofstream(plugin_in("cc"), std::ios::binary) << "previous complete plug-in";
    // The side file leads to a device that is always full.
    fs::create_symlink("/dev/full", plugin_in("cc").string() + ".partial");
    folder_list plugins = empty_folder_list();
    plugins[CC] = host("cc");
    plugins[CC2017] = host("cc2017");
    run(plugins);

    EXPECT_EQ(engine.read().status[CC], 50);
    EXPECT_EQ(engine.read().status[CC2017], 0);
    EXPECT_EQ(read_file(plugin_in("cc")), "previous complete plug-in");
    EXPECT_FALSE(fs::exists(fs::symlink_status(plugin_in("cc").string() + ".partial")));
    EXPECT_FALSE(app_data_made());
}

TEST_F(Engine, AShortWriteIsAFailureAndLeavesNoPlugin)
{
    // The file size limit lets write() store part of the payload, then refuses the rest.
    ASSERT_GT(payload::main_payload_size, 2048u);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = payload::main_payload_size / 2;

    folder_list plugins = empty_folder_list();
    plugins[CS55] = host("cs55");
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    run(plugins);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, old_handler);

    EXPECT_EQ(engine.read().status[CS55], 50);
    EXPECT_FALSE(fs::exists(plugin_in("cs55")));
    EXPECT_FALSE(fs::exists(plugin_in("cs55").string() + ".partial"));
}

TEST_F(Engine, APluginThatCannotBePutInPlaceIsStatus40)
{
    // A folder where the plug-in file should go: the complete side file cannot replace it.
    fs::create_directories(plugin_in("cc") / "occupied");
    folder_list plugins = empty_folder_list();
    plugins[CC] = host("cc");
    run(plugins);
    EXPECT_EQ(engine.read().status[CC], 40);
    EXPECT_TRUE(fs::is_directory(plugin_in("cc") / "occupied"));
    EXPECT_FALSE(fs::exists(plugin_in("cc").string() + ".partial"));
}

// The file calls that can fail a write, and the two ways the bytes can be damaged: in the program
// (one byte of the payload it carries changed) and on the way to the disk (a write that reports
// success but stores one byte changed).
enum class failing { nothing, find_missing, find_unloadable, damaged_payload, create, write, corrupting_write, flush, close, replace };

// The neutral build's own file calls, recording each call, with the one named failing.
class injected_calls final : public file_calls {
public:
    explicit injected_calls(failing fails) : fails_(fails) {}

    payload_lookup find_payload(payload_kind kind) override
    {
        note("find");
        if (fails_ == failing::find_missing)
            return status_payload_missing;
        if (fails_ == failing::find_unloadable)
            return status_payload_unloadable;
        payload_lookup found = real().find_payload(kind);
        if (auto* carried = std::get_if<carried_payload>(&found); carried != nullptr && fails_ == failing::damaged_payload)
            carried->bytes = damaged(carried->bytes, damaged_payload_);
        return found;
    }
    void make_folder(const file_path& folder) override
    {
        note("folder");
        real().make_folder(folder);
    }
    std::unique_ptr<open_file> create(const file_path& file) override
    {
        note("create");
        if (fails_ == failing::create)
            return nullptr;
        std::unique_ptr<open_file> opened = real().create(file);
        return opened ? std::make_unique<injected_file>(*this, std::move(opened)) : nullptr;
    }
    bool replace(const file_path& from, const file_path& to) override
    {
        note("replace");
        return fails_ != failing::replace && real().replace(from, to);
    }
    void remove(const file_path& file) override
    {
        note("remove");
        real().remove(file);
    }
    std::optional<sha256_sum> read_back(const file_path& file) override
    {
        note("read");
        return real().read_back(file);
    }
    file_path app_data_folder() override { return real().app_data_folder(); }

    std::string log;

private:
    // The real file; a failing call still does its work, so the side file holds what was written.
    class injected_file final : public open_file {
    public:
        injected_file(injected_calls& calls, std::unique_ptr<open_file> file) : calls_(calls), file_(std::move(file)) {}
        bool write(const payload_bytes& bytes) override
        {
            if (calls_.fails_ == failing::corrupting_write)
                return calls_.call("write", failing::write, file_->write(damaged(bytes, stored_)));
            return calls_.call("write", failing::write, file_->write(bytes));
        }
        bool flush() override { return calls_.call("flush", failing::flush, file_->flush()); }
        bool close() override { return calls_.call("close", failing::close, file_->close()); }

    private:
        injected_calls& calls_;
        std::unique_ptr<open_file> file_;
        std::string stored_;
    };

    // A copy of `bytes` in `copy` with one byte in the middle changed.
    static payload_bytes damaged(const payload_bytes& bytes, std::string& copy)
    {
        copy.assign(static_cast<const char*>(bytes.data), bytes.size);
        copy[copy.size() / 2] = static_cast<char>(copy[copy.size() / 2] ^ 0x01);
        return {copy.data(), copy.size()};
    }

    static file_calls& real() { return neutral::posix_file_calls(); }
    void note(const char* name) { log += log.empty() ? name : std::string(" ") + name; }
    bool call(const char* name, failing which, bool worked)
    {
        note(name);
        return worked && fails_ != which;
    }

    failing fails_;
    std::string damaged_payload_;
};

// The write sequence that both file-writing engines run, with each of its calls failing in turn:
// the failing step's status, the calls that follow (the file is closed and the side file removed),
// and the previous plug-in still in place.
TEST_F(Engine, EachFailingFileCallEndsTheRunWithItsStatusAndKeepsThePreviousPlugin)
{
    struct failure_case {
        failing fails;
        status_code status;
        std::string calls;
    };
    // failing call | status of the slot | the calls made, in order
    const failure_case cases[] = {
        {failing::nothing, status_installed, "find folder create write flush close read replace"},
        {failing::find_missing, status_payload_missing, "find folder"},
        {failing::find_unloadable, status_payload_unloadable, "find folder"},
        {failing::damaged_payload, status_payload_unloadable, "find"},
        {failing::create, status_create_failed, "find folder create"},
        {failing::write, status_write_failed, "find folder create write close remove"},
        {failing::corrupting_write, status_write_failed, "find folder create write flush close read remove"},
        {failing::flush, status_write_failed, "find folder create write flush close remove"},
        {failing::close, status_write_failed, "find folder create write flush close remove"},
        {failing::replace, status_create_failed, "find folder create write flush close read replace remove"},
    };
    for (const failure_case& c : cases) {
        SCOPED_TRACE(c.calls);
        fs::remove_all(root / "cc");
        fs::remove_all(data);
        fs::create_directories(root / "cc" / "Lumacraft");
        std::ofstream(plugin_in("cc"), std::ios::binary) << "previous plug-in";
        folder_list plugins = empty_folder_list();
        plugins[CC] = host("cc");

        System fresh;
        injected_calls calls(c.fails);
        install_plugin_files(fresh, plugins, empty_folder_list(), 1, calls);

        EXPECT_TRUE(fresh.done.load());
        EXPECT_EQ(fresh.read().status[CC], c.status);
        EXPECT_EQ(calls.log, c.calls);
        const bool installed = c.status == status_installed;
        EXPECT_EQ(read_file(plugin_in("cc")), installed ? payload() : "previous plug-in");
        EXPECT_FALSE(fs::exists(plugin_in("cc").string() + ".partial"));
        EXPECT_EQ(app_data_made(), installed);
    }
}

TEST_F(Engine, ADamagedPayloadFailsEveryChosenVersionBeforeAnyWriteAndARetryChecksAgain)
{
    folder_list plugins = empty_folder_list();
    plugins[CS6] = host("cs6");
    plugins[CC2017] = host("cc2017");
    folder_list scripts = empty_folder_list();
    scripts[CC] = file_path((root / "scripts").string());
    injected_calls damaged(failing::damaged_payload);
    install_plugin_files(engine, plugins, scripts, 1, damaged);

    const status_list refused{0, 0, 0, 0, 30, 30, 0, 0, 0, 30, 0};
    EXPECT_EQ(engine.read().status, refused);
    EXPECT_FALSE(fs::exists(root / "cs6" / "Lumacraft"));
    EXPECT_FALSE(fs::exists(root / "cc2017" / "Lumacraft"));
    EXPECT_FALSE(app_data_made());

    injected_calls intact(failing::nothing);
    install_plugin_files(engine, plugins, scripts, 1, intact);
    const status_list installed{0, 0, 0, 0, 2, 2, 0, 0, 0, 2, 0};
    EXPECT_EQ(engine.read().status, installed);
    EXPECT_EQ(read_file(plugin_in("cc2017")), payload());
}

TEST_F(Engine, AFinishedSnapshotFromAnotherThreadHoldsTheFinalStatuses)
{
    folder_list plugins = empty_folder_list();
    for (const int slot : {CS5, CS55, CS6, CC, CC2014, CC2015, CC2015_3, CC2017})
        plugins[static_cast<std::size_t>(slot)] = host("h" + std::to_string(slot));
    plugins[Custom] = file_path((root / "missing" / "custom").string());
    std::thread worker([&] { run(plugins); });
    System::snapshot state;
    do
        state = engine.read();
    while (!state.finished);
    worker.join();
    const status_list expected{0, 0, 2, 2, 2, 2, 2, 2, 2, 2, 40};
    EXPECT_EQ(state.status, expected);
}

} // namespace
