#include "installer/installer_wizard_fixture.h"

#include "support/wizard_texts.h"

#include <algorithm>
#include <pthread.h>

namespace {

using namespace wizard_test;

TEST_F(InstallerWizard, BuildsTheIntroductionPageCentredOnTheWorkArea)
{
    InstallerUI& ui = open();
    EXPECT_EQ(off::title(ui), "Glaive for After Effects Installer");
    // Centred on the screen, which keeps it inside the work area.
    EXPECT_EQ(off::window_rect(ui), (rect_i{{(1920 - 500) / 2, (1080 - 360) / 2}, {500, 360}}));
    EXPECT_EQ(ui.current_page, 0);
    EXPECT_TRUE(ui.pages[0].is_visible());
    for (int i = 1; i < 6; ++i)
        EXPECT_FALSE(ui.pages[static_cast<std::size_t>(i)].is_visible()) << i;
    EXPECT_FALSE(ui.pages[4].created);
    EXPECT_FALSE(ui.back_button.is_enabled());
    EXPECT_TRUE(ui.next_button.is_enabled());
    EXPECT_EQ(ui.cancel_button.text, "Cancel");
    EXPECT_EQ(ui.intro_label.text, intro_text());
    EXPECT_EQ(ui.title_label.text, "Glaive for After Effects Installer");
    EXPECT_EQ(ui.progress_heading_label.text, "Installing Glaive for After Effects, please wait...");
    EXPECT_EQ(ui.back_button.rect(), (rect_i{{200, 320}, {85, 30}}));
    EXPECT_EQ(ui.next_button.rect(), (rect_i{{290, 320}, {85, 30}}));
    EXPECT_EQ(ui.cancel_button.rect(), (rect_i{{405, 320}, {85, 30}}));
    EXPECT_FALSE(ui.install_finished);
    for (const auto& status : ui.engine.status)
        EXPECT_EQ(status.load(), 0);
}

TEST_F(InstallerWizard, InstallsItsStyleOverridesAndAliases)
{
    InstallerUI& ui = open();
    EXPECT_EQ(lcsdk::ui::global_styles().size(), 12u);
    EXPECT_EQ(lcsdk::ui::get_float(ui.title_label.theme, "label_font_size"), 15.0f);
    EXPECT_EQ(lcsdk::ui::get_int(ui.title_label.theme, "label_font_weight"), 2);
    EXPECT_EQ(lcsdk::ui::get_string(ui.intro_label.theme, "label_font_name"), "verdana");
    EXPECT_EQ(lcsdk::ui::get_int(ui.intro_label.theme, "label_text_valign"), 1);
    EXPECT_EQ(lcsdk::ui::get_float(ui.summary_label.theme, "label_font_size"), 10.0f);
    EXPECT_EQ(lcsdk::ui::get_int(ui.progress_heading_label.theme, "label_font_weight"), 2);
    EXPECT_EQ(lcsdk::ui::get_color(ui.version_heading_label.theme, "label_font_color"),
              (lcsdk::ui::color4f{0.784f, 0.784f, 0.784f, 1.0f}));
}

TEST_F(InstallerWizard, PaintsBackgroundButtonBarBannerAndSeparator)
{
    InstallerUI& ui = open();
    off::show(ui);
    std::vector<off::draw_op> root_ops;
    const lcsdk::ui::widget* current = nullptr;
    for (const off::draw_op& op : off::recorded_ops(ui)) {
        if (op.kind == off::op_kind::begin_widget)
            current = op.entered;
        else if (current == &ui.root && op.kind != off::op_kind::end_widget)
            root_ops.push_back(op);
    }
    ASSERT_EQ(root_ops.size(), 4u);
    EXPECT_EQ(root_ops[0].rect, (rect_i{{0, 0}, {500, 360}}));
    EXPECT_EQ(root_ops[0].state.fill_color, (lcsdk::ui::color4f{0.176f, 0.176f, 0.176f, 1.0f}));
    EXPECT_EQ(root_ops[1].rect, (rect_i{{0, 310}, {500, 50}}));
    EXPECT_EQ(root_ops[1].state.fill_color, (lcsdk::ui::color4f{0.275f, 0.275f, 0.275f, 1.0f}));
    EXPECT_EQ(root_ops[2].kind, off::op_kind::draw_image_fit);
    EXPECT_EQ(root_ops[2].rect, (rect_i{{0, 0}, {160, 310}}));
    EXPECT_EQ(root_ops[2].bitmap, &ui.banner);
    EXPECT_EQ(root_ops[3].kind, off::op_kind::draw_line);
    EXPECT_EQ(root_ops[3].from, (vec2i{0, 310}));
    EXPECT_EQ(root_ops[3].to, (vec2i{500, 310}));
    EXPECT_EQ(root_ops[3].state.line_color, (lcsdk::ui::color4f{0.392f, 0.392f, 0.392f, 1.0f}));
}

// Each text of each page and question fits the room it is drawn in, in the neutral text layout (the
// Wine and GNUstep tests walk the same texts with their platforms' fonts).
TEST_F(InstallerWizard, EveryTextFitsItsBox)
{
    const auto texts = installer::testing::walk_wizard_texts(open());
    EXPECT_TRUE(std::all_of(texts.begin(), texts.end(), [](const auto& t) { return t.fits(); }))
        << installer::testing::describe(texts);
}

TEST_F(InstallerWizard, WithoutHostsOnlyCustomIsOfferedUnchecked)
{
    InstallerUI& ui = open();
    for (int i = 0; i < 10; ++i)
        EXPECT_FALSE(ui.version_check_boxes[static_cast<std::size_t>(i)].created) << i;
    const lcsdk::ui::CheckBox& custom = ui.version_check_boxes[Custom];
    ASSERT_TRUE(custom.created);
    EXPECT_EQ(custom.rect(), (rect_i{{20, 55}, {290, 25}}));
    EXPECT_EQ(custom.text, "Custom");
    EXPECT_FALSE(custom.checked);
    EXPECT_EQ(ui.plugin_path_button.rect(), (rect_i{{20, 85}, {90, 15}}));
    EXPECT_EQ(ui.custom_path_label.rect(), (rect_i{{20, 105}, {280, 50}}));
    EXPECT_FALSE(ui.plugin_path_button.visible);
    EXPECT_FALSE(ui.custom_path_label.visible);
}

TEST_F(InstallerWizard, FoundVersionsAreOfferedCheckedInCatalogueOrder)
{
    discover({{CC2017, "cc2017"}, {CS6, "cs6"}, {CC2015_3, "cc2015.3"}});
    InstallerUI& ui = open();
    const std::pair<HostVersion, int> rows[] = {{CS6, 55}, {CC2015_3, 80}, {CC2017, 105}, {Custom, 130}};
    for (const auto& [slot, y] : rows) {
        const lcsdk::ui::CheckBox& box = ui.version_check_boxes[static_cast<std::size_t>(slot)];
        ASSERT_TRUE(box.created) << slot;
        EXPECT_EQ(box.position.y, y) << slot;
        EXPECT_EQ(box.text, host_version_names[static_cast<std::size_t>(slot)]);
        EXPECT_EQ(box.checked, slot != Custom);
        EXPECT_EQ(ui.version_checked[static_cast<std::size_t>(slot)], slot != Custom);
    }
    EXPECT_EQ(ui.plugin_path_button.position.y, 160);
    EXPECT_EQ(ui.custom_path_label.position.y, 180);
}

TEST_F(InstallerWizard, NavigationWalksThePagesAndRebuildsTheSummary)
{
    discover({{CS5, "cs5"}, {CC, "cc"}});
    InstallerUI& ui = open();
    click(next_at);
    check_now([&] {
        EXPECT_EQ(ui.current_page, 1);
        EXPECT_TRUE(ui.pages[1].is_visible());
        EXPECT_FALSE(ui.pages[0].is_visible());
        EXPECT_TRUE(ui.back_button.is_enabled());
    });
    click(next_at);
    check_now([&] {
        EXPECT_EQ(ui.current_page, 2);
        const std::string expected = "Installing Glaive on:\n\nCS5:\n[Plugin] " + (root / "cs5/Lumacraft").string() +
                                     "\n\nCC:\n[Plugin] " + (root / "cc/Lumacraft").string() + "\n\n";
        EXPECT_EQ(ui.summary_label.text, expected);
        EXPECT_TRUE(ui.summary_label.auto_height);
        EXPECT_FALSE(ui.summary_label.auto_width);
    });
    click(back_at);
    click(box_at(55)); // uncheck CS5
    click(next_at);
    check_now([&] {
        EXPECT_EQ(ui.summary_label.text, "Installing Glaive on:\n\nCC:\n[Plugin] " + (root / "cc/Lumacraft").string() + "\n\n");
    });
    click(back_at);
    click(back_at);
    check_now([&] {
        EXPECT_EQ(ui.current_page, 0);
        EXPECT_FALSE(ui.back_button.is_enabled());
        ui.end_modal(5);
    });
    EXPECT_EQ(ui.show_modal(), 5);
}

TEST_F(InstallerWizard, CustomFolderButtonFollowsTheCustomBoxAndTheDialog)
{
    discover({{CC2014, "cc2014"}});
    const file_path chosen((root / "mine").string());
    installer::neutral::queue_folder_dialog_answer({chosen, ""});
    installer::neutral::queue_folder_dialog_answer({file_path(), ""}); // cancelled
    InstallerUI& ui = open();
    const vec2i custom_box = box_at(80);
    const vec2i path_button = page_origin + vec2i{65, 60 + 25 * 2 + 7};

    click(next_at);
    click(custom_box);
    check_now([&] {
        EXPECT_TRUE(ui.version_checked[Custom]);
        EXPECT_TRUE(ui.plugin_path_button.is_visible());
        EXPECT_TRUE(ui.custom_path_label.is_visible());
        EXPECT_EQ(ui.custom_path_label.text, "");
    });
    click(path_button);
    check_now([&] {
        EXPECT_EQ(ui.custom_plugin_folder, chosen);
        EXPECT_EQ(ui.custom_path_label.text, "Custom Plugin Path: " + chosen.to_utf8());
    });
    click(path_button); // cancelled: nothing changes
    click(custom_box);
    check_now([&] {
        EXPECT_EQ(ui.custom_plugin_folder, chosen);
        EXPECT_FALSE(ui.plugin_path_button.is_visible());
        EXPECT_FALSE(ui.custom_path_label.is_visible());
    });
    click(custom_box);
    check_now([&] {
        EXPECT_TRUE(ui.custom_path_label.is_visible());
        EXPECT_EQ(ui.custom_path_label.text, "Custom Plugin Path: " + chosen.to_utf8());
        // Other boxes do not touch the custom controls.
    });
    click(box_at(55));
    check_now([&] {
        EXPECT_FALSE(ui.version_checked[CC2014]);
        EXPECT_TRUE(ui.plugin_path_button.is_visible());
        ui.end_modal(0);
    });
    ui.show_modal();

    const auto& calls = installer::neutral::folder_dialog_calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].title, "Custom Folder");
    EXPECT_EQ(calls[0].owner, &ui);
    EXPECT_TRUE(calls[0].initial_folder.empty());
}

