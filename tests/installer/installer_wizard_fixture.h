#pragma once

// The wizard on the offscreen platform, with real host folders under a temporary root, and the
// input a test posts to it.
#include "installer/installer_ui.h"
#include "installer/messages.h"
#include "installer/neutral/discovery_neutral.h"
#include "installer/wizard_styles.h"

#include "installer_payload.h"
#include "lcsdk/ui/timer_table.h"
#include "support/toolkit_test.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>

namespace wizard_test {

using namespace installer;
using lcsdk::filesystem::file_path;
using lcsdk::ui::rect_i;
using lcsdk::ui::vec2i;
namespace off = lcsdk::ui::offscreen;
namespace fs = std::filesystem;

constexpr std::uint16_t key_tab = 9; // Tab moves the focus as a character
constexpr std::uint32_t key_enter = 13;

// Where the wizard's controls are, in window coordinates.
constexpr vec2i back_at{242, 335};
constexpr vec2i next_at{332, 335};
constexpr vec2i cancel_at{447, 335};
constexpr vec2i page_origin{170, 50};

inline std::string read_file(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The wizard on the offscreen platform, with real host folders under a temporary root.
class InstallerWizard : public lcsdk::testing::toolkit_test {
protected:
    InstallerWizard()
    {
        installer::neutral::reset();
        root = fs::temp_directory_path() / ("installer_wizard_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root);
        ::setenv("XDG_DATA_DIRS", (root / "data").c_str(), 1);
        // Installations run on a real worker thread; the loop may wait for it.
        off::set_idle_budget_ms(3'600'000);
    }
    ~InstallerWizard() override
    {
        wizard.reset();
        installer::neutral::reset();
        ::unsetenv("XDG_DATA_DIRS");
        fs::remove_all(root);
    }

    // Registers hosts (slot -> folder name under root; an empty name is a folder that is missing).
    void discover(std::initializer_list<std::pair<HostVersion, std::string>> hosts)
    {
        folder_list folders = empty_folder_list();
        for (const auto& [slot, name] : hosts) {
            fs::create_directories(root / name);
            folders[static_cast<std::size_t>(slot)] = file_path((root / name).string());
        }
        installer::neutral::set_discovered_folders(folders);
    }

    InstallerUI& open()
    {
        wizard = std::make_unique<InstallerUI>();
        return *wizard;
    }

    vec2i box_at(int y) const { return page_origin + vec2i{27, y + 12}; }
    void click(vec2i at) { off::post_click(*wizard, at); }
    // Runs `act` once `condition` holds, letting virtual time pass meanwhile. Whatever should
    // follow must be posted by `act`.
    void when(std::function<bool()> condition, std::function<void()> act)
    {
        off::post_callback([this, condition, act] {
            if (condition()) {
                act();
            } else {
                off::post_advance(50);
                when(condition, act);
            }
        });
    }
    // Runs `act` once a modal popup over the wizard is up (the wizard is disabled meanwhile); for
    // popups that a timer tick opens.
    void when_popup_open(std::function<void()> act)
    {
        when([this] { return !off::is_enabled(*wizard); }, std::move(act));
    }
    // Answers the popup that the input just before opened: its nested loop reads the next items.
    void answer(bool first)
    {
        off::post_callback([this] { EXPECT_FALSE(off::is_enabled(*wizard)) << "no popup is open"; });
        if (!first)
            off::post_char(key_tab);
        off::post_key_down(key_enter);
    }
    // Presses Finish once the run is over.
    void finish_when_done()
    {
        off::post_callback([this] {
            if (wizard->install_finished) {
                click(cancel_at);
            } else {
                off::post_advance(200);
                finish_when_done();
            }
        });
    }
    void check_now(std::function<void()> check) { off::post_callback(std::move(check)); }
    fs::path plugin_in(const std::string& name) const { return root / name / "Lumacraft" / "Glaive.aex"; }
    std::string payload() const
    {
        return {reinterpret_cast<const char*>(payload::main_payload), payload::main_payload_size};
    }

    fs::path root;
    std::unique_ptr<InstallerUI> wizard;
};

} // namespace wizard_test