TEST_F(InstallerWizard, AFailingFolderDialogIsReportedAndKeepsTheEarlierFolder)
{
    const file_path chosen((root / "first").string());
    installer::neutral::queue_folder_dialog_answer({chosen, ""});
    installer::neutral::queue_folder_dialog_answer({file_path(), "unable to display the folder \"select\" dialog box"});
    InstallerUI& ui = open();
    const vec2i path_button = page_origin + vec2i{65, 60 + 25 + 7};
    click(next_at);
    click(box_at(55));
    click(path_button);
    click(path_button);
    answer(true);
    check_now([&] {
        EXPECT_TRUE(off::is_enabled(ui));
        ui.end_modal(0);
    });
    ui.show_modal();
    EXPECT_EQ(installer::neutral::folder_dialog_calls().size(), 2u);
    EXPECT_EQ(ui.custom_plugin_folder, chosen);
    EXPECT_EQ(ui.custom_path_label.text, "Custom Plugin Path: " + chosen.to_utf8());
}

TEST_F(InstallerWizard, CancelAsksAndOnlyOkCloses)
{
    InstallerUI& ui = open();
    click(cancel_at);
    answer(false); // "Cancel" in the question
    bool stayed = false;
    check_now([&] { stayed = ui.current_page == 0 && off::is_modal(ui); });
    click(cancel_at);
    answer(true); // "OK"
    EXPECT_EQ(ui.show_modal(), 1);
    EXPECT_TRUE(stayed);
}

TEST_F(InstallerWizard, AFullInstallEndsWithFinish)
{
    discover({{CS6, "cs6"}, {CC2017, "cc2017"}});
    InstallerUI& ui = open();
    click(next_at);
    click(next_at);
    click(next_at);
    check_now([&] {
        EXPECT_EQ(ui.current_page, 3);
        EXPECT_FALSE(ui.back_button.is_enabled());
        EXPECT_FALSE(ui.next_button.is_enabled());
        EXPECT_EQ(off::timers(ui).size(), 1u);
    });
    finish_when_done();
    EXPECT_EQ(ui.show_modal(), 1);

    EXPECT_EQ(off::timers(ui).size(), 0u) << "the poll timer stops with the run";
    EXPECT_EQ(ui.progress_heading_label.text, "Glaive for After Effects was successfully installed.");
    EXPECT_EQ(ui.cancel_button.text, "Finish");
    EXPECT_EQ(ui.progress_text_label.text, "Glaive for After Effects CS6 installed.\n"
                                           "Glaive for After Effects CC2017 installed.\n\n"
                                           "\n\nClick Finish to close the installer.");
    EXPECT_EQ(read_file(plugin_in("cs6")), payload());
    EXPECT_EQ(read_file(plugin_in("cc2017")), payload());
    EXPECT_TRUE(fs::is_directory(root / "data" / "Lumacraft"));
    EXPECT_FALSE(ui.version_checked[CS6]);
    EXPECT_FALSE(ui.version_checked[CC2017]);
}

class InstallerWizardFailure : public InstallerWizard {
protected:
    // Three versions, the middle one in a folder that has gone missing by the time of the run.
    void SetUp() override
    {
        discover({{CS5, "cs5"}, {CC, "gone/cc"}, {CC2017, "cc2017"}});
        fs::remove_all(root / "gone");
        open();
        click(next_at);
        click(next_at);
        click(next_at);
    }
};

TEST_F(InstallerWizardFailure, YesRetriesTheFailedVersionAndTheOnesAfterIt)
{
    InstallerUI& ui = *wizard;
    when_popup_open([&] {
        EXPECT_EQ(ui.engine.read().status, (status_list{0, 0, 2, 0, 0, 40, 0, 0, 0, 0, 0}));
        EXPECT_FALSE(ui.version_checked[CS5]);
        fs::create_directories(root / "gone" / "cc");
        fs::remove(plugin_in("cs5"));
        off::post_key_down(key_enter);
        finish_when_done();
    });
    EXPECT_EQ(ui.show_modal(), 1);

    EXPECT_EQ(ui.engine.read().status, (status_list{0, 0, 2, 0, 0, 2, 0, 0, 0, 2, 0}));
    EXPECT_FALSE(fs::exists(plugin_in("cs5"))) << "an installed version is not written again";
    EXPECT_EQ(read_file(plugin_in("gone/cc")), payload());
    EXPECT_EQ(read_file(plugin_in("cc2017")), payload());
    EXPECT_EQ(ui.progress_heading_label.text, "Glaive for After Effects was successfully installed.");
}

TEST_F(InstallerWizardFailure, NoEndsWithThePartialFailureHeading)
{
    InstallerUI& ui = *wizard;
    when_popup_open([&] {
        off::post_char(key_tab);
        off::post_key_down(key_enter);
        finish_when_done();
    });
    EXPECT_EQ(ui.show_modal(), 1);

    EXPECT_EQ(ui.progress_heading_label.text,
              "Some components of Glaive for After Effects were not correctly installed.");
    EXPECT_EQ(ui.cancel_button.text, "Finish");
    EXPECT_EQ(ui.progress_text_label.text, "Glaive for After Effects CS5 installed.\n"
                                           "Glaive for After Effects CC failed to install!\n\n"
                                           "\n\nClick Finish to close the installer.");
    EXPECT_FALSE(fs::exists(plugin_in("cc2017")));
    EXPECT_FALSE(fs::exists(root / "data" / "Lumacraft"));
}

TEST_F(InstallerWizardFailure, TheOutcomeWaitsUntilTheExitQuestionIsAnswered)
{
    InstallerUI& ui = *wizard;
    click(cancel_at); // before the first tick: the run is still going on
    when([&] { return ui.engine.read().finished; }, [&] {
        off::post_advance(600); // ticks in the question's loop, with the run over
        check_now([&] {
            EXPECT_FALSE(ui.install_finished);
            EXPECT_NE(ui.progress_text_label.text.find("CC failed to install!"), std::string::npos);
        });
        answer(false); // stay
        when_popup_open([&] {
            EXPECT_FALSE(ui.install_finished) << "the failure is asked about only now";
            off::post_char(key_tab);
            off::post_key_down(key_enter); // "No"
            finish_when_done();
        });
    });
    EXPECT_EQ(ui.show_modal(), 1);
    EXPECT_EQ(ui.progress_heading_label.text,
              "Some components of Glaive for After Effects were not correctly installed.");
}

// A question whose loop ends by an exception (here the offscreen loop's own, once its idle time is
// spent) must not stay counted as open: the run's outcome waits for open questions.
TEST_F(InstallerWizard, AQuestionEndedByAnExceptionLetsTheOutcomeShow)
{
    discover({{CS6, "cs6"}});
    InstallerUI& ui = open();
    click(next_at);
    click(next_at);
    click(next_at);
    click(cancel_at); // before the first tick: the run is still going on
    check_now([] { off::set_idle_budget_ms(1000); });
    EXPECT_THROW(ui.show_modal(), off::modal_loop_starved);
    EXPECT_EQ(ui.open_popups, 0);

    off::set_idle_budget_ms(3'600'000);
    when([&] { return ui.engine.read().finished; }, [&] {
        off::post_advance(200); // the next tick decides the outcome
        check_now([&] { ui.end_modal(1); });
    });
    EXPECT_EQ(ui.show_modal(), 1);
    EXPECT_TRUE(ui.install_finished);
    EXPECT_EQ(ui.progress_heading_label.text, "Glaive for After Effects was successfully installed.");
}

// Every new thread asks for a stack larger than the address space, so starting one fails for real.
class thread_starvation {
public:
    thread_starvation()
    {
        pthread_getattr_default_np(&saved_);
        pthread_attr_t huge;
        pthread_attr_init(&huge);
        pthread_attr_setstacksize(&huge, std::size_t{1} << 52);
        pthread_setattr_default_np(&huge);
        pthread_attr_destroy(&huge);
    }
    ~thread_starvation()
    {
        pthread_setattr_default_np(&saved_);
        pthread_attr_destroy(&saved_);
    }
    thread_starvation(const thread_starvation&) = delete;
    thread_starvation& operator=(const thread_starvation&) = delete;

private:
    pthread_attr_t saved_{};
};

TEST_F(InstallerWizard, AWorkerThatCannotStartFailsTheRunAndARetryInstalls)
{
    discover({{CS6, "cs6"}, {CC2017, "cc2017"}});
    InstallerUI& ui = open();
    std::optional<thread_starvation> starving;
    click(next_at);
    click(next_at);
    check_now([&] { starving.emplace(); });
    click(next_at);
    check_now([&] {
        starving.reset();
        EXPECT_FALSE(ui.engine.has_worker());
    });
    when_popup_open([&] {
        EXPECT_EQ(ui.engine.read().status, (status_list{0, 0, 0, 0, status_not_started, 0, 0, 0, 0, 0, 0}));
        EXPECT_EQ(ui.progress_text_label.text, "Glaive for After Effects CS6 failed to install!\n\n");
        off::post_key_down(key_enter); // "Yes"
        finish_when_done();
    });
    EXPECT_EQ(ui.show_modal(), 1);
    EXPECT_EQ(ui.progress_heading_label.text, "Glaive for After Effects was successfully installed.");
    EXPECT_EQ(read_file(plugin_in("cs6")), payload());
    EXPECT_EQ(read_file(plugin_in("cc2017")), payload());
}

TEST_F(InstallerWizard, CancelConfirmedDuringARunWaitsForTheWorker)
{
    discover({{CS6, "cs6"}, {CC, "cc"}});
    InstallerUI& ui = open();
    click(next_at);
    click(next_at);
    click(next_at);
    // No timer tick has come yet: the run counts as going on.
    click(cancel_at);
    answer(true);
    EXPECT_EQ(ui.show_modal(), 1);
    EXPECT_FALSE(ui.install_finished);
    wizard.reset(); // joins the worker
    EXPECT_EQ(read_file(plugin_in("cs6")), payload());
    EXPECT_EQ(read_file(plugin_in("cc")), payload());
}

} // namespace
